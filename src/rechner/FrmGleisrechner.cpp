#include "FrmGleisrechner.h"

#include "AnswerWorker.h"
#include "Dialogs.h"
#include "RangePage.h"
#include "core/NumberText.h"
#include "core/OwnedList.h"
#include "core/Shopping.h"
#include "gui/PartNames.h"
#include "gui/StylePictures.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QSizeGrip>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString title = QStringLiteral("Torvelin Gleisrechner");

// Every control carries a name a test finds it by and a German name a screen
// reader speaks.
template <typename T> T *named(T *widget, const char *objectName, const QString &accessibleName)
{
    widget->setObjectName(QString::fromLatin1(objectName));
    widget->setAccessibleName(accessibleName);
    return widget;
}

QLabel *buddyLabel(const QString &text, QWidget *buddy, const char *objectName)
{
    auto *label = new QLabel(text);
    label->setBuddy(buddy);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setAccessibleName(QString(text).remove(u'&'));
    return label;
}

QTableView *newTable(const char *objectName, const QString &accessibleName)
{
    auto *table = named(new QTableView, objectName, accessibleName);
    // Its headers and corner button are parts a screen reader reaches too.
    PartNames::nameTableParts(table);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setAlternatingRowColors(true);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setTabKeyNavigation(false);
    return table;
}

QDoubleSpinBox *newMillimetres(const char *objectName, const QString &accessibleName, double max)
{
    auto *box = named(new QDoubleSpinBox, objectName, accessibleName);
    box->setRange(0.0, max);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    box->setKeyboardTracking(true);
    box->setAccelerated(true);
    return box;
}

// The orders the window offers, in the order of its chooser.
constexpr GapSolver::Order orders[] = {GapSolver::Order::Pieces, GapSolver::Order::Nearest,
                                       GapSolver::Order::Price, GapSolver::Order::ToBuy,
                                       GapSolver::Order::BuyCost};
const char *const orderNames[] = {"wenigste Gleise", "am genauesten", "am billigsten",
                                  "am wenigsten zu kaufen", "am billigsten zu kaufen"};

} // namespace

FrmGleisrechner::FrmGleisrechner(Dialogs &dialogs, const QString &settingsPath,
                                 RangeLibrary library, Solve solve, QWidget *parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_settings(settingsPath, QSettings::IniFormat),
      m_library(std::move(library)), m_worker(std::make_unique<AnswerWorker>(std::move(solve)))
{
    setObjectName(QStringLiteral("frmGleisrechner"));
    setAccessibleName(title);
    setWindowTitle(title);
    // Its group boxes' frames, without loading every image plugin.
    StylePictures::preloadGroupBoxFrame();
    buildControls();
    buildActions();

    connect(m_worker.get(), &AnswerWorker::answered, this, &FrmGleisrechner::showAnswer,
            Qt::QueuedConnection);
    connect(&m_pieces, &PieceModel::refused, this,
            [this](const QString &why) { statusBar()->showMessage(why, 15000); });
    connect(&m_pieces, &PieceModel::entriesEdited, this, [this] {
        savePieces();
        ask();
    });
    connect(&m_answers, &AnswerModel::countChanged, this,
            [this] { setCount(m_answers.countText()); });
    connect(&m_answers, &AnswerModel::moreWanted, this, [this](int rows) {
        m_rowLimit = qMax(m_rowLimit, rows);
        ask();
    });
    connect(&m_answers, &AnswerModel::orderWanted, this, [this](GapSolver::Order order) {
        m_cmbReihenfolge->setCurrentIndex(
            int(std::find(std::begin(orders), std::end(orders), order) - std::begin(orders)));
    });
    connect(m_cmbSortiment, &QComboBox::currentIndexChanged, this, &FrmGleisrechner::chooseRange);
    connect(m_txtLuecke, &QLineEdit::textChanged, this, &FrmGleisrechner::ask);
    for (QDoubleSpinBox *box : {m_spnMinus, m_spnPlus, m_spnStoss})
        connect(box, &QDoubleSpinBox::valueChanged, this, &FrmGleisrechner::ask);
    connect(m_spnGleise, &QSpinBox::valueChanged, this, &FrmGleisrechner::ask);
    connect(m_chkNurBestand, &QCheckBox::toggled, this, &FrmGleisrechner::ask);
    connect(m_cmbReihenfolge, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_order = orders[qBound(0, index, 4)];
        m_tblErgebnisse->horizontalHeader()->setSortIndicator(AnswerModel::columnOf(m_order),
                                                              Qt::AscendingOrder);
        m_rowLimit = 400;
        ask();
    });
    connect(m_tblErgebnisse->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FrmGleisrechner::showChosenRow);
    connect(m_btnNaechste, &QPushButton::clicked, this, &FrmGleisrechner::takeNearest);
    connect(m_lstNaechste, &QListWidget::itemActivated, this, &FrmGleisrechner::takeNearest);
    connect(m_spnVersatz, &QDoubleSpinBox::valueChanged, this, &FrmGleisrechner::askSwaps);

    restoreSettings();
}

FrmGleisrechner::~FrmGleisrechner()
{
    if (m_lister) {
        m_lister->requestInterruption();
        m_lister->wait();
    }
}

bool FrmGleisrechner::event(QEvent *event)
{
    // Finding every range reads hundreds of files: it waits until the
    // window is on the screen, and then goes on beside it.
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, &FrmGleisrechner::startListing);
    }
    return QMainWindow::event(event);
}

