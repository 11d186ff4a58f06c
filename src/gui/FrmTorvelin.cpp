#include "FrmTorvelin.h"

#include "Artwork.h"
#include "GridStoreModel.h"
#include "Interaction.h"
#include "PartsListPrinter.h"
#include "PriceGridView.h"
#include "PriceModel.h"
#include "ResultCellDelegate.h"
#include "ResultsModel.h"
#include "core/Combination.h"
#include "core/NumberText.h"
#include "core/PartsList.h"
#include "core/PartsListPage.h"
#include "core/ResultSorter.h"
#include "core/SearchInputs.h"
#include "core/SettingsFile.h"
#include "core/TrackCatalogue.h"
#include "core/WindowPlacement.h"
#include "version.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

namespace {

const QColor windowColour(128, 128, 255);
const QColor controlText(0, 0, 192);
const QColor panelColour(212, 208, 200);
constexpr qint64 pumpIntervalNs = 50'000;

// Places a control at a position given in twips, 15 to a pixel at 96 dpi;
// Qt's high-dpi scaling carries the pixels to other screens.
void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(WindowPlacement::toPixels(left), WindowPlacement::toPixels(top),
                        WindowPlacement::toPixels(width), WindowPlacement::toPixels(height));
}

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

QLabel *makeLabel(QWidget *parent, int index, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Label(%1)").arg(index));
    return label;
}

QFrame *makePanel(QWidget *parent, const QString &name)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, panelColour);
    panel->setPalette(palette);
    panel->setAutoFillBackground(true);
    return panel;
}

// The grids share one look: no row headers, fixed columns that cannot be
// moved or resized, no Tab key navigation inside (Tab moves on to the next
// control).
void configureGrid(QTableView *grid, const QList<int> &widthsInTwips)
{
    grid->verticalHeader()->hide();
    grid->setTabKeyNavigation(false);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    for (int c = 0; c < widthsInTwips.size(); ++c)
        header->resizeSection(c, WindowPlacement::toPixels(widthsInTwips.at(c)));
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(19);
}

QList<int> pieceGridWidths()
{
    QList<int> widths{1050};
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
        widths << 900;
    return widths;
}

} // namespace

FrmTorvelin::FrmTorvelin(Interaction &interaction, SettingsLocation::Paths settingsPaths,
                         QWidget *parent)
    : QWidget(parent), m_interaction(interaction), m_settingsPaths(std::move(settingsPaths))
{
    buildControls();
    Form_Load();
}

FrmTorvelin::~FrmTorvelin() = default;

