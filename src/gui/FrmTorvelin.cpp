#include "FrmTorvelin.h"

#include "FixedOuterSize.h"
#include "FocusWatch.h"
#include "FrmTorvelinLayout.h"
#include "GridExport.h"
#include "GridStoreModel.h"
#include "Interaction.h"
#include "PartsListPrinter.h"
#include "PriceGridView.h"
#include "PriceModel.h"
#include "Program.h"
#include "ResultCellDelegate.h"
#include "ResultsModel.h"
#include "SearchProgress.h"
#include "core/Combination.h"
#include "core/LengthKey.h"
#include "core/NumberText.h"
#include "core/PartsList.h"
#include "core/PartsListPage.h"
#include "core/ResultSorter.h"
#include "core/SettingsFile.h"
#include "core/TrackCatalogue.h"
#include "core/WindowPlacement.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>

FrmTorvelin::FrmTorvelin(Interaction &interaction, SettingsLocation::Paths settingsPaths,
                         QWidget *parent)
    : QWidget(parent), m_interaction(interaction), m_settingsPaths(std::move(settingsPaths)),
      m_ui(FrmTorvelinLayout::build(this)), m_txtLaenge(m_ui.txtLaenge),
      m_txtToleranz(m_ui.txtToleranz), m_scrToleranz(m_ui.scrToleranz),
      m_chkCellStyle(m_ui.chkCellStyle), m_grdTabelle(m_ui.grdTabelle), m_grdPreise(m_ui.grdPreise),
      m_lblCount(m_ui.lblCount),
      // Each model and the delegate live in their grid, and so no longer
      // than the controls.
      m_resultsModel(new ResultsModel(&m_resultStore, &m_marking, m_grdTabelle)),
      m_priceModel(new PriceModel(&m_priceStore, &m_marking, m_grdPreise)),
      m_partsModel(new GridStoreModel(&m_partsStore, PriceModel::captions(), m_ui.grdStck))
{
    m_grdTabelle->setItemDelegate(new ResultCellDelegate(&m_marking, m_grdTabelle));
    wire();
    Form_Load();
}

FrmTorvelin::~FrmTorvelin()
{
    // A screen reader that has read the results holds an accessible, with
    // a persistent index, for every cell it read. Dropped one by one as the
    // grid dies, they cost seconds for a few hundred rows and minutes for a
    // few thousand, with the window already gone; a reset drops them at once.
    const QSignalBlocker quiet(m_grdTabelle->selectionModel());
    m_resultsModel->reload();
}

// One handler per control event.
void FrmTorvelin::wire()
{
    connect(m_ui.btnStart, &QPushButton::clicked, this, &FrmTorvelin::btnStart_Click);
    connect(m_ui.btnDrucken, &QPushButton::clicked, this, &FrmTorvelin::btnDrucken_Click);
    connect(m_ui.btnBeenden, &QPushButton::clicked, this, &FrmTorvelin::btnBeenden_Click);
    m_txtLaenge->installEventFilter(this);
    new FocusWatch(m_txtLaenge, [this] { txtLaenge_GotFocus(); });
    for (std::size_t i = 0; i < 2; ++i) {
        connect(m_txtToleranz[i], &QLineEdit::textChanged, this,
                [this, i] { txtToleranz_Change(int(i)); });
        connect(m_scrToleranz[i], &QScrollBar::valueChanged, this,
                [this, i] { scrToleranz_Change(int(i)); });
        connect(m_chkCellStyle[i], &QCheckBox::toggled, this,
                [this, i] { chkCellStyle_Click(int(i)); });
    }
    connect(m_grdTabelle->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FrmTorvelin::grdTabelle_HeaderClick);
    connect(m_priceModel, &PriceModel::priceRefused, this, &FrmTorvelin::grdPreise_PriceEdited);
}