void FrmGleisrechner::startListing()
{
    m_lister.reset(QThread::create([this, library = m_library] {
        QList<RangeLibrary::Entry> entries = library.list();
        // A list cut short by a closing window is never shown.
        if (QThread::currentThread()->isInterruptionRequested())
            return;
        // Queued to the window; dropped if the window is gone by then.
        QMetaObject::invokeMethod(
            this, [this, entries = std::move(entries)] { fillRanges(entries); },
            Qt::QueuedConnection);
    }));
    m_lister->start(QThread::LowPriority);
}

void FrmGleisrechner::buildControls()
{
    // Left: the range and its pieces.
    m_cmbSortiment = named(new QComboBox, "cmbSortiment", QStringLiteral("Gleissortiment"));
    m_cmbSortiment->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cmbSortiment->setMinimumContentsLength(16);
    m_lblHerkunft = named(new QLabel, "lblHerkunft", QStringLiteral("Herkunft des Sortiments"));
    m_lblHerkunft->setWordWrap(true);
    m_lblHerkunft->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_tblGleise = newTable("tblGleise", QStringLiteral("Gleise des Sortiments"));
    m_tblGleise->setModel(&m_pieces);
    // Arrows move from cell to cell; typing, F2 or a double click edit. The
    // current cell is the selection, so that it is seen.
    m_tblGleise->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    m_tblGleise->setSelectionBehavior(QAbstractItemView::SelectItems);
    // The text takes the width the numbers leave, so that all six columns
    // fit at the window's first size (the whole text is the tooltip).
    m_tblGleise->setWordWrap(false);
    m_tblGleise->horizontalHeader()->setStretchLastSection(false);
    m_tblGleise->horizontalHeader()->setSectionResizeMode(PieceModel::Label, QHeaderView::Stretch);

    auto *left = new QWidget;
    auto *leftLayout = new QVBoxLayout(left);
    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(buddyLabel(QStringLiteral("&Sortiment:"), m_cmbSortiment, "lblSortiment"));
    rangeRow->addWidget(m_cmbSortiment, 1);
    leftLayout->addLayout(rangeRow);
    leftLayout->addWidget(m_lblHerkunft);
    leftLayout->addWidget(buddyLabel(QStringLiteral("&Gleise (Bestand und Preise bearbeitbar):"),
                                     m_tblGleise, "lblGleise"));
    leftLayout->addWidget(m_tblGleise, 1);

    // Right, top: the question.
    m_txtLuecke = named(new QLineEdit, "txtLuecke", QStringLiteral("Lücke in mm"));
    m_txtLuecke->setClearButtonEnabled(true);
    m_txtLuecke->setPlaceholderText(QStringLiteral("z. B. 1265,5"));
    m_spnMinus = newMillimetres("spnMinus", QStringLiteral("Minus-Toleranz in mm"), 999.0);
    m_spnPlus = newMillimetres("spnPlus", QStringLiteral("Plus-Toleranz in mm"), 999.0);
    m_spnGleise = named(new QSpinBox, "spnGleise", QStringLiteral("höchstens so viele Gleise"));
    m_spnGleise->setRange(1, GapSolver::largestMaxPieces);
    m_spnGleise->setValue(9);
    m_chkNurBestand = named(new QCheckBox(QStringLiteral("nur &vorhandene Gleise")),
                            "chkNurBestand", QStringLiteral("nur vorhandene Gleise verwenden"));
    m_spnStoss = newMillimetres("spnStoss", QStringLiteral("Zugabe je Gleisstoß in mm"), 99.0);
    m_spnStoss->setRange(-99.0, 99.0);
    m_spnStoss->setDecimals(2);
    m_spnStoss->setSingleStep(0.1);
    m_cmbReihenfolge =
        named(new QComboBox, "cmbReihenfolge", QStringLiteral("Reihenfolge der Ergebnisse"));
    for (const char *name : orderNames)
        m_cmbReihenfolge->addItem(QString::fromUtf8(name));

    auto *questionBox =
        named(new QGroupBox(QStringLiteral("Frage")), "grpFrage", QStringLiteral("Frage"));
    auto *form = new QGridLayout(questionBox);
    form->addWidget(buddyLabel(QStringLiteral("&Lücke:"), m_txtLuecke, "lblLuecke"), 0, 0);
    form->addWidget(m_txtLuecke, 0, 1);
    form->addWidget(buddyLabel(QStringLiteral("&Minus:"), m_spnMinus, "lblMinus"), 0, 2);
    form->addWidget(m_spnMinus, 0, 3);
    form->addWidget(buddyLabel(QStringLiteral("&Plus:"), m_spnPlus, "lblPlus"), 0, 4);
    form->addWidget(m_spnPlus, 0, 5);
    form->addWidget(buddyLabel(QStringLiteral("&höchstens Gleise:"), m_spnGleise, "lblGleiseMax"),
                    1, 0);
    form->addWidget(m_spnGleise, 1, 1);
    form->addWidget(
        buddyLabel(QStringLiteral("Zugabe &für jeden Gleisstoß:"), m_spnStoss, "lblStoss"), 1, 2, 1,
        3);
    form->addWidget(m_spnStoss, 1, 5);
    form->addWidget(m_chkNurBestand, 2, 0, 1, 2);
    form->addWidget(buddyLabel(QStringLiteral("&Reihenfolge:"), m_cmbReihenfolge, "lblReihenfolge"),
                    2, 2);
    form->addWidget(m_cmbReihenfolge, 2, 3, 1, 3);
    form->setColumnStretch(1, 1);

    // Right, middle: the answers, or the nearest lengths when nothing fits.
    m_tblErgebnisse = newTable("tblErgebnisse", QStringLiteral("Ergebnisse"));
    m_tblErgebnisse->setModel(&m_answers);
    m_tblErgebnisse->setSortingEnabled(true);
    m_tblErgebnisse->horizontalHeader()->setSortIndicator(AnswerModel::Count, Qt::AscendingOrder);
    // One line a row; the pieces, last, take the width the numbers leave and
    // are cut short there (the whole text is the cell's tooltip).
    m_tblErgebnisse->setWordWrap(false);
    m_tblErgebnisse->horizontalHeader()->setSectionResizeMode(AnswerModel::Pieces,
                                                              QHeaderView::Stretch);
    m_tblErgebnisse->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The chooser Reihenfolge names the order; an arrow in every header would
    // cost the pieces their room.
    m_tblErgebnisse->horizontalHeader()->setSortIndicatorShown(false);
    connect(m_tblErgebnisse->horizontalHeader(), &QHeaderView::sectionClicked, &m_answers,
            [this](int section) { m_answers.sort(section); });
    m_lblAnzahl = named(new QLabel, "lblAnzahl", QStringLiteral("Anzahl der Ergebnisse"));
    m_lstNaechste = named(new QListWidget, "lstNaechste", QStringLiteral("nächste Längen"));
    m_btnNaechste = named(new QPushButton(QStringLiteral("Toleranz &aufweiten")), "btnNaechste",
                          QStringLiteral("Toleranz auf die gewählte Länge aufweiten"));
    m_grpNaechste = named(new QGroupBox(QStringLiteral("Nichts passt – die &nächsten Längen")),
                          "grpNaechste", QStringLiteral("Nichts passt"));
    auto *nearestLayout = new QHBoxLayout(m_grpNaechste);
    nearestLayout->addWidget(m_lstNaechste, 1);
    nearestLayout->addWidget(m_btnNaechste, 0, Qt::AlignTop);
    m_grpNaechste->hide();

    auto *answers = new QWidget;
    auto *answersLayout = new QVBoxLayout(answers);
    answersLayout->setContentsMargins(0, 0, 0, 0);
    auto *answersHead = new QHBoxLayout;
    answersHead->addWidget(
        buddyLabel(QStringLiteral("&Ergebnisse:"), m_tblErgebnisse, "lblErgebnisse"));
    answersHead->addStretch(1);
    answersHead->addWidget(m_lblAnzahl);
    answersLayout->addLayout(answersHead);
    answersLayout->addWidget(m_tblErgebnisse, 1);
    answersLayout->addWidget(m_grpNaechste, 1);

    // Right, bottom: the chosen answer's lists and the swaps.
    m_partsModel = new QStandardItemModel(this);
    m_buyModel = new QStandardItemModel(this);
    m_tblStueckliste = newTable("tblStueckliste", QStringLiteral("Stückliste"));
    m_tblStueckliste->setModel(m_partsModel);
    m_tblEinkauf = newTable("tblEinkauf", QStringLiteral("Einkaufsliste"));
    m_tblEinkauf->setModel(m_buyModel);
    for (QTableView *table : {m_tblStueckliste, m_tblEinkauf})
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *btnKopieren = named(new QPushButton(QStringLiteral("K&opieren")), "btnKopieren",
                              QStringLiteral("Stückliste und Einkaufsliste kopieren"));
    auto *btnCsv = named(new QPushButton(QStringLiteral("Als CSV spei&chern …")), "btnCsv",
                         QStringLiteral("Stückliste und Einkaufsliste als CSV speichern"));
    auto *btnDrucken = named(new QPushButton(QStringLiteral("Dr&ucken …")), "btnDrucken",
                             QStringLiteral("Stückliste drucken oder als PDF speichern"));
    connect(btnKopieren, &QPushButton::clicked, this, &FrmGleisrechner::copyLists);
    connect(btnCsv, &QPushButton::clicked, this, &FrmGleisrechner::saveCsv);
    connect(btnDrucken, &QPushButton::clicked, this, &FrmGleisrechner::print);

    m_spnVersatz =
        newMillimetres("spnVersatz", QStringLiteral("verlegter Strang zu lang um mm"), 999.0);
    m_spnVersatz->setRange(-999.0, 999.0);
    m_lstTausch = named(new QListWidget, "lstTausch", QStringLiteral("Tauschvorschläge"));
    m_lblTausch = named(new QLabel, "lblTausch", QStringLiteral("Hinweis zum Tauschen"));
    m_lblTausch->setWordWrap(true);
    auto *swapPage = named(new QWidget, "pgTauschen", QStringLiteral("Tauschen"));
    auto *swapLayout = new QGridLayout(swapPage);
    swapLayout->addWidget(buddyLabel(QStringLiteral("Der verlegte Strang (gewählte Zeile) ist "
                                                    "&zu lang um (zu kurz: negativ):"),
                                     m_spnVersatz, "lblVersatz"),
                          0, 0);
    swapLayout->addWidget(m_spnVersatz, 0, 1);
    swapLayout->addWidget(m_lblTausch, 1, 0, 1, 2);
    swapLayout->addWidget(m_lstTausch, 2, 0, 1, 2);

    m_tabListen = named(new QTabWidget, "tabListen", QStringLiteral("Listen"));
    m_tabListen->addTab(m_tblStueckliste, QStringLiteral("Stüc&kliste"));
    m_tabListen->addTab(m_tblEinkauf, QStringLiteral("E&inkaufsliste"));
    m_tabListen->addTab(swapPage, QStringLiteral("&Tauschen"));
    m_tabListen->tabBar()->setAccessibleName(QStringLiteral("Reiter der Listen"));
    auto *lists = new QWidget;
    auto *listsLayout = new QVBoxLayout(lists);
    listsLayout->setContentsMargins(0, 0, 0, 0);
    listsLayout->addWidget(m_tabListen, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnKopieren);
    buttons->addWidget(btnCsv);
    buttons->addWidget(btnDrucken);
    listsLayout->addLayout(buttons);

    auto *rightSplit =
        named(new QSplitter(Qt::Vertical), "splRechts", QStringLiteral("Ergebnisse und Listen"));
    rightSplit->addWidget(answers);
    rightSplit->addWidget(lists);
    rightSplit->setStretchFactor(0, 3);
    rightSplit->setStretchFactor(1, 2);
    auto *right = new QWidget;
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(questionBox);
    rightLayout->addWidget(rightSplit, 1);

    auto *split =
        named(new QSplitter(Qt::Horizontal), "splHaupt", QStringLiteral("Sortiment und Frage"));
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);
    split->setChildrenCollapsible(false);
    setCentralWidget(split);

    // The order as the controls are seen. The tab widget is not in it, but
    // its tab bar and its pages' controls: Qt counts everything inside a
    // widget whose focus goes to a child of its own as part of it, and
    // ordering one of those after it cut the chain in two, leaving the pages
    // and the buttons below them out of Tab's reach. Nor does its focus go
    // on to the tab bar: Tab would come to the tab bar a second time where
    // the tab widget stands in the chain.
    m_tabListen->setFocusProxy(nullptr);
    m_tabListen->setFocusPolicy(Qt::NoFocus);
    QWidget *const order[] = {
        m_cmbSortiment, m_tblGleise,   m_txtLuecke,           m_spnMinus,       m_spnPlus,
        m_spnGleise,    m_spnStoss,    m_chkNurBestand,       m_cmbReihenfolge, m_tblErgebnisse,
        m_lstNaechste,  m_btnNaechste, m_tabListen->tabBar(), m_tblStueckliste, m_tblEinkauf,
        m_spnVersatz,   m_lstTausch,   btnKopieren,           btnCsv,           btnDrucken};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setAccessibleName(QStringLiteral("Statuszeile"));
    nameQtParts();
}