void FrmTorvelin::buildControls()
{
    setObjectName(QStringLiteral("frmTorvelin"));
    setWindowTitle(QStringLiteral(" Torvelin für märklin C-Gleise"));
    setWindowIcon(Artwork::windowIcon());
    setFont(arial());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowColour);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, controlText);
    setPalette(palette);
    setAutoFillBackground(true);

    // The search panel with the results table.
    m_panel = makePanel(this, QStringLiteral("SSPanel(0)"));
    place(m_panel, 120, 120, 15015, 5895);

    makeLabel(m_panel, 0, QStringLiteral("gesuchte Länge"));
    place(m_panel->findChild<QLabel *>(QStringLiteral("Label(0)")), 270, 420, 1515, 285);

    m_txtLaenge = new QLineEdit(m_panel);
    m_txtLaenge->setObjectName(QStringLiteral("txtLaenge"));
    m_txtLaenge->setAlignment(Qt::AlignCenter);
    m_txtLaenge->setMaxLength(4);
    // Typed keys are filtered one by one (txtLaenge_KeyPress); text that is
    // pasted or dropped must be digits too, or it is not taken at all.
    m_txtLaenge->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}")), m_txtLaenge));
    m_txtLaenge->installEventFilter(this);
    place(m_txtLaenge, 1860, 360, 765, 360);

    place(makeLabel(m_panel, 1, QStringLiteral("mm")), 2730, 420, 495, 285);

    m_btnStart = new QPushButton(QStringLiteral("&suchen"), m_panel);
    m_btnStart->setObjectName(QStringLiteral("btnStart"));
    place(m_btnStart, 3360, 330, 1500, 420);

    // Shows which way the sum and price headers sort; it has no action.
    m_btnSort = new QPushButton(m_panel);
    m_btnSort->setObjectName(QStringLiteral("btnSort"));
    m_btnSort->setIcon(QIcon(Artwork::sortPicture()));
    m_btnSort->setIconSize(QSize(23, 25));
    m_btnSort->setToolTip(QStringLiteral(" sortiert nach Gleislänge "));
    m_btnSort->setFocusPolicy(Qt::NoFocus);
    place(m_btnSort, 6930, 330, 840, 420);

    m_btnDrucken = new QPushButton(QIcon(Artwork::printerSymbol()),
                                   QStringLiteral("Stückliste drucken"), m_panel);
    m_btnDrucken->setObjectName(QStringLiteral("btnDrucken"));
    m_btnDrucken->setLayoutDirection(Qt::RightToLeft); // the symbol after the words
    m_btnDrucken->setAutoDefault(true);
    place(m_btnDrucken, 10920, 330, 2280, 420);

    m_btnBeenden =
        new QPushButton(QIcon(Artwork::doorSymbol()), QStringLiteral("beenden"), m_panel);
    m_btnBeenden->setObjectName(QStringLiteral("btnBeenden"));
    m_btnBeenden->setLayoutDirection(Qt::RightToLeft);
    m_btnBeenden->setAutoDefault(true);
    place(m_btnBeenden, 13320, 330, 1500, 420);

    m_grdTabelle = new QTableView(m_panel);
    m_grdTabelle->setObjectName(QStringLiteral("grdTabelle"));
    m_resultsModel = new ResultsModel(&m_resultStore, &m_marking, m_grdTabelle);
    m_grdTabelle->setItemDelegate(new ResultCellDelegate(&m_marking, m_grdTabelle));
    m_grdTabelle->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdTabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdTabelle->setSelectionMode(QAbstractItemView::SingleSelection);
    place(m_grdTabelle, 120, 960, 14790, 4365);

    m_chkCellStyle[0] = new QCheckBox(QStringLiteral(" Gleise farbig markieren "), m_panel);
    place(m_chkCellStyle[0], 120, 5430, 2715, 345);
    place(makeLabel(m_panel, 2, QStringLiteral("gefunden")), 4950, 5490, 945, 285);

    m_lblCount = new QLabel(QStringLiteral("0"), m_panel);
    m_lblCount->setObjectName(QStringLiteral("lblCount"));
    m_lblCount->setAlignment(Qt::AlignCenter);
    m_lblCount->setFrameStyle(QFrame::Box | QFrame::Plain);
    setColours(m_lblCount, QColor(255, 255, 0), QColor(128, 128, 128));
    place(m_lblCount, 5940, 5460, 975, 315);

    m_chkCellStyle[1] = new QCheckBox(QStringLiteral(" Gleise farbig markieren "), m_panel);
    place(m_chkCellStyle[1], 7065, 5430, 2715, 345);

    // The tolerance panel.
    m_panel1 = makePanel(this, QStringLiteral("SSPanel1"));
    place(m_panel1, 120, 6150, 9195, 1365);
    m_frame = new QGroupBox(QStringLiteral(" Toleranzen "), m_panel1);
    m_frame->setObjectName(QStringLiteral("Frame(0)"));
    m_frame->setFont(arial(true));
    place(m_frame, 150, 120, 8895, 1095);

    const std::array<int, 2> boxLeft{540, 7410};
    const std::array<int, 2> barLeft{1620, 4920};
    for (int i = 0; i < 2; ++i) {
        auto *box = new QLineEdit(QStringLiteral("0"), m_frame);
        box->setObjectName(QStringLiteral("txtToleranz(%1)").arg(i));
        box->setFont(arial());
        box->setAlignment(Qt::AlignCenter);
        box->setMaxLength(1);
        place(box, boxLeft[std::size_t(i)], 360, 465, 360);
        m_txtToleranz[std::size_t(i)] = box;

        auto *bar = new QScrollBar(Qt::Horizontal, m_frame);
        bar->setObjectName(QStringLiteral("scrToleranz(%1)").arg(i));
        bar->setRange(0, SearchInputs::maximumTolerance);
        bar->setSingleStep(1);
        bar->setPageStep(1);
        bar->setFocusPolicy(Qt::StrongFocus);
        // The minus bar runs from 9 at its left end to 0 at its right end, so
        // that both 0 ends face each other and moving outwards widens.
        // Right-to-left mirrors drawing, arrows, clicks and keys together.
        if (i == 0)
            bar->setLayoutDirection(Qt::RightToLeft);
        place(bar, barLeft[std::size_t(i)], 360, 2385, 345);
        m_scrToleranz[std::size_t(i)] = bar;
    }
    const auto frameLabel = [this](int index, const QString &text, int l, int t, int w, int h) {
        QLabel *label = makeLabel(m_frame, index, text);
        label->setFont(arial());
        place(label, l, t, w, h);
        return label;
    };
    frameLabel(9, QStringLiteral("mm"), 1140, 390, 375, 285);
    frameLabel(10, QStringLiteral("mm"), 8010, 390, 375, 285);
    frameLabel(6, QStringLiteral("minus"), 510, 750, 555, 285);
    frameLabel(5, QStringLiteral("plus"), 7440, 750, 390, 285);
    setColours(
        frameLabel(7, QStringLiteral("     9        6       3       0"), 1620, 750, 2385, 240),
        Qt::white, windowColour);
    setColours(
        frameLabel(17, QStringLiteral("     0        3        6       9"), 4920, 750, 2385, 240),
        Qt::white, QColor(255, 62, 62));

    // Prices and the parts list below them, column under column.
    m_grdPreise = new PriceGridView(this);
    m_grdPreise->setObjectName(QStringLiteral("grdPreise"));
    m_priceModel = new PriceModel(&m_priceStore, &m_marking, m_grdPreise);
    m_grdPreise->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    m_grdPreise->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdPreise->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grdPreise->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdPreise->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    place(m_grdPreise, 90, 7650, 9210, 630);

    m_grdStck = new QTableView(this);
    m_grdStck->setObjectName(QStringLiteral("grdStck"));
    m_grdStck->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdStck->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdStck->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grdStck->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdStck->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grdStck->horizontalHeader()->hide();
    place(m_grdStck, 90, 8265, 9210, 360);

    // Release, date and credit lines at the foot of the window.
    const auto footLabel = [this](QLabel *label, int l, int t, int w, int h) {
        label->setFont(smallSans());
        setColours(label, Qt::white);
        place(label, l, t, w, h);
        return label;
    };
    m_lblRelease = footLabel(new QLabel(this), 210, 9705, 2805, 345);
    m_lblRelease->setObjectName(QStringLiteral("lblRelease"));
    m_lblStand = footLabel(new QLabel(this), 210, 10000, 2805, 345);
    m_lblStand->setObjectName(QStringLiteral("lblStand"));
    const QString credit = QStringLiteral("© 2026 die Torvelin-Entwickler");
    footLabel(makeLabel(this, 18, credit), 11910, 9600, 2805, 345)
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *image2 = new QLabel(this);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setPixmap(Artwork::logo());
    image2->setToolTip(credit);
    place(image2, 14040, 9990, 765, 495);

    for (int i = 0; i < 2; ++i)
        m_chkCellStyle[std::size_t(i)]->setObjectName(QStringLiteral("chkCellStyle(%1)").arg(i));

    // Keyboard order.
    QWidget *order[] = {m_txtLaenge,      m_btnStart,       m_grdTabelle,     m_txtToleranz[0],
                        m_scrToleranz[0], m_txtToleranz[1], m_scrToleranz[1], m_btnBeenden,
                        m_grdPreise,      m_grdStck,        m_btnDrucken,     m_chkCellStyle[0],
                        m_chkCellStyle[1]};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    // Wiring: one handler per control event.
    connect(m_btnStart, &QPushButton::clicked, this, &FrmTorvelin::btnStart_Click);
    connect(m_btnDrucken, &QPushButton::clicked, this, &FrmTorvelin::btnDrucken_Click);
    connect(m_btnBeenden, &QPushButton::clicked, this, &FrmTorvelin::btnBeenden_Click);
    for (int i = 0; i < 2; ++i) {
        connect(m_txtToleranz[std::size_t(i)], &QLineEdit::textChanged, this,
                [this, i] { txtToleranz_Change(i); });
        connect(m_scrToleranz[std::size_t(i)], &QScrollBar::valueChanged, this,
                [this, i] { scrToleranz_Change(i); });
        connect(m_chkCellStyle[std::size_t(i)], &QCheckBox::toggled, this,
                [this, i] { chkCellStyle_Click(i); });
    }
    connect(m_grdTabelle->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FrmTorvelin::grdTabelle_HeaderClick);
    connect(m_priceModel, &GridStoreModel::cellEdited, this, &FrmTorvelin::grdPreise_PriceEdited);
}

