#include "FrmTorvelinLayout.h"

#include "LengthBox.h"
#include "PartNames.h"
#include "Pictures.h"
#include "PriceGridView.h"
#include "StylePictures.h"
#include "ToleranceBar.h"
#include "core/Combination.h"
#include "core/SearchInputs.h"
#include "core/TrackCatalogue.h"
#include "core/WindowPlacement.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <utility>

namespace FrmTorvelinLayout {

Controls::Controls() = default;
Controls::Controls(Controls &&) noexcept = default;
Controls &Controls::operator=(Controls &&) noexcept = default;
Controls::~Controls() = default;

} // namespace FrmTorvelinLayout

namespace {

using FrmTorvelinLayout::Controls;

// The window's colours, here and nowhere else.
const QColor windowColour(128, 128, 255);
const QColor controlText(0, 0, 192);
const QColor panelColour(212, 208, 200);

const QString credit = QStringLiteral("© 2026 die Torvelin-Entwickler");
const QString markCaption = QStringLiteral(" Gleise farbig markieren ");

// A control's place in its container, in twips.
struct Twips
{
    int left, top, width, height;
};

// Puts the controls on the window one by one, in the order of the control
// table, and keeps their tab indexes for the keyboard order.
class Placer
{
public:
    Placer(QWidget *window, Controls &controls) : m_window(window), m_controls(controls) {}

    // A new T made from `args`, inside `container` (the window itself when
    // null); tab index -1: none.
    template <typename T, typename... Args>
    T *add(QWidget *container, QStringView name, Twips place, int tabIndex, Args &&...args)
    {
        auto *widget = new T(std::forward<Args>(args)..., container ? container : m_window);
        if (!container)
            m_controls.owned.emplace_back(widget);
        widget->setObjectName(name.toString());
        // 15 twips to a pixel at 96 dpi; Qt's high-dpi scaling carries the
        // pixels to other screens.
        widget->setGeometry(
            WindowPlacement::toPixels(place.left), WindowPlacement::toPixels(place.top),
            WindowPlacement::toPixels(place.width), WindowPlacement::toPixels(place.height));
        if (tabIndex >= 0)
            m_tabOrder.emplace_back(tabIndex, widget);
        return widget;
    }

    // Keyboard order by tab index, over the controls that take the focus.
    void setTabOrder()
    {
        std::sort(m_tabOrder.begin(), m_tabOrder.end(),
                  [](const auto &a, const auto &b) { return a.first < b.first; });
        std::erase_if(m_tabOrder, [](const auto &entry) {
            return !(entry.second->focusPolicy() & Qt::TabFocus);
        });
        for (std::size_t i = 1; i < m_tabOrder.size(); ++i)
            QWidget::setTabOrder(m_tabOrder[i - 1].second, m_tabOrder[i].second);
    }

private:
    QWidget *m_window;
    Controls &m_controls;
    std::vector<std::pair<int, QWidget *>> m_tabOrder;
};

// The first of `families` installed under its own name, or `otherwise`.
// A family that is only an alias (Arial for Liberation Sans) makes Qt ask
// fontconfig for a sorted list of every installed face, at start and for
// each such family; asking for the installed face fontconfig would stand in
// with gives the same face without that.
QString installedFamily(std::initializer_list<QString> families, const QString &otherwise)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : families) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return otherwise;
}

QFont arial(bool bold = false)
{
    // Liberation Sans is the face fontconfig gives for Arial where the
    // package's metric-compatible font is all there is.
    static const QString family = installedFamily(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, QStringLiteral("Arial"));
    QFont font(family);
    font.setPointSizeF(9.75);
    font.setBold(bold);
    return font;
}