void FrmGleisrechner::nameQtParts()
{
    // The parts Qt adds to the controls are reached by a screen reader as
    // well: German names for them, and object names for tests.
    for (auto *button : m_txtLuecke->findChildren<QToolButton *>())
        named(button, "btnLueckeLeeren", QStringLiteral("Lücke leeren"));
    QTabBar *tabBar = m_tabListen->tabBar();
    tabBar->setObjectName(QStringLiteral("tabListenReiter"));
    if (auto *left = tabBar->findChild<QToolButton *>(QStringLiteral("ScrollLeftButton")))
        left->setAccessibleName(QStringLiteral("Reiter nach links blättern"));
    if (auto *right = tabBar->findChild<QToolButton *>(QStringLiteral("ScrollRightButton")))
        right->setAccessibleName(QStringLiteral("Reiter nach rechts blättern"));
    for (auto *split : findChildren<QSplitter *>()) {
        // Handle 0 is never shown; handle 1 lies between the two halves.
        for (int i = 0; i < split->count(); ++i) {
            split->handle(i)->setObjectName(split->objectName() + u"Griff" + QString::number(i));
            split->handle(i)->setAccessibleName(u"Trenner: " + split->accessibleName());
        }
    }
    if (auto *grip = statusBar()->findChild<QSizeGrip *>())
        named(grip, "szgFenster", QStringLiteral("Fenstergröße ändern"));
    named(m_cmbSortiment->view(), "lstSortimentAuswahl", QStringLiteral("Sortimente zur Auswahl"));
    named(m_cmbReihenfolge->view(), "lstReihenfolgeAuswahl",
          QStringLiteral("Reihenfolgen zur Auswahl"));
    // Every list's and table's scroll bars, the headers' and the choosers'
    // lists' included, after the parts they belong to have their names.
    for (auto *area : findChildren<QAbstractScrollArea *>())
        PartNames::nameScrollBars(area);
}