void FrmTorvelin::Form_Load()
{
    // The window's place and its fixed size; the settings may move it.
    setFixedSize(clientSize);
    move(0, 0);

    m_resultStore.resize(0, 0, 0, Combination::columnCount - 1);
    m_grdTabelle->setModel(m_resultsModel);
    m_resultsModel->reload();
    QList<int> widths;
    for (int c = 0; c < Combination::columnCount; ++c) {
        widths << (c == Combination::sumColumn || c == Combination::priceColumn ? 960
                   : c < Combination::sumColumn                                 ? 645
                                                                                : 750);
    }
    configureGrid(m_grdTabelle, widths);
    // The header shows its captions in a band two lines high.
    m_grdTabelle->horizontalHeader()->setFixedHeight(2 * fontMetrics().height() + 6);
    connect(m_grdTabelle->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FrmTorvelin::Stueckliste);
    // A re-read replaces the selection model's content but keeps the object;
    // the connection above stays.

    m_grdPreise->setModel(m_priceModel);
    configureGrid(m_grdPreise, pieceGridWidths());
    m_grdPreise->horizontalHeader()->setFixedHeight(20);

    PartsList::initialise(m_partsStore);
    m_partsModel = new GridStoreModel(&m_partsStore, PriceModel::captions(), m_grdStck);
    m_grdStck->setModel(m_partsModel);
    configureGrid(m_grdStck, pieceGridWidths());

    if (!m_settingsPaths.read.isEmpty()) {
        if (const auto settings = SettingsFile::read(m_settingsPaths.read))
            applySettings(*settings);
    }

    m_lblRelease->setText(QStringLiteral("Rel. : %1.%2.%3")
                              .arg(Version::major)
                              .arg(Version::minor)
                              .arg(Version::patch));
    m_lblStand->setText(u"Stand: " + QString::fromLatin1(Version::releaseDate));
}