QFont smallSans()
{
    // Where the old bitmap face is missing, Arial stands in if it is installed
    // under that name; otherwise the desktop's sans-serif face does, which
    // is what fontconfig gives for the old name.
    static const QString family = installedFamily(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Arial")}, QStringLiteral("Sans Serif"));
    QFont font(family);
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

void setPanelLook(QFrame *panel)
{
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    setColours(panel, controlText, panelColour);
}

// A grid's column header whose sections keep the sizes the layout gives
// them. Qt's own header measures every caption to propose a size that no
// grid here uses (their columns and header bands have fixed sizes), again
// after each change of model, font or columns.
class LaidOutHeader final : public QHeaderView
{
public:
    explicit LaidOutHeader(QTableView *grid) : QHeaderView(Qt::Horizontal, grid)
    {
        // As the table's own header: a click selects and sorts, and the
        // current cell's column caption stands out.
        setSectionsClickable(true);
        setHighlightSections(true);
    }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        return {sectionSize(logicalIndex), height()};
    }
};

void setGridBehaviour(QTableView *grid)
{
    grid->setHorizontalHeader(new LaidOutHeader(grid));
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void setPictures(QWidget *window, const Controls &c)
{
    StylePictures::preloadGroupBoxFrame();
    window->setWindowIcon(Pictures::icon(QStringLiteral(":/icons/de.torvelin.Torvelin.svg")));

    // Shows which way the sum and price headers sort; it has no action.
    c.btnSort->setIcon(Pictures::icon(QStringLiteral(":/icons/sort.svg")));
    c.btnSort->setIconSize(QSize(23, 25));
    c.btnSort->setToolTip(QStringLiteral(" sortiert nach Gleislänge "));
    c.btnSort->setFocusPolicy(Qt::NoFocus);

    const std::pair<QPushButton *, QIcon> symbols[] = {
        {c.btnDrucken, QIcon::fromTheme(QStringLiteral("document-print"),
                                        Pictures::icon(QStringLiteral(":/icons/printer.svg")))},
        {c.btnBeenden, QIcon::fromTheme(QStringLiteral("application-exit"),
                                        Pictures::icon(QStringLiteral(":/icons/door.svg")))}};
    for (const auto &[button, icon] : symbols) {
        button->setIcon(icon);
        button->setLayoutDirection(Qt::RightToLeft); // the symbol after the words
        button->setAutoDefault(true);
    }

    c.image2->setPixmap(Pictures::pixmap(QStringLiteral(":/icons/logo.svg"), QSize(51, 33),
                                         c.image2->devicePixelRatio()));
    c.image2->setToolTip(credit);
    c.image2->setAccessibleDescription(credit);
}

// The price grid and the parts list stand one under the other, column by column.
QList<int> pieceColumns()
{
    QList<int> twips{1050};
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
        twips << 900;
    return twips;
}

} // namespace

Controls FrmTorvelinLayout::build(QWidget *window)
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

    Controls c;
    Placer p(window, c);
    const auto mm = QStringLiteral("mm");

    // The search panel: the length, the buttons, the results and their count.
    auto *panel = p.add<QFrame>(nullptr, u"SSPanel(0)", {120, 120, 15015, 5895}, 8);
    auto *lengthLabel = p.add<QLabel>(panel, u"Label(0)", {270, 420, 1515, 285}, 10,
                                      QStringLiteral("gesuchte Länge"));
    c.txtLaenge = p.add<LengthBox>(panel, u"txtLaenge", {1860, 360, 765, 360}, 0);
    p.add<QLabel>(panel, u"Label(1)", {2730, 420, 495, 285}, 9, mm);
    c.btnStart = p.add<QPushButton>(panel, u"btnStart", {3360, 330, 1500, 420}, 1,
                                    QStringLiteral("&suchen"));
    c.btnSort = p.add<QPushButton>(panel, u"btnSort", {6930, 330, 840, 420}, 27);
    c.btnDrucken = p.add<QPushButton>(panel, u"btnDrucken", {10920, 330, 2280, 420}, 23,
                                      QStringLiteral("Stückliste drucken"));
    c.btnBeenden = p.add<QPushButton>(panel, u"btnBeenden", {13320, 330, 1500, 420}, 7,
                                      QStringLiteral("beenden"));
    c.grdTabelle = p.add<QTableView>(panel, u"grdTabelle", {120, 960, 14790, 4365}, 2);
    c.chkCellStyle[0] =
        p.add<QCheckBox>(panel, u"chkCellStyle(0)", {120, 5430, 2715, 345}, 29, markCaption);
    p.add<QLabel>(panel, u"Label(2)", {4950, 5490, 945, 285}, 11, QStringLiteral("gefunden"));
    c.lblCount = p.add<QLabel>(panel, u"lblCount", {5940, 5460, 975, 315}, 12, QStringLiteral("0"));
    c.chkCellStyle[1] =
        p.add<QCheckBox>(panel, u"chkCellStyle(1)", {7065, 5430, 2715, 345}, 30, markCaption);

    // The tolerances: a box and a bar each, minus on the left, plus on the right.
    auto *tolerancePanel = p.add<QFrame>(nullptr, u"SSPanel1", {120, 6150, 9195, 1365}, 13);
    auto *frame = p.add<QGroupBox>(tolerancePanel, u"Frame(0)", {150, 120, 8895, 1095}, 14,
                                   QStringLiteral(" Toleranzen "));
    c.txtToleranz[0] =
        p.add<QLineEdit>(frame, u"txtToleranz(0)", {540, 360, 465, 360}, 3, QStringLiteral("0"));
    p.add<QLabel>(frame, u"Label(9)", {1140, 390, 375, 285}, 16, mm);
    c.scrToleranz[0] = p.add<ToleranceBar>(frame, u"scrToleranz(0)", {1620, 360, 2385, 345}, 4);
    c.scrToleranz[1] = p.add<ToleranceBar>(frame, u"scrToleranz(1)", {4920, 360, 2385, 345}, 6);
    c.txtToleranz[1] =
        p.add<QLineEdit>(frame, u"txtToleranz(1)", {7410, 360, 465, 360}, 5, QStringLiteral("0"));
    p.add<QLabel>(frame, u"Label(10)", {8010, 390, 375, 285}, 15, mm);
    auto *minusLabel =
        p.add<QLabel>(frame, u"Label(6)", {510, 750, 555, 285}, 18, QStringLiteral("minus"));
    auto *minusScale = p.add<QLabel>(frame, u"Label(7)", {1620, 750, 2385, 240}, 24,
                                     QStringLiteral("     9        6       3       0"));
    auto *plusScale = p.add<QLabel>(frame, u"Label(17)", {4920, 750, 2385, 240}, 19,
                                    QStringLiteral("     0        3        6       9"));
    auto *plusLabel =
        p.add<QLabel>(frame, u"Label(5)", {7440, 750, 390, 285}, 17, QStringLiteral("plus"));

    // On the window itself: the prices, the parts list and the information.
    c.grdPreise = p.add<PriceGridView>(nullptr, u"grdPreise", {90, 7650, 9210, 630}, 21);
    c.grdStck = p.add<QTableView>(nullptr, u"grdStck", {90, 8265, 9210, 360}, 22);
    c.lblRelease = p.add<QLabel>(nullptr, u"lblRelease", {210, 9705, 2805, 345}, 25);
    c.lblStand = p.add<QLabel>(nullptr, u"lblStand", {210, 10000, 2805, 345}, 26);
    auto *creditLabel = p.add<QLabel>(nullptr, u"Label(18)", {11910, 9600, 2805, 345}, 20, credit);
    c.image2 = p.add<QLabel>(nullptr, u"Image2", {14040, 9990, 765, 495}, -1);

    setPictures(window, c);

    for (QFrame *container : {panel, tolerancePanel})
        setPanelLook(container);
    for (QTableView *grid : {c.grdTabelle, static_cast<QTableView *>(c.grdPreise), c.grdStck})
        setGridBehaviour(grid);

    c.txtLaenge->setAlignment(Qt::AlignCenter);
    c.txtLaenge->setMaxLength(4);
    // Typed keys are filtered one by one; text that is pasted or dropped
    // must be digits too, or it is not taken at all.
    c.txtLaenge->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}")), c.txtLaenge));

    c.lblCount->setAlignment(Qt::AlignCenter);
    c.lblCount->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColours(c.lblCount, QColor(255, 255, 0), QColor(128, 128, 128));
    // Its accessible name says what it counts, so the count itself reaches a
    // screen reader as the description.
    c.lblCount->setAccessibleDescription(c.lblCount->text());

    frame->setFont(arial(true));
    for (QWidget *inside : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        inside->setFont(arial());
    for (std::size_t i = 0; i < 2; ++i) {
        c.txtToleranz[i]->setAlignment(Qt::AlignCenter);
        c.txtToleranz[i]->setMaxLength(1);
        QScrollBar *bar = c.scrToleranz[i];
        bar->setRange(0, SearchInputs::maximumTolerance);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setFocusPolicy(Qt::StrongFocus);
    }
    // The minus bar runs from 9 at its left end to 0 at its right end, so
    // that both 0 ends face each other and moving outwards widens.
    // Right-to-left mirrors drawing, arrows and clicks together.
    c.scrToleranz[0]->setLayoutDirection(Qt::RightToLeft);
    setColours(minusScale, Qt::white, windowColour);
    setColours(plusScale, Qt::white, QColor(255, 62, 62));

    for (QLabel *label : {c.lblRelease, c.lblStand, creditLabel}) {
        label->setFont(smallSans());
        setColours(label, Qt::white);
    }
    creditLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    c.grdTabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    c.grdTabelle->setAccessibleDescription(QStringLiteral("Passende Gleiskombinationen"));
    c.grdPreise->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);

    lengthLabel->setBuddy(c.txtLaenge);
    minusLabel->setBuddy(c.txtToleranz[0]);
    plusLabel->setBuddy(c.txtToleranz[1]);

    // What a screen reader announces where no caption or label beside the
    // control says it.
    const std::pair<QWidget *, QString> accessibleNames[] = {
        {c.txtLaenge, QStringLiteral("gesuchte Länge in mm")},
        {c.btnSort, QStringLiteral("sortiert nach Gleislänge")},
        {c.grdTabelle, QStringLiteral("Ergebnisse")},
        {c.chkCellStyle[0], QStringLiteral("Gleislängen farbig markieren")},
        {c.chkCellStyle[1], QStringLiteral("Artikelnummern farbig markieren")},
        {c.lblCount, QStringLiteral("Anzahl gefundener Kombinationen")},
        {c.txtToleranz[0], QStringLiteral("Minus-Toleranz in mm")},
        {c.scrToleranz[0], QStringLiteral("Minus-Toleranz")},
        {c.scrToleranz[1], QStringLiteral("Plus-Toleranz")},
        {c.txtToleranz[1], QStringLiteral("Plus-Toleranz in mm")},
        {c.grdPreise, QStringLiteral("Stückpreise")},
        {c.grdStck, QStringLiteral("Stückliste")},
        {c.image2, QStringLiteral("Logo")},
        {panel, QStringLiteral("Suche und Ergebnisse")},
        {tolerancePanel, QStringLiteral("Toleranzbereich")},
    };
    for (const auto &[widget, name] : accessibleNames)
        widget->setAccessibleName(name);
    // Qt's parts of the grids, named after their grid: headers, corner
    // buttons and every scroll bar, the headers' own included.
    for (QTableView *grid : {c.grdTabelle, static_cast<QTableView *>(c.grdPreise), c.grdStck})
        PartNames::nameTableParts(grid);
    for (auto *area : window->findChildren<QAbstractScrollArea *>())
        PartNames::nameScrollBars(area);

    p.setTabOrder();
    return c;
}