void FrmGleisrechner::buildActions()
{
    auto action = [this](const QString &text, const char *objectName, const QKeySequence &key,
                         void (FrmGleisrechner::*slot)()) {
        auto *a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(objectName));
        a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("mnuDatei"));
    file->setAccessibleName(QStringLiteral("Datei"));
    file->addAction(action(QStringLiteral("Sortiment &importieren …"), "actSortimentImport",
                           QKeySequence::Open, &FrmGleisrechner::importRange));
    file->addAction(action(QStringLiteral("B&estand importieren (CSV) …"), "actBestandImport",
                           QKeySequence(Qt::CTRL | Qt::Key_I), &FrmGleisrechner::importOwned));
    file->addSeparator();
    file->addAction(action(QStringLiteral("Als &CSV speichern …"), "actCsv", QKeySequence::Save,
                           &FrmGleisrechner::saveCsv));
    file->addAction(action(QStringLiteral("&Drucken …"), "actDrucken", QKeySequence::Print,
                           &FrmGleisrechner::print));
    file->addSeparator();
    QAction *quit = file->addAction(QStringLiteral("&Beenden"), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("actBeenden"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    edit->setObjectName(QStringLiteral("mnuBearbeiten"));
    edit->setAccessibleName(QStringLiteral("Bearbeiten"));
    edit->addAction(action(QStringLiteral("Listen &kopieren"), "actKopieren",
                           QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                           &FrmGleisrechner::copyLists));
    edit->addAction(action(QStringLiteral("&Toleranz aufweiten"), "actNaechste",
                           QKeySequence(Qt::CTRL | Qt::Key_T), &FrmGleisrechner::takeNearest));
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    menuBar()->setAccessibleName(QStringLiteral("Menüleiste"));
    // The button for the menus that do not fit is Qt's own; its menu, which
    // Qt makes only once it is needed, is made here to carry names too.
    if (auto *more = menuBar()->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"))) {
        more->setAccessibleName(QStringLiteral("Weitere Menüs"));
        if (!more->menu())
            more->setMenu(
                named(new QMenu(menuBar()), "mnuWeitere", QStringLiteral("Weitere Menüs")));
    }
}

void FrmGleisrechner::restoreSettings()
{
    const QByteArray geometry = m_settings.value(QStringLiteral("Fenster/Geometrie")).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry))
        resize(QSize(1000, 580));
    // Never larger than the screen it opens on, its frame and title bar
    // included (a small screen, 200 %, or a size kept from a larger screen):
    // what lies beyond the screen's edge cannot be reached.
    if (const QScreen *screen = this->screen()) {
        const QSize room = screen->availableGeometry().size() - QSize(20, 40);
        if (!room.isEmpty())
            resize(size().boundedTo(room).expandedTo(minimumSizeHint()));
    }
    restoreState(m_settings.value(QStringLiteral("Fenster/Zustand")).toByteArray());
    // The piece table wide enough for its six columns at the first start.
    findChild<QSplitter *>(QStringLiteral("splHaupt"))->setSizes({440, 560});
    for (auto *split : findChildren<QSplitter *>())
        split->restoreState(m_settings.value(u"Fenster/" + split->objectName()).toByteArray());

    // Only the range last used is read now; finding every other range reads
    // hundreds of files and is left to a thread once the window is up.
    QString name = m_settings.value(QStringLiteral("Frage/Sortiment")).toString();
    RangeLibrary::Loaded loaded = m_library.load(name);
    if (name.isEmpty() || !loaded.range) {
        name = TrackRange::builtInName();
        loaded = m_library.load(name);
    }
    if (loaded.range) {
        const QSignalBlocker blockRange(m_cmbSortiment);
        m_cmbSortiment->addItem(
            QStringLiteral("%1 (%2)").arg(name, TrackRange::originText(loaded.range->origin())),
            name);
    }
    chooseRange(m_cmbSortiment->currentIndex());
    const QSignalBlocker block(m_txtLuecke);
    m_txtLuecke->setText(m_settings.value(QStringLiteral("Frage/Luecke")).toString());
    m_spnMinus->setValue(m_settings.value(QStringLiteral("Frage/Minus"), 2.0).toDouble());
    m_spnPlus->setValue(m_settings.value(QStringLiteral("Frage/Plus"), 2.0).toDouble());
    m_spnGleise->setValue(m_settings.value(QStringLiteral("Frage/Gleise"), 9).toInt());
    m_spnStoss->setValue(m_settings.value(QStringLiteral("Frage/Stoss"), 0.0).toDouble());
    m_chkNurBestand->setChecked(m_settings.value(QStringLiteral("Frage/NurBestand")).toBool());
    m_cmbReihenfolge->setCurrentIndex(
        qBound(0, m_settings.value(QStringLiteral("Frage/Reihenfolge")).toInt(), 4));
    ask();
}