void FrmTorvelin::applySettings(const Settings &settings)
{
    m_priceStore.setPrices(settings.prices);
    m_priceModel->refresh();

    for (std::size_t i = 0; i < 2; ++i) {
        if (settings.toleranceText[i] && settings.toleranceValue[i]) {
            m_txtToleranz[i]->setText(*settings.toleranceText[i]);
            m_scrToleranz[i]->setValue(*settings.toleranceValue[i]);
        }
    }

    QPoint position = pos();
    if (settings.left) {
        position.setX(WindowPlacement::toPixels(*settings.left));
        m_storedPosition.left = *settings.left;
    }
    if (settings.top) {
        position.setY(WindowPlacement::toPixels(*settings.top));
        m_storedPosition.top = *settings.top;
    }
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    // The frame is not known before the window is shown; allow for a usual one.
    const QSize outer = clientSize + QSize(6, 28);
    move(WindowPlacement::bringIntoView(QRect(position, outer), screens));
    m_storedPosition.pixels = position;

    for (std::size_t i = 0; i < 2; ++i) {
        if (settings.cellStyle[i])
            m_chkCellStyle[i]->setChecked(*settings.cellStyle[i] != 0);
    }
}

void FrmTorvelin::saveSettings()
{
    // A price still being typed is taken first, through the edit handler.
    m_grdPreise->endEdit();

    SettingsSnapshot snapshot;
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
        snapshot.prices[std::size_t(p - 1)] = m_priceStore.price(p);
    for (std::size_t i = 0; i < 2; ++i) {
        snapshot.toleranceText[i] = m_txtToleranz[i]->text();
        snapshot.cellStyle[i] = m_chkCellStyle[i]->isChecked() ? 1 : 0;
    }
    // A window still where the file put it keeps the file's twips: a pixel
    // is 15 of them, and a stored 1234 must not come back as 1230.
    const QPoint position = frameGeometry().topLeft();
    const bool unmoved = position == m_storedPosition.pixels;
    snapshot.left = unmoved ? m_storedPosition.left : WindowPlacement::toTwips(position.x());
    snapshot.top = unmoved ? m_storedPosition.top : WindowPlacement::toTwips(position.y());

    QDir().mkpath(QFileInfo(m_settingsPaths.write).absolutePath());
    QString error;
    if (!SettingsFile::write(m_settingsPaths.write, snapshot, &error)) {
        m_interaction.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Torvelin"),
            QStringLiteral("Die Einstellungen konnten nicht in „%1“ gespeichert werden:\n%2")
                .arg(QDir::toNativeSeparators(m_settingsPaths.write), error));
    }
}

