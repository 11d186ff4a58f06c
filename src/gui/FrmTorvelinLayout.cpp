#include "FrmTorvelinLayout.h"

#include "Pictures.h"
#include "PriceGridView.h"
#include "core/Combination.h"
#include "core/SearchInputs.h"
#include "core/TrackCatalogue.h"
#include "core/WindowPlacement.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include <algorithm>
#include <vector>

namespace {

// The window's colours, here and nowhere else.
const QColor windowColour(128, 128, 255);
const QColor controlText(0, 0, 192);
const QColor panelColour(212, 208, 200);

enum class Kind { Panel, Frame, Label, TextBox, Button, Grid, PriceGrid, CheckBox, Bar, Image };

// Fields in the order of the control table, not of their sizes.
struct Control // NOLINT(clang-analyzer-optin.performance.Padding)
{
    QStringView name;
    Kind kind;
    QStringView container;        // empty: the window itself
    int left, top, width, height; // twips
    int tabIndex;                 // -1: none
    QStringView caption;
};

constexpr QStringView credit = u"© 2026 die Torvelin-Entwickler";
constexpr QStringView markCaption = u" Gleise farbig markieren ";

constexpr Control controls[] = {
    {u"SSPanel(0)", Kind::Panel, u"", 120, 120, 15015, 5895, 8, u""},
    {u"Label(0)", Kind::Label, u"SSPanel(0)", 270, 420, 1515, 285, 10, u"gesuchte Länge"},
    {u"txtLaenge", Kind::TextBox, u"SSPanel(0)", 1860, 360, 765, 360, 0, u""},
    {u"Label(1)", Kind::Label, u"SSPanel(0)", 2730, 420, 495, 285, 9, u"mm"},
    {u"btnStart", Kind::Button, u"SSPanel(0)", 3360, 330, 1500, 420, 1, u"&suchen"},
    {u"btnSort", Kind::Button, u"SSPanel(0)", 6930, 330, 840, 420, 27, u""},
    {u"btnDrucken", Kind::Button, u"SSPanel(0)", 10920, 330, 2280, 420, 23, u"Stückliste drucken"},
    {u"btnBeenden", Kind::Button, u"SSPanel(0)", 13320, 330, 1500, 420, 7, u"beenden"},
    {u"grdTabelle", Kind::Grid, u"SSPanel(0)", 120, 960, 14790, 4365, 2, u""},
    {u"chkCellStyle(0)", Kind::CheckBox, u"SSPanel(0)", 120, 5430, 2715, 345, 29, markCaption},
    {u"Label(2)", Kind::Label, u"SSPanel(0)", 4950, 5490, 945, 285, 11, u"gefunden"},
    {u"lblCount", Kind::Label, u"SSPanel(0)", 5940, 5460, 975, 315, 12, u"0"},
    {u"chkCellStyle(1)", Kind::CheckBox, u"SSPanel(0)", 7065, 5430, 2715, 345, 30, markCaption},
    {u"SSPanel1", Kind::Panel, u"", 120, 6150, 9195, 1365, 13, u""},
    {u"Frame(0)", Kind::Frame, u"SSPanel1", 150, 120, 8895, 1095, 14, u" Toleranzen "},
    {u"txtToleranz(0)", Kind::TextBox, u"Frame(0)", 540, 360, 465, 360, 3, u"0"},
    {u"Label(9)", Kind::Label, u"Frame(0)", 1140, 390, 375, 285, 16, u"mm"},
    {u"scrToleranz(0)", Kind::Bar, u"Frame(0)", 1620, 360, 2385, 345, 4, u""},
    {u"scrToleranz(1)", Kind::Bar, u"Frame(0)", 4920, 360, 2385, 345, 6, u""},
    {u"txtToleranz(1)", Kind::TextBox, u"Frame(0)", 7410, 360, 465, 360, 5, u"0"},
    {u"Label(10)", Kind::Label, u"Frame(0)", 8010, 390, 375, 285, 15, u"mm"},
    {u"Label(6)", Kind::Label, u"Frame(0)", 510, 750, 555, 285, 18, u"minus"},
    {u"Label(7)", Kind::Label, u"Frame(0)", 1620, 750, 2385, 240, 24,
     u"     9        6       3       0"},
    {u"Label(17)", Kind::Label, u"Frame(0)", 4920, 750, 2385, 240, 19,
     u"     0        3        6       9"},
    {u"Label(5)", Kind::Label, u"Frame(0)", 7440, 750, 390, 285, 17, u"plus"},
    {u"grdPreise", Kind::PriceGrid, u"", 90, 7650, 9210, 630, 21, u""},
    {u"grdStck", Kind::Grid, u"", 90, 8265, 9210, 360, 22, u""},
    {u"lblRelease", Kind::Label, u"", 210, 9705, 2805, 345, 25, u""},
    {u"lblStand", Kind::Label, u"", 210, 10000, 2805, 345, 26, u""},
    {u"Label(18)", Kind::Label, u"", 11910, 9600, 2805, 345, 20, credit},
    {u"Image2", Kind::Image, u"", 14040, 9990, 765, 495, -1, u""},
};

// What a screen reader announces where no caption or label beside the
// control says it.
constexpr std::pair<QStringView, QStringView> accessibleNames[] = {
    {u"txtLaenge", u"gesuchte Länge in mm"},
    {u"btnSort", u"sortiert nach Gleislänge"},
    {u"grdTabelle", u"Ergebnisse"},
    {u"chkCellStyle(0)", u"Gleislängen farbig markieren"},
    {u"chkCellStyle(1)", u"Artikelnummern farbig markieren"},
    {u"lblCount", u"Anzahl gefundener Kombinationen"},
    {u"txtToleranz(0)", u"Minus-Toleranz in mm"},
    {u"scrToleranz(0)", u"Minus-Toleranz"},
    {u"scrToleranz(1)", u"Plus-Toleranz"},
    {u"txtToleranz(1)", u"Plus-Toleranz in mm"},
    {u"grdPreise", u"Stückpreise"},
    {u"grdStck", u"Stückliste"},
    {u"Image2", u"Logo"},
    {u"SSPanel(0)", u"Suche und Ergebnisse"},
    {u"SSPanel1", u"Toleranzbereich"},
};

QFont arial(bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9.75);
    font.setBold(bold);
    return font;
}