bool FrmGleisrechner::saveSettings()
{
    m_settings.setValue(QStringLiteral("Fenster/Geometrie"), saveGeometry());
    m_settings.setValue(QStringLiteral("Fenster/Zustand"), saveState());
    for (auto *split : findChildren<QSplitter *>())
        m_settings.setValue(u"Fenster/" + split->objectName(), split->saveState());
    m_settings.setValue(QStringLiteral("Frage/Sortiment"), m_cmbSortiment->currentData());
    m_settings.setValue(QStringLiteral("Frage/Luecke"), m_txtLuecke->text());
    m_settings.setValue(QStringLiteral("Frage/Minus"), m_spnMinus->value());
    m_settings.setValue(QStringLiteral("Frage/Plus"), m_spnPlus->value());
    m_settings.setValue(QStringLiteral("Frage/Gleise"), m_spnGleise->value());
    m_settings.setValue(QStringLiteral("Frage/Stoss"), m_spnStoss->value());
    m_settings.setValue(QStringLiteral("Frage/NurBestand"), m_chkNurBestand->isChecked());
    m_settings.setValue(QStringLiteral("Frage/Reihenfolge"), m_cmbReihenfolge->currentIndex());
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}

void FrmGleisrechner::closeEvent(QCloseEvent *event)
{
    if (!saveSettings())
        m_dialogs.tell(this, title,
                       u"Die Einstellungen konnten nicht gespeichert werden:\n" +
                           m_settings.fileName());
    event->accept();
}

void FrmGleisrechner::listRanges()
{
    fillRanges(m_library.list());
}

void FrmGleisrechner::fillRanges(const QList<RangeLibrary::Entry> &entries)
{
    const QSignalBlocker block(m_cmbSortiment);
    const QString current = m_cmbSortiment->currentData().toString();
    const QString currentText = m_cmbSortiment->currentText();
    m_cmbSortiment->clear();
    for (const RangeLibrary::Entry &entry : entries) {
        if (entry.hidden || !entry.error.isEmpty())
            continue;
        m_cmbSortiment->addItem(
            QStringLiteral("%1 (%2)").arg(entry.name, TrackRange::originText(entry.origin)),
            entry.name);
        m_cmbSortiment->setItemData(m_cmbSortiment->count() - 1, entry.source, Qt::ToolTipRole);
    }
    int index = m_cmbSortiment->findData(current);
    if (index < 0 && !current.isEmpty()) {
        // A range read from a file this session: it stays choosable.
        m_cmbSortiment->addItem(currentText, current);
        index = m_cmbSortiment->count() - 1;
    }
    m_cmbSortiment->setCurrentIndex(qMax(index, 0));
}