void FrmTorvelin::btnBeenden_Click()
{
    close();
}

void FrmTorvelin::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void FrmTorvelin::Form_Unload()
{
    if (m_closing)
        return;
    saveSettings();
    // Nothing runs after this: a search in progress sees the flag at its
    // next event pump and stops, and the event loop ends.
    m_closing = true;
    QCoreApplication::quit();
}

void FrmTorvelin::keyPressEvent(QKeyEvent *event)
{
    // Enter starts the search from wherever it arrives unhandled: the length
    // box, the grids, the check boxes. A price editor and a focused button
    // take their Enter themselves.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        btnStart_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FrmTorvelin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtLaenge) {
        if (event->type() == QEvent::FocusIn)
            txtLaenge_GotFocus();
        else if (event->type() == QEvent::KeyPress)
            return !txtLaenge_KeyPress(static_cast<QKeyEvent *>(event));
    }
    return QWidget::eventFilter(watched, event);
}

void FrmTorvelin::txtLaenge_GotFocus()
{
    grdTabelle_FollowUp();
    m_txtLaenge->setSelection(0, m_txtLaenge->maxLength());
}

bool FrmTorvelin::txtLaenge_KeyPress(const QKeyEvent *event)
{
    // Keys that move, delete or leave are no typed characters.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Backspace:
        return true;
    default:
        break;
    }
    // Ctrl with a letter types a control character (Ctrl+V is 22), which
    // is refused like any other, whether or not the platform reports it as
    // the key's text.
    const bool controlLetter = event->modifiers().testFlag(Qt::ControlModifier) &&
                               event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z;
    const QString text = event->text();
    if (text.isEmpty() && !controlLetter)
        return true;
    if (!controlLetter && text.size() == 1 && text.at(0) >= u'0' && text.at(0) <= u'9')
        return true;
    m_interaction.beep();
    return false;
}

void FrmTorvelin::scrToleranz_Change(int index)
{
    const auto i = std::size_t(index);
    m_txtToleranz[i]->setText(QString::number(m_scrToleranz[i]->value()));
}

void FrmTorvelin::txtToleranz_Change(int index)
{
    const auto i = std::size_t(index);
    const auto value =
        NumberText::roundToInt16(NumberText::leadingNumber(m_txtToleranz[i]->text()));
    // A text that is no number reads as 0; the bar cannot leave its range.
    m_scrToleranz[i]->setValue(value.value_or(0));
}

void FrmTorvelin::chkCellStyle_Click(int index)
{
    m_marking.chkCellStyle_Click(index);
    m_resultsModel->refresh();
    grdTabelle_FollowUp();
    m_priceModel->refresh();
}

void FrmTorvelin::grdTabelle_FollowUp()
{
    const QModelIndex current = m_grdTabelle->currentIndex();
    if (current.isValid())
        m_grdTabelle->scrollTo(current);
}

int FrmTorvelin::currentResultRow() const
{
    const QModelIndex current = m_grdTabelle->currentIndex();
    return current.isValid() ? m_resultsModel->storeRow(current.row()) : -1;
}

void FrmTorvelin::selectRefusedText(QLineEdit *box)
{
    box->setSelection(0, std::max(box->maxLength(), int(box->text().size())));
}