void FrmTorvelin::Form_Load()
{
    // The window's place and its fixed size; the settings may move it.
    new FixedOuterSize(this);
    move(0, 0);

    m_resultStore.resize(0, 0, 0, Combination::columnCount - 1);
    m_resultsModel->reload();
    FrmTorvelinLayout::attach(m_grdTabelle, m_resultsModel, FrmTorvelinLayout::resultsLook());
    // A re-read replaces the selection model's content but keeps the object,
    // and with it this connection.
    connect(m_grdTabelle->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FrmTorvelin::Stueckliste);
    FrmTorvelinLayout::attach(m_grdPreise, m_priceModel, FrmTorvelinLayout::pricesLook());
    PartsList::initialise(m_partsStore);
    m_partsModel->reload();
    FrmTorvelinLayout::attach(m_ui.grdStck, m_partsModel, FrmTorvelinLayout::partsLook());
    GridExport::attachResults(m_grdTabelle, m_interaction);
    GridExport::attachPartsList(m_ui.grdStck, m_grdTabelle);

    if (!m_settingsPaths.read.isEmpty()) {
        if (const auto settings = SettingsFile::read(m_settingsPaths.read))
            applySettings(*settings);
    }

    m_ui.lblRelease->setText(Program::release());
    m_ui.lblStand->setText(Program::stand());
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

// The window closes and, as the last one, ends the program. A search in
// progress sees the flag at its next event pump and stops at once.
void FrmTorvelin::Form_Unload()
{
    if (m_closing)
        return;
    saveSettings();
    m_closing = true;
}

void FrmTorvelin::keyPressEvent(QKeyEvent *event)
{
    // Enter starts the search from wherever it arrives unhandled; a price
    // editor and a focused button take their Enter themselves.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        btnStart_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FrmTorvelin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtLaenge && event->type() == QEvent::KeyPress)
        return !txtLaenge_KeyPress(static_cast<QKeyEvent *>(event));
    return QWidget::eventFilter(watched, event);
}

void FrmTorvelin::txtLaenge_GotFocus()
{
    grdTabelle_FollowUp();
    m_txtLaenge->setSelection(0, m_txtLaenge->maxLength());
}

bool FrmTorvelin::txtLaenge_KeyPress(const QKeyEvent *event)
{
    if (lengthKeyAccepted(event->key(), event->modifiers(), event->text()))
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
    m_marking.toggleGroup(index);
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

// A refused input: its message, then the box selected for a new entry.
void FrmTorvelin::refuse(SearchInputs::Problem problem, QLineEdit *box, bool focus)
{
    m_interaction.showMessage(this, QMessageBox::Warning, SearchInputs::title(),
                              SearchInputs::message(problem));
    if (focus)
        box->setFocus();
    box->setSelection(0, std::max(box->maxLength(), int(box->text().size())));
}

void FrmTorvelin::btnStart_Click()
{
    if (m_closing)
        return;
    if (const auto range = SearchInputs::checkLength(m_txtLaenge->text());
        range != SearchInputs::Problem::None)
        return refuse(range, m_txtLaenge, false);
    // Texts that would give a number the user did not mean are refused
    // before anything is reset.
    const SearchInputs::Window window = SearchInputs::window(
        m_txtLaenge->text(), m_txtToleranz[0]->text(), m_txtToleranz[1]->text());
    if (window.problem == SearchInputs::Problem::BadTolerance)
        return refuse(window.problem, m_txtToleranz[std::size_t(window.toleranceIndex)], true);
    if (window.problem != SearchInputs::Problem::None)
        return refuse(window.problem, m_txtLaenge, true);

    SearchProgress progress(m_lblCount, m_closing);
    const CombinationSearch::Outcome outcome = m_search.run(
        window.lower, window.upper, m_resultStore, m_priceStore, [&] { return progress.pump(); },
        [&](int rows) { progress.stored(rows); });
    if (!outcome.abandoned) {
        m_resultsModel->reload();
        m_grdTabelle->setFocus();
        m_grdTabelle->setCurrentIndex(m_resultsModel->index(0, 0));
        grdTabelle_FollowUp();
    }
}

void FrmTorvelin::grdTabelle_HeaderClick(int colIndex)
{
    const ResultSorter::Outcome outcome = ResultSorter::sortByHeader(m_resultStore, colIndex);
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

void FrmTorvelin::grdPreise_PriceEdited(int, const QString &refusal)
{
    // The price model stores what it can keep; a refused edit leaves the old price.
    QWidget *focus = QApplication::focusWidget();
    const bool typedInGrid = focus && (focus == m_grdPreise || m_grdPreise->isAncestorOf(focus));
    m_interaction.showMessage(this, QMessageBox::Warning, QStringLiteral("Preise"), refusal);
    if (!typedInGrid)
        return; // the user left the cell for another control, which keeps the focus
    // The box took the focus from the editor, which closes right after it;
    // the window would give the focus back to its first control, far from
    // the price to be typed again.
    QTimer::singleShot(0, m_grdPreise, [grid = m_grdPreise] {
        const QWidget *now = grid->window()->focusWidget();
        if (!now || !now->isVisible() || !(now == grid || grid->isAncestorOf(now)))
            grid->setFocus(Qt::OtherFocusReason);
    });
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
    if (!PartsListPrinter::print(printer, page, &error)) {
        m_interaction.showMessage(
            this, QMessageBox::Warning, QStringLiteral("Torvelin"),
            QStringLiteral("Die Stückliste wurde nicht gedruckt.\n%1").arg(error));
    }
}