QStringList FrmGleisrechner::labels() const
{
    QStringList result;
    for (const RangePiece &piece : m_range.pieces())
        result << piece.label;
    return result;
}

void FrmGleisrechner::chooseRange(int index)
{
    if (index < 0)
        return;
    const RangeLibrary::Loaded loaded = m_library.load(m_cmbSortiment->itemData(index).toString());
    if (!loaded.range) {
        m_lblHerkunft->setText(loaded.error);
        return;
    }
    m_range = *loaded.range;
    // The built-in range's source already says it is built in.
    const QString word = TrackRange::originText(m_range.origin());
    const QString origin = m_range.source().startsWith(word)
                               ? m_range.source()
                               : word + QStringLiteral(": ") + m_range.source();
    m_lblHerkunft->setText(u"Herkunft: " + origin);
    m_lblHerkunft->setAccessibleDescription(origin);
    QList<PieceModel::Piece> pieces;
    for (const RangePiece &piece : m_range.pieces())
        pieces.append({piece.articleNumber, piece.label, RangeUnits::toMillimetres(piece.length)});
    m_pieces.setPieces(pieces, PieceBook::load(m_settings, m_range.name()));
    m_answers.setLabels(labels());
    m_rowLimit = 400;
    ask();
}

void FrmGleisrechner::savePieces()
{
    PieceBook::save(m_settings, m_range.name(), m_pieces.entries());
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        statusBar()->showMessage(u"Nicht gespeichert: " + m_settings.fileName());
}

std::optional<double> FrmGleisrechner::gap() const
{
    const QString text = m_txtLuecke->text().trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const std::optional<float> value = NumberText::toFloat(text);
    if (!value || !(*value > 0.0f) || *value > 100000.0f)
        return std::nullopt;
    // Tenths are what a ruler gives; the float's tail would only add noise.
    return std::round(double(*value) * 100.0) / 100.0;
}

Question FrmGleisrechner::question() const
{
    Question q;
    GapSolver::Problem &p = q.problem;
    p.range = m_range;
    for (int row = 0; row < m_pieces.rowCount(); ++row) {
        const PieceBook::Entry e = m_pieces.entry(row);
        if (e.measuredMm)
            p.range = p.range.withLength(row, Gleisrechner::units(*e.measuredMm));
        p.stock << e.owned;
        p.unitPrice << e.priceCents;
        p.limit << (m_chkNurBestand->isChecked() ? e.owned : -1);
    }
    p.wanted = Gleisrechner::units(gap().value_or(0.0));
    p.minus = Gleisrechner::units(m_spnMinus->value());
    p.plus = Gleisrechner::units(m_spnPlus->value());
    p.joint = Gleisrechner::units(m_spnStoss->value());
    p.maxPieces = m_spnGleise->value();
    q.order = m_order;
    q.rowLimit = m_rowLimit;
    return q;
}

void FrmGleisrechner::setCount(const QString &text)
{
    // A screen reader hears the label's name; the count is its description.
    m_lblAnzahl->setText(text);
    m_lblAnzahl->setAccessibleDescription(text);
}

void FrmGleisrechner::ask()
{
    if (!m_lblAnzahl)
        return;
    if (!gap() || m_range.pieceCount() == 0) {
        m_asked = 0;
        m_answers.setAnswer({});
        m_grpNaechste->hide();
        m_tblErgebnisse->show();
        setCount(m_txtLuecke->text().trimmed().isEmpty() ? QStringLiteral("Lücke eingeben")
                                                         : QStringLiteral("keine Länge"));
        showChosenRow();
        return;
    }
    m_asked = m_worker->ask(question());
    // The last answer stays until the next is ready; only the count says so.
    setCount(m_answers.countText() + QStringLiteral(" …"));
}

void FrmGleisrechner::showAnswer(const Answer &answer)
{
    if (answer.serial != m_asked)
        return; // answers a question that has been replaced since
    const int current = m_tblErgebnisse->currentIndex().row();
    m_answers.setAnswer(answer);
    const bool nothing = answer.page.total == 0;
    m_tblErgebnisse->setVisible(!nothing);
    m_grpNaechste->setVisible(nothing);
    if (nothing)
        showNearest(answer);
    if (m_answers.rowCount() > 0)
        m_tblErgebnisse->setCurrentIndex(
            m_answers.index(qBound(0, current, m_answers.rowCount() - 1), 0));
    showChosenRow();
}