QFont smallSans()
{
    // Where the old bitmap face is missing, the Arial-metric face stands in.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

void setColours(QWidget *widget, const QColor &text, const QColor &background = QColor())
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    if (background.isValid()) {
        palette.setColor(QPalette::Window, background);
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);
}

QWidget *make(const Control &control, QWidget *parent)
{
    const QString caption = control.caption.toString();
    switch (control.kind) {
    case Kind::Panel: {
        auto *panel = new QFrame(parent);
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
        panel->setLineWidth(2);
        setColours(panel, controlText, panelColour);
        return panel;
    }
    case Kind::Frame:
        return new QGroupBox(caption, parent);
    case Kind::Label:
    case Kind::Image:
        return new QLabel(caption, parent);
    case Kind::TextBox: {
        auto *box = new QLineEdit(caption, parent);
        box->setAlignment(Qt::AlignCenter);
        return box;
    }
    case Kind::Button:
        return new QPushButton(caption, parent);
    case Kind::Grid:
    case Kind::PriceGrid: {
        QTableView *grid =
            control.kind == Kind::Grid ? new QTableView(parent) : new PriceGridView(parent);
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        return grid;
    }
    case Kind::CheckBox:
        return new QCheckBox(caption, parent);
    case Kind::Bar:
        return new QScrollBar(Qt::Horizontal, parent);
    }
    return nullptr;
}

template <typename T> T *find(QWidget *window, QStringView name)
{
    return window->findChild<T *>(name.toString());
}

void setPictures(QWidget *window)
{
    window->setWindowIcon(Pictures::icon(QStringLiteral(":/icons/de.torvelin.Torvelin.svg")));

    // Shows which way the sum and price headers sort; it has no action.
    auto *sort = find<QPushButton>(window, u"btnSort");
    sort->setIcon(Pictures::icon(QStringLiteral(":/icons/sort.svg")));
    sort->setIconSize(QSize(23, 25));
    sort->setToolTip(QStringLiteral(" sortiert nach Gleislänge "));
    sort->setFocusPolicy(Qt::NoFocus);

    const std::pair<QStringView, QIcon> symbols[] = {
        {u"btnDrucken", QIcon::fromTheme(QStringLiteral("document-print"),
                                         Pictures::icon(QStringLiteral(":/icons/printer.svg")))},
        {u"btnBeenden", QIcon::fromTheme(QStringLiteral("application-exit"),
                                         Pictures::icon(QStringLiteral(":/icons/door.svg")))}};
    for (const auto &[name, icon] : symbols) {
        auto *button = find<QPushButton>(window, name);
        button->setIcon(icon);
        button->setLayoutDirection(Qt::RightToLeft); // the symbol after the words
        button->setAutoDefault(true);
    }

    auto *logo = find<QLabel>(window, u"Image2");
    logo->setPixmap(Pictures::pixmap(QStringLiteral(":/icons/logo.svg"), QSize(51, 33),
                                     logo->devicePixelRatio()));
    logo->setToolTip(credit.toString());
    logo->setAccessibleDescription(credit.toString());
}