FrmTorvelinLayout::GridLook FrmTorvelinLayout::resultsLook()
{
    GridLook look;
    for (int c = 0; c < Combination::columnCount; ++c) {
        look.columnTwips << (c == Combination::sumColumn || c == Combination::priceColumn ? 960
                             : c < Combination::sumColumn                                 ? 645
                                                                                          : 750);
    }
    look.header = GridLook::Header::TwoLines;
    return look;
}

FrmTorvelinLayout::GridLook FrmTorvelinLayout::pricesLook()
{
    return {pieceColumns(), GridLook::Header::OneLine, false};
}

FrmTorvelinLayout::GridLook FrmTorvelinLayout::partsLook()
{
    return {pieceColumns(), GridLook::Header::Hidden, false};
}

void FrmTorvelinLayout::attach(QTableView *grid, QAbstractItemModel *model, const GridLook &look)
{
    // No row headers, fixed columns that cannot be moved or resized, no Tab
    // key navigation inside (Tab moves on to the next control). The headers
    // are hidden before the model comes, so that no header measures the
    // texts of sections it will never show.
    QHeaderView *header = grid->horizontalHeader();
    grid->verticalHeader()->hide();
    if (look.header == GridLook::Header::Hidden)
        header->hide();
    grid->setModel(model);
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    for (int c = 0; c < look.columnTwips.size(); ++c)
        header->resizeSection(c, WindowPlacement::toPixels(look.columnTwips.at(c)));
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(19);
    switch (look.header) {
    case GridLook::Header::Hidden:
        break;
    case GridLook::Header::OneLine:
        header->setFixedHeight(20);
        break;
    case GridLook::Header::TwoLines:
        header->setFixedHeight(2 * grid->fontMetrics().height() + 6);
        break;
    }
    if (!look.scrollBars) {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}