void FrmGleisrechner::showNearest(const Answer &answer)
{
    const QLocale locale;
    m_lstNaechste->clear();
    const GapSolver::Nearest &nearest = answer.nearest;
    auto add = [&](const std::optional<GapSolver::Selection> &selection, bool below) {
        if (!selection)
            return;
        const qint64 needed = below ? nearest.minusNeeded : nearest.plusNeeded;
        auto *item = new QListWidgetItem(
            QStringLiteral("%1 mm %2: %3 %4 mm (%5)")
                .arg(Gleisrechner::millimetres(selection->length, locale),
                     below ? QStringLiteral("darunter") : QStringLiteral("darüber"),
                     below ? QStringLiteral("Minus-Toleranz") : QStringLiteral("Plus-Toleranz"),
                     Gleisrechner::millimetres(needed, locale), m_answers.piecesText(*selection)));
        item->setData(Qt::UserRole, RangeUnits::toMillimetres(needed));
        item->setData(Qt::UserRole + 1, below);
        m_lstNaechste->addItem(item);
    };
    add(nearest.below, true);
    add(nearest.above, false);
    const bool any = m_lstNaechste->count() > 0;
    if (any)
        m_lstNaechste->setCurrentRow(0);
    else // only the pieces owned, and none owned: an empty list would say nothing
        m_lstNaechste->addItem(QStringLiteral("Mit diesen Gleisen ist keine Länge erreichbar."));
    m_btnNaechste->setEnabled(any);
}

void FrmGleisrechner::takeNearest()
{
    const QListWidgetItem *item = m_lstNaechste->currentItem();
    if (!item || !item->data(Qt::UserRole).isValid() || m_grpNaechste->isHidden())
        return;
    QDoubleSpinBox *box = item->data(Qt::UserRole + 1).toBool() ? m_spnMinus : m_spnPlus;
    // The boxes hold tenths: rounded up, so that the length lies inside.
    const double needed = std::ceil(item->data(Qt::UserRole).toDouble() * 10.0 - 1e-6) / 10.0;
    if (needed > box->maximum()) {
        statusBar()->showMessage(QStringLiteral("So viel Toleranz nimmt das Feld nicht."), 5000);
        return;
    }
    box->setValue(qMax(box->value(), needed));
    m_tblErgebnisse->setFocus();
}

void FrmGleisrechner::showChosenRow()
{
    m_partsModel->clear();
    m_buyModel->clear();
    if (m_answers.row(m_tblErgebnisse->currentIndex().row())) {
        for (const auto &[model, table] :
             {std::pair{m_partsModel, partsTable()}, std::pair{m_buyModel, buyTable()}}) {
            model->setHorizontalHeaderLabels(table.value(0));
            for (qsizetype r = 1; r < table.size(); ++r) {
                QList<QStandardItem *> items;
                for (const QString &text : table[r]) {
                    auto *item = new QStandardItem(text);
                    item->setEditable(false);
                    items << item;
                }
                model->appendRow(items);
            }
        }
    }
    askSwaps();
}

namespace {

QList<Shopping::Piece> shoppingPieces(const PieceModel &pieces, const GapSolver::Selection *row)
{
    QList<Shopping::Piece> list;
    for (int i = 0; i < pieces.rowCount(); ++i) {
        const PieceBook::Entry e = pieces.entry(i);
        list.append({pieces.pieces()[i].article, pieces.pieces()[i].label,
                     row ? row->counts.value(i) : 0, e.owned, e.priceCents});
    }
    return list;
}

} // namespace

QList<QStringList> FrmGleisrechner::partsTable() const
{
    const auto pieces =
        shoppingPieces(m_pieces, m_answers.row(m_tblErgebnisse->currentIndex().row()));
    return Shopping::table(Shopping::parts(pieces), pieces);
}

QList<QStringList> FrmGleisrechner::buyTable() const
{
    const auto pieces =
        shoppingPieces(m_pieces, m_answers.row(m_tblErgebnisse->currentIndex().row()));
    return Shopping::table(Shopping::toBuy(pieces), pieces);
}

void FrmGleisrechner::copyLists()
{
    if (!m_answers.row(m_tblErgebnisse->currentIndex().row())) {
        statusBar()->showMessage(QStringLiteral("Keine Zeile gewählt."), 5000);
        return;
    }
    QApplication::clipboard()->setText(Shopping::tabSeparated(partsTable()) + u'\n' +
                                       Shopping::tabSeparated(buyTable()));
    statusBar()->showMessage(QStringLiteral("Stückliste und Einkaufsliste kopiert."), 5000);
}

void FrmGleisrechner::saveCsv()
{
    if (!m_answers.row(m_tblErgebnisse->currentIndex().row())) {
        statusBar()->showMessage(QStringLiteral("Keine Zeile gewählt."), 5000);
        return;
    }
    const QString path = m_dialogs.saveFile(this, QStringLiteral("Als CSV speichern"),
                                            QStringLiteral("Stueckliste.csv"),
                                            QStringLiteral("CSV-Dateien (*.csv)"));
    if (path.isEmpty())
        return;
    const QByteArray bytes =
        (Shopping::csv(partsTable()) + u"\r\n" + Shopping::csv(buyTable())).toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        m_dialogs.tell(this, title,
                       QStringLiteral("Die Datei „%1“ wurde nicht gespeichert:\n%2")
                           .arg(QFileInfo(path).fileName(), file.errorString()));
        return;
    }
    statusBar()->showMessage(u"Gespeichert: " + path, 5000);
}