void FrmTorvelin::btnStart_Click()
{
    if (m_closing)
        return;

    const SearchInputs::Problem range = SearchInputs::checkLength(m_txtLaenge->text());
    if (range != SearchInputs::Problem::None) {
        m_interaction.showMessage(this, QMessageBox::Warning, SearchInputs::title(),
                                  SearchInputs::message(range));
        m_abortMarker = QStringLiteral("EXIT");
    }
    if (m_abortMarker == u"EXIT") {
        selectRefusedText(m_txtLaenge);
        m_abortMarker.clear();
        return;
    }

    // Texts that would give a number the user did not mean are refused
    // before anything is reset.
    const SearchInputs::Window window = SearchInputs::window(
        m_txtLaenge->text(), m_txtToleranz[0]->text(), m_txtToleranz[1]->text());
    if (window.problem != SearchInputs::Problem::None) {
        m_interaction.showMessage(this, QMessageBox::Warning, SearchInputs::title(),
                                  SearchInputs::message(window.problem));
        QLineEdit *box = window.problem == SearchInputs::Problem::BadTolerance
                             ? m_txtToleranz[std::size_t(window.toleranceIndex)]
                             : m_txtLaenge;
        box->setFocus();
        selectRefusedText(box);
        return;
    }

    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_lblCount->setText(QStringLiteral("0"));
    // The search calls the pump after every candidate and every loop end,
    // 92,377 times. Letting events run costs about 2 microseconds even when
    // none are waiting, far more than a candidate, so the pump lets them run
    // whenever 50 microseconds have passed since it last did: a click waits
    // no longer than that, and the search keeps its speed.
    QElapsedTimer sincePump;
    sincePump.start();
    const auto pump = [this, &sincePump] {
        if (sincePump.nsecsElapsed() >= pumpIntervalNs) {
            QCoreApplication::processEvents();
            sincePump.restart();
        }
        return !m_closing;
    };
    // The count always holds the number of rows stored so far, but it is
    // painted at most once a frame: painting it for every row would cost the
    // search more time than everything else together.
    QElapsedTimer sincePaint;
    sincePaint.start();
    const auto stored = [this, &sincePaint](int rows) {
        if (!m_lblCount->updatesEnabled()) {
            if (sincePaint.elapsed() >= 16) {
                m_lblCount->setUpdatesEnabled(true);
                sincePaint.restart();
            }
        } else if (sincePaint.elapsed() < 16) {
            m_lblCount->setUpdatesEnabled(false);
        }
        m_lblCount->setText(QString::number(rows));
    };
    const CombinationSearch::Outcome outcome =
        m_search.run(window.lower, window.upper, m_resultStore, m_priceStore, pump, stored);
    m_lblCount->setUpdatesEnabled(true);
    if (!outcome.abandoned) {
        m_resultsModel->reload();
        m_grdTabelle->setFocus();
        m_grdTabelle->setCurrentIndex(m_resultsModel->index(0, 0));
        grdTabelle_FollowUp();
    }
    QApplication::restoreOverrideCursor();
}

void FrmTorvelin::grdTabelle_HeaderClick(int colIndex)
{
    const ResultSorter::Outcome outcome =
        ResultSorter::grdTabelle_HeaderClick(m_resultStore, colIndex);
    if (outcome == ResultSorter::Outcome::NothingToSort) {
        m_interaction.showMessage(this, QMessageBox::Information,
                                  ResultSorter::nothingToSortTitle(),
                                  ResultSorter::nothingToSortMessage());
        return;
    }
    // Re-read the rows (a running search may have added some) and keep the
    // current row's place; the parts list follows the row now standing there.
    const int row = m_grdTabelle->currentIndex().row();
    m_resultsModel->reload();
    if (row >= 0)
        m_grdTabelle->setCurrentIndex(
            m_resultsModel->index(std::min(row, m_resultsModel->rowCount() - 1), 0));
    grdTabelle_FollowUp();
}

void FrmTorvelin::Stueckliste()
{
    PartsList::Stueckliste(m_resultStore, currentResultRow(), m_partsStore);
    m_partsModel->refresh();
}

void FrmTorvelin::grdPreise_PriceEdited(int colIndex, const QString &text)
{
    if (colIndex >= 1 && colIndex <= TrackCatalogue::pieceCount && !PriceStore::readPrice(text)) {
        // Keeping an unreadable price would silently price combinations as
        // if the piece were free.
        m_interaction.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Preise"),
            QStringLiteral("„%1“ ist kein Preis. Bitte eine Zahl eingeben, z. B. %2.\n"
                           "Der bisherige Preis bleibt erhalten.")
                .arg(text, NumberText::formatStandard(12.5)));
        m_priceModel->refresh();
        return;
    }
    m_priceStore.setCell(PriceStore::row, colIndex, text);
    m_priceModel->refresh();
}

void FrmTorvelin::btnDrucken_Click()
{
    const int row = currentResultRow();
    const PartsListPage page(m_resultStore.text(row == -1 ? 0 : row, Combination::sumColumn),
                             PartsList::counts(m_partsStore));
    QPrinter printer(QPrinter::HighResolution);
    if (!m_interaction.choosePrinter(this, printer))
        return;
    QString error;
    if (!PartsListPrinter().print(printer, page, &error)) {
        m_interaction.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Torvelin"),
            QStringLiteral("Die Stückliste wurde nicht gedruckt.\n%1").arg(error));
    }
}