void setLooks(QWidget *window)
{
    auto *length = find<QLineEdit>(window, u"txtLaenge");
    length->setMaxLength(4);
    // Typed keys are filtered one by one; text that is pasted or dropped
    // must be digits too, or it is not taken at all.
    length->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), length));

    auto *count = find<QLabel>(window, u"lblCount");
    count->setAlignment(Qt::AlignCenter);
    count->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColours(count, QColor(255, 255, 0), QColor(128, 128, 128));
    // Its accessible name says what it counts, so the count itself reaches a
    // screen reader as the description.
    count->setAccessibleDescription(count->text());

    auto *frame = find<QGroupBox>(window, u"Frame(0)");
    frame->setFont(arial(true));
    for (QWidget *inside : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        inside->setFont(arial());
    for (int i = 0; i < 2; ++i) {
        find<QLineEdit>(window, QStringLiteral("txtToleranz(%1)").arg(i))->setMaxLength(1);
        auto *bar = find<QScrollBar>(window, QStringLiteral("scrToleranz(%1)").arg(i));
        bar->setRange(0, SearchInputs::maximumTolerance);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setFocusPolicy(Qt::StrongFocus);
    }
    // The minus bar runs from 9 at its left end to 0 at its right end, so
    // that both 0 ends face each other and moving outwards widens.
    // Right-to-left mirrors drawing, arrows, clicks and keys together.
    find<QWidget>(window, u"scrToleranz(0)")->setLayoutDirection(Qt::RightToLeft);
    setColours(find<QLabel>(window, u"Label(7)"), Qt::white, windowColour);
    setColours(find<QLabel>(window, u"Label(17)"), Qt::white, QColor(255, 62, 62));

    for (QStringView name : {u"lblRelease", u"lblStand", u"Label(18)"}) {
        auto *label = find<QLabel>(window, name);
        label->setFont(smallSans());
        setColours(label, Qt::white);
    }
    find<QLabel>(window, u"Label(18)")->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto *results = find<QTableView>(window, u"grdTabelle");
    results->setSelectionBehavior(QAbstractItemView::SelectRows);
    results->setAccessibleDescription(QStringLiteral("Passende Gleiskombinationen"));
    find<QTableView>(window, u"grdPreise")
        ->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    for (QStringView name : {u"grdPreise", u"grdStck"}) {
        auto *grid = find<QTableView>(window, name);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    find<QTableView>(window, u"grdStck")->horizontalHeader()->hide();
}

} // namespace

void FrmTorvelinLayout::build(QWidget *window)
{
    window->setObjectName(QStringLiteral("frmTorvelin"));
    window->setWindowTitle(QStringLiteral(" Torvelin für märklin C-Gleise"));
    window->setFont(arial());
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, windowColour);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, controlText);
    window->setPalette(palette);
    window->setAutoFillBackground(true);

    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const Control &control : controls) {
        QWidget *parent =
            control.container.isEmpty() ? window : find<QWidget>(window, control.container);
        QWidget *widget = make(control, parent);
        widget->setObjectName(control.name.toString());
        // 15 twips to a pixel at 96 dpi; Qt's high-dpi scaling carries the
        // pixels to other screens.
        widget->setGeometry(
            WindowPlacement::toPixels(control.left), WindowPlacement::toPixels(control.top),
            WindowPlacement::toPixels(control.width), WindowPlacement::toPixels(control.height));
        if (control.tabIndex >= 0)
            tabOrder.emplace_back(control.tabIndex, widget);
    }
    setPictures(window);
    setLooks(window);

    find<QLabel>(window, u"Label(0)")->setBuddy(find<QWidget>(window, u"txtLaenge"));
    find<QLabel>(window, u"Label(6)")->setBuddy(find<QWidget>(window, u"txtToleranz(0)"));
    find<QLabel>(window, u"Label(5)")->setBuddy(find<QWidget>(window, u"txtToleranz(1)"));
    for (const auto &[name, accessibleName] : accessibleNames)
        find<QWidget>(window, name)->setAccessibleName(accessibleName.toString());

    // Keyboard order by tab index, over the controls that take the focus.
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    std::erase_if(tabOrder,
                  [](const auto &entry) { return !(entry.second->focusPolicy() & Qt::TabFocus); });
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

void FrmTorvelinLayout::attach(QTableView *grid, QAbstractItemModel *model)
{
    grid->setModel(model);
    // Columns in twips: the results table's by its column groups, the price
    // grid's and the parts list's one under the other.
    QList<int> widths;
    if (grid->objectName() == u"grdTabelle") {
        for (int c = 0; c < Combination::columnCount; ++c) {
            widths << (c == Combination::sumColumn || c == Combination::priceColumn ? 960
                       : c < Combination::sumColumn                                 ? 645
                                                                                    : 750);
        }
    } else {
        widths << 1050;
        for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
            widths << 900;
    }
    // No row headers, fixed columns that cannot be moved or resized, no Tab
    // key navigation inside (Tab moves on to the next control).
    grid->verticalHeader()->hide();
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    for (int c = 0; c < widths.size(); ++c)
        header->resizeSection(c, WindowPlacement::toPixels(widths.at(c)));
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(19);
    // The results header shows its captions in a band two lines high.
    if (grid->objectName() == u"grdTabelle")
        header->setFixedHeight(2 * grid->fontMetrics().height() + 6);
    else if (grid->objectName() == u"grdPreise")
        header->setFixedHeight(20);
}