void FrmGleisrechner::print()
{
    if (!m_answers.row(m_tblErgebnisse->currentIndex().row())) {
        statusBar()->showMessage(QStringLiteral("Keine Zeile gewählt."), 5000);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Stückliste"));
    if (!m_dialogs.choosePrinter(this, printer))
        return;
    const QLocale locale;
    const GapSolver::Selection *row = m_answers.row(m_tblErgebnisse->currentIndex().row());
    const QString gapText =
        QStringLiteral("%1 mm (-%2/+%3), Summe %4 mm")
            .arg(Gleisrechner::millimetres(Gleisrechner::units(gap().value_or(0.0)), locale),
                 locale.toString(m_spnMinus->value(), 'f', 1),
                 locale.toString(m_spnPlus->value(), 'f', 1),
                 Gleisrechner::millimetres(row->length, locale));
    const QStringList lines = Shopping::page(
        m_cmbSortiment->currentText(), gapText,
        locale.toString(QDate::currentDate(), QLocale::ShortFormat), partsTable(), buyTable());
    QString error;
    if (!RangePage::print(printer, lines, &error))
        m_dialogs.tell(this, title, u"Die Stückliste wurde nicht gedruckt.\n" + error);
}

void FrmGleisrechner::importRange()
{
    const QString path = m_dialogs.openFile(this, QStringLiteral("Sortiment importieren"),
                                            QStringLiteral("Sortimente (*.txt *.xtp);;"
                                                           "Alle Dateien (*)"));
    if (path.isEmpty())
        return;
    const RangeLibrary::Loaded loaded = m_library.load(path);
    if (!loaded.range) {
        m_dialogs.tell(this, title,
                       QStringLiteral("Das Sortiment „%1“ wurde nicht importiert:\n%2")
                           .arg(QFileInfo(path).fileName(), loaded.error));
        return;
    }
    // A range file is kept among the user's ranges, so that it is there at
    // the next start too; the copy is checked to its end.
    const QString folder = m_library.places().userFolders.value(0);
    if (path.endsWith(QStringLiteral(".txt")) && !folder.isEmpty()) {
        QFile in(path);
        QDir().mkpath(folder);
        QSaveFile out(QDir(folder).filePath(QFileInfo(path).fileName()));
        QByteArray bytes;
        const bool read = in.open(QIODevice::ReadOnly) && !(bytes = in.readAll()).isEmpty();
        if (!read || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() ||
            !out.flush() || !out.commit()) {
            m_dialogs.tell(this, title,
                           QStringLiteral("Das Sortiment „%1“ wurde nicht zu den eigenen "
                                          "Sortimenten kopiert:\n%2")
                               .arg(QFileInfo(path).fileName(), out.errorString()));
            return;
        }
        listRanges();
    }
    int index = m_cmbSortiment->findData(loaded.range->name());
    if (index < 0) {
        // Not among the listed ranges (an .xtp file): for this session only.
        m_cmbSortiment->addItem(
            QStringLiteral("%1 (%2)").arg(loaded.range->name(), QStringLiteral("Datei")), path);
        index = m_cmbSortiment->count() - 1;
    }
    if (index == m_cmbSortiment->currentIndex())
        chooseRange(index);
    else
        m_cmbSortiment->setCurrentIndex(index);
}

void FrmGleisrechner::importOwned()
{
    const QString path = m_dialogs.openFile(this, QStringLiteral("Bestand importieren"),
                                            QStringLiteral("CSV-Dateien (*.csv *.txt);;"
                                                           "Alle Dateien (*)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_dialogs.tell(this, title,
                       QStringLiteral("Die Datei „%1“ kann nicht gelesen werden:\n%2")
                           .arg(QFileInfo(path).fileName(), file.errorString()));
        return;
    }
    const OwnedList::Reading reading = OwnedList::read(QString::fromUtf8(file.readAll()));
    QStringList problems = reading.problems;
    const QStringList unknown = m_pieces.setOwned(reading.counts);
    if (!unknown.isEmpty())
        problems << u"Nicht in diesem Sortiment: " + unknown.join(QStringLiteral(", "));
    if (!problems.isEmpty())
        m_dialogs.tell(this, title,
                       QStringLiteral("Bestand importiert, mit Hinweisen:\n") +
                           problems.join(u'\n'));
    else
        statusBar()->showMessage(
            QStringLiteral("Bestand für %1 Artikel importiert.").arg(reading.counts.size()), 5000);
}

void FrmGleisrechner::askSwaps()
{
    m_lstTausch->clear();
    const GapSolver::Selection *row = m_answers.row(m_tblErgebnisse->currentIndex().row());
    if (!row) {
        m_lblTausch->setText(QStringLiteral("Erst eine Zeile der Ergebnisse wählen."));
        return;
    }
    const qint64 off = Gleisrechner::units(m_spnVersatz->value());
    if (off == 0) {
        m_lblTausch->setText(QStringLiteral("Angeben, um wie viel der Strang zu lang ist."));
        return;
    }
    const Question q = question();
    // At most two out and two in over a run of at most twenty pieces: a few
    // thousand exchanges, answered within the keystroke.
    const QList<GapSolver::Swap> swaps = GapSolver::swaps(
        q.problem.range, row->rowOrder(), off, q.problem.minus, q.problem.plus, q.problem.joint);
    const QLocale locale;
    const QStringList names = labels();
    auto listOf = [&names](const QList<int> &indexes) {
        QStringList parts;
        for (const int i : indexes)
            parts << names.value(i);
        return parts.isEmpty() ? QStringLiteral("nichts") : parts.join(QStringLiteral(" + "));
    };
    for (const GapSolver::Swap &swap : swaps)
        m_lstTausch->addItem(QStringLiteral("%1 heraus, %2 hinein: danach %3 mm")
                                 .arg(listOf(swap.remove), listOf(swap.add),
                                      Gleisrechner::deviation(swap.offAfter, locale)));
    m_lblTausch->setText(
        swaps.isEmpty()     ? QStringLiteral("Kein Tausch von höchstens zwei Gleisen hilft.")
        : swaps.size() == 1 ? QStringLiteral("1 Tauschmöglichkeit")
                            : QStringLiteral("%1 Tauschmöglichkeiten").arg(swaps.size()));
    if (m_lstTausch->count() > 0)
        m_lstTausch->setCurrentRow(0);
}
