#include "rechner/AnswerModel.h"
#include "rechner/Dialogs.h"
#include "rechner/FrmGleisrechner.h"
#include "rechner/PieceModel.h"
#include "rechner/RechnerStyle.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Answers every dialog at once: the file to open or to save into, the PDF
// file for the printer, and records what the window told the user.
class TestDialogs : public Dialogs
{
public:
    QStringList told;
    QString openPath;
    QString savePath;
    QString pdfPath;

    void tell(QWidget *, const QString &, const QString &text) override { told << text; }
    QString openFile(QWidget *, const QString &, const QString &) override { return openPath; }
    QString saveFile(QWidget *, const QString &, const QString &, const QString &) override
    {
        return savePath;
    }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The letter after a text's "&", nothing where it has none.
QChar mnemonicOf(const QString &text)
{
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i + 1 < text.size();
         i = text.indexOf(u'&', i + 2))
        if (text.at(i + 1) != u'&')
            return text.at(i + 1);
    return {};
}

// The control that has the keyboard: a spin box rather than the line edit
// inside it.
QString focused()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"_s))
            return w->objectName();
    return QString();
}

} // namespace

class tst_FrmGleisrechner : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    TestDialogs m_dialogs;
    std::unique_ptr<FrmGleisrechner> m_w;

    QString iniPath() const { return m_dir->filePath(u"Gleisrechner.ini"_s); }
    void open()
    {
        m_w = std::make_unique<FrmGleisrechner>(m_dialogs, iniPath(),
                                                RangeLibrary(RangeLibrary::Places{}));
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    }
    template <typename T> T *child(const char *name) const
    {
        T *widget = m_w->findChild<T *>(QString::fromLatin1(name));
        return widget ? widget : (qFatal("no control %s", name), nullptr);
    }
    QString count() const { return child<QLabel>("lblAnzahl")->text(); }
    QTableView *results() const { return child<QTableView>("tblErgebnisse"); }
    // The question as the user types it: each box's text replaced.
    void ask(const QString &gap, const QString &minus, const QString &plus)
    {
        for (auto [name, text] : {std::pair{"spnMinus", minus}, std::pair{"spnPlus", plus}}) {
            auto *box = child<QDoubleSpinBox>(name);
            box->selectAll();
            QTest::keyClicks(box, text);
        }
        child<QLineEdit>("txtLuecke")->selectAll();
        QTest::keyClicks(child<QLineEdit>("txtLuecke"), gap);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QApplication::setStyle(new RechnerStyle(QApplication::style()));
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_dialogs = TestDialogs();
        open();
    }
    void cleanup() { m_w.reset(); }

    // Drawing the window loads no image plugin: Qt would search and load
    // each of them, which costs more of the start than the window's few
    // symbols. The clear symbol is drawn for the screen's pixels, sharp at
    // 200 %. First, before any other test draws one of the style's icons.
    void paintsWithoutImagePlugins()
    {
        QFile maps(u"/proc/self/maps"_s);
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("no /proc/self/maps to see the loaded libraries in");
        child<QLineEdit>("txtLuecke")->setText(u"1265"_s);
        (void)m_w->grab();
        QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image plugin was loaded");
        const auto *clear = m_w->findChild<QAction *>(u"_q_qlineeditclearaction"_s);
        QVERIFY(clear);
        QCOMPARE(clear->icon().pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32));
    }

    // The answer follows the typing without a start button; 1265 mm ± 9 mm
    // with the built-in range has 929 fits, the first hundred shown. On a
    // 1024 × 600 screen every number of an answer stays in sight; the
    // pieces, however long, take what width is left.
    void answersWhileTyping()
    {
        m_w->resize(1024, 600);
        ask(u"1265"_s, u"9"_s, u"9"_s);
        QTRY_COMPARE(count(), u"100 von 929"_s);
        QHeaderView *header = results()->horizontalHeader();
        const int numbersEnd = header->sectionViewportPosition(AnswerModel::ToBuyCost) +
                               header->sectionSize(AnswerModel::ToBuyCost);
        QCOMPARE_LE(numbersEnd, results()->viewport()->width());
        QCOMPARE(header->visualIndex(AnswerModel::Pieces), AnswerModel::ColumnCount - 1);
        QCOMPARE_GE(header->sectionSize(AnswerModel::Pieces), 150);
        // Without arrows in the headers a click still orders the answers.
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(AnswerModel::Price) + 5, 5));
        QCOMPARE(child<QComboBox>("cmbReihenfolge")->currentText(), u"am billigsten"_s);
        // A decimal gap in the German form.
        ask(u"1265,5"_s, u"0"_s, u"0,5"_s);
        QTRY_COMPARE(count(), u"22 von 22"_s);
    }

    // Tab reaches every control that is showing once, in the order they
    // are seen, and leaves each table; Shift+Tab goes the same way back.
    void tabOrder_data()
    {
        QTest::addColumn<QString>("gap");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("controls");
        const QStringList question{u"cmbSortiment"_s, u"tblGleise"_s,     u"txtLuecke"_s,
                                   u"spnMinus"_s,     u"spnPlus"_s,       u"spnGleise"_s,
                                   u"spnStoss"_s,     u"chkNurBestand"_s, u"cmbReihenfolge"_s};
        const QStringList buttons{u"btnKopieren"_s, u"btnCsv"_s, u"btnDrucken"_s};
        const QStringList results = question + QStringList{u"tblErgebnisse"_s};
        QTest::newRow("Stückliste")
            << u"1265"_s << 0
            << results + QStringList{u"tabListenReiter"_s, u"tblStueckliste"_s} + buttons;
        QTest::newRow("Einkaufsliste")
            << u"1265"_s << 1
            << results + QStringList{u"tabListenReiter"_s, u"tblEinkauf"_s} + buttons;
        QTest::newRow("Tauschen") << u"1265"_s << 2
                                  << results +
                                         QStringList{u"tabListenReiter"_s, u"spnVersatz"_s,
                                                     u"lstTausch"_s} +
                                         buttons;
        QTest::newRow("nothing fits")
            << u"60"_s << 2
            << question +
                   QStringList{u"lstNaechste"_s, u"btnNaechste"_s, u"tabListenReiter"_s,
                               u"spnVersatz"_s, u"lstTausch"_s} +
                   buttons;
    }
    void tabOrder()
    {
        QFETCH(QString, gap);
        QFETCH(int, page);
        QFETCH(QStringList, controls);
        ask(gap, u"0"_s, u"0"_s);
        QTRY_VERIFY(!count().endsWith(u"…"_s));
        child<QTabWidget>("tabListen")->setCurrentIndex(page);
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        child<QComboBox>("cmbSortiment")->setFocus(Qt::ShortcutFocusReason);
        QStringList forward{focused()};
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            forward << focused();
        }
        QCOMPARE(forward, controls + QStringList{controls.first()});
        QStringList back{focused()};
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            back.prepend(focused());
        }
        QCOMPARE(back, controls + QStringList{controls.first()});
    }

    // The Alt+letters the end-to-end test does not press reach their
    // controls; a nothing-fits answer makes the nearest lengths reachable.
    void mnemonics_data()
    {
        QTest::addColumn<QString>("gap");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("control");
        QTest::newRow("Alt+G") << u"1265"_s << int(Qt::Key_G) << u"tblGleise"_s;
        QTest::newRow("Alt+H") << u"1265"_s << int(Qt::Key_H) << u"spnGleise"_s;
        QTest::newRow("Alt+F") << u"1265"_s << int(Qt::Key_F) << u"spnStoss"_s;
        QTest::newRow("Alt+R") << u"1265"_s << int(Qt::Key_R) << u"cmbReihenfolge"_s;
        QTest::newRow("Alt+N") << u"60"_s << int(Qt::Key_N) << u"lstNaechste"_s;
    }
    void mnemonics()
    {
        QFETCH(QString, gap);
        QFETCH(int, key);
        QFETCH(QString, control);
        ask(gap, u"0"_s, u"0"_s);
        QTRY_VERIFY(!count().endsWith(u"…"_s));
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        child<QAbstractButton>("btnDrucken")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);
        QCOMPARE(focused(), control);
    }

    // One letter is one control: unique among the window's labels, buttons,
    // tabs and menu titles, and within each menu; never a letter whose
    // descender hides the line beneath it.
    void mnemonicsUnique()
    {
        QList<QStringList> scopes(1);
        for (const auto *label : m_w->findChildren<QLabel *>())
            scopes[0] << label->text();
        for (const auto *button : m_w->findChildren<QAbstractButton *>())
            scopes[0] << button->text();
        for (const auto *group : m_w->findChildren<QGroupBox *>())
            scopes[0] << group->title();
        const QTabBar *tabs = child<QTabWidget>("tabListen")->tabBar();
        for (int i = 0; i < tabs->count(); ++i)
            scopes[0] << tabs->tabText(i);
        for (const QAction *menu : m_w->menuBar()->actions()) {
            scopes[0] << menu->text();
            QStringList items;
            for (const QAction *item : menu->menu()->actions())
                items << item->text();
            scopes << items;
        }
        for (const QStringList &texts : std::as_const(scopes)) {
            QHash<QChar, QString> seen;
            for (const QString &text : texts) {
                const QChar letter = mnemonicOf(text);
                if (letter.isNull())
                    continue;
                QVERIFY2(!u"gjpqy"_s.contains(letter), qPrintable(text));
                const QChar key = letter.toUpper();
                QVERIFY2(!seen.contains(key), qPrintable(seen.value(key) + u" and "_s + text));
                seen.insert(key, text);
            }
        }
    }

    // Every part a screen reader reaches, Qt's own parts of the controls
    // among them, has a German name and a name a test finds it by.
    void everyPartNamed()
    {
        QStringList unnamed;
        for (QWidget *w : m_w->findChildren<QWidget *>()) {
            const QWidget *parent = w->parentWidget();
            const bool inner =
                qobject_cast<QLineEdit *>(w) && (qobject_cast<const QAbstractSpinBox *>(parent) ||
                                                 qobject_cast<const QComboBox *>(parent));
            const bool part = qobject_cast<QAbstractButton *>(w) ||
                              qobject_cast<QAbstractItemView *>(w) ||
                              qobject_cast<QAbstractSpinBox *>(w) || qobject_cast<QComboBox *>(w) ||
                              qobject_cast<QLineEdit *>(w) || qobject_cast<QTabBar *>(w) ||
                              qobject_cast<QTabWidget *>(w) || qobject_cast<QSplitter *>(w) ||
                              qobject_cast<QSplitterHandle *>(w) || qobject_cast<QSizeGrip *>(w) ||
                              qobject_cast<QMenu *>(w) || qobject_cast<QMenuBar *>(w) ||
                              qobject_cast<QStatusBar *>(w) || qobject_cast<QLabel *>(w) ||
                              qobject_cast<QGroupBox *>(w) || qobject_cast<QScrollBar *>(w);
            if (part && !inner &&
                (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_splithandle"_s) ||
                 w->accessibleName().isEmpty()))
                unnamed << QString::fromLatin1(w->metaObject()->className()) + u' ' +
                               w->objectName();
        }
        QCOMPARE(unnamed.join(u", "), QString());
    }

    // At the first start, 1000 × 580 as far as the 1024 × 600 screen leaves
    // room below a title bar, the piece table shows its six columns without
    // scrolling sideways, and the built-in range says once where it comes
    // from.
    void firstStart()
    {
        QCOMPARE(m_w->size(), QSize(1000, 560));
        const auto *table = child<QTableView>("tblGleise");
        QCOMPARE_LE(table->horizontalHeader()->length(), table->viewport()->width());
        QVERIFY(!table->horizontalScrollBar()->isVisible());
        QCOMPARE(child<QLabel>("lblHerkunft")->text(),
                 u"Herkunft: eingebaut (märklin C-Gleis, Herstellermaße)"_s);
    }

    // Never larger than the screen, room left for a frame and title bar: what lies
    // beyond its edge could not be reached. A size kept from a larger screen
    // (or another scale) as well.
    void fitsTheScreen()
    {
        m_w->resize(1600, 1000);
        m_w->close();
        m_w.reset();
        open();
        QCOMPARE_LE(m_w->width(), 1004);
        QCOMPARE_LE(m_w->height(), 560);
    }

    // In the piece table the arrows move from cell to cell, the current one
    // marked, without opening an editor; typing edits it. A measured length
    // that cannot be that piece's is refused, and the status bar says why.
    void pieceTableKeys()
    {
        m_w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        auto *table = child<QTableView>("tblGleise");
        QTest::keyClick(m_w.get(), Qt::Key_G, Qt::AltModifier);
        QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(table, Qt::Key_Right);
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(table, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), table); // no editor open
        const QModelIndex measured = table->currentIndex();
        QCOMPARE(measured.siblingAtColumn(0).data().toString(), u"24229"_s);
        QCOMPARE(measured.column(), int(PieceModel::Measured));
        QCOMPARE(table->selectionModel()->selectedIndexes(), QModelIndexList{measured});

        QTest::keyClicks(table, u"3"_s);
        QVERIFY(QApplication::focusWidget() != table); // the editor
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), table);
        QCOMPARE(measured.data().toString(), QString());
        const QString told = m_w->statusBar()->currentMessage();
        QVERIFY2(told.startsWith(u"Die gemessene Länge von 24 229 muss eine Zahl wie 229,3 sein"_s),
                 qPrintable(told));

        QTest::keyClick(table, Qt::Key_2); // opens the editor
        QTest::keyClicks(QApplication::focusWidget(), u"29,5"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(measured.data().toString(), u"229,5"_s);
    }

    // The printed page states the gap as it was computed, both decimals.
    void printedGap()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("no pdftotext to read the printed page with");
        ask(u"1265,55"_s, u"2"_s, u"2"_s);
        QTRY_VERIFY(!count().endsWith(u"…"_s) && results()->currentIndex().isValid());
        m_dialogs.pdfPath = m_dir->filePath(u"liste.pdf"_s);
        QTest::mouseClick(child<QAbstractButton>("btnDrucken"), Qt::LeftButton);
        QProcess reader;
        reader.start(pdftotext, {m_dialogs.pdfPath, u"-"_s});
        QVERIFY(reader.waitForFinished());
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        QVERIFY2(text.contains(u"1.265,55 mm (-2,0/+2,0)"_s), qPrintable(text));
    }

    // Nothing fits: the nearest lengths instead of the table; choosing one
    // widens the tolerance just enough and the answer appears.
    void nothingFits()
    {
        ask(u"60"_s, u"0"_s, u"0"_s);
        auto *nearest = child<QListWidget>("lstNaechste");
        QTRY_VERIFY(nearest->isVisible());
        QVERIFY(!results()->isVisible());
        QVERIFY2(nearest->item(0)->text().startsWith(u"64,3 mm darüber: Plus-Toleranz 4,3 mm"_s),
                 qPrintable(nearest->item(0)->text()));
        QTest::mouseClick(child<QAbstractButton>("btnNaechste"), Qt::LeftButton);
        QCOMPARE(child<QDoubleSpinBox>("spnPlus")->value(), 4.3);
        QTRY_COMPARE(count(), u"1 von 1"_s);
        QVERIFY(results()->isVisible());
        // Only the pieces owned, and none owned: no length to offer, and
        // the list says so rather than staying empty.
        child<QCheckBox>("chkNurBestand")->setChecked(true);
        QTRY_COMPARE(nearest->item(0)->text(), u"Mit diesen Gleisen ist keine Länge erreichbar."_s);
        QCOMPARE(nearest->count(), 1);
        QVERIFY(!child<QAbstractButton>("btnNaechste")->isEnabled());
    }

    // Owned counts from a spreadsheet (a piece of another range named back
    // to the user) and a price entered in the piece table: only owned pieces
    // narrow the answer, the shopping list names what is missing, and both
    // survive a restart with the question and the window's size.
    void ownedPricesAndRestart()
    {
        m_dialogs.openPath = m_dir->filePath(u"bestand.csv"_s);
        QFile file(m_dialogs.openPath);
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write("Artikel;Anzahl\r\n24 360;1\r\n24188;1\r\n24172;1\r\n55200;1\r\n") > 0);
        file.close();
        m_w->findChild<QAction *>(u"actBestandImport"_s)->trigger();
        QCOMPARE(m_dialogs.told.size(), 1);
        QVERIFY2(m_dialogs.told.at(0).endsWith(u"Nicht in diesem Sortiment: 55200"_s),
                 qPrintable(m_dialogs.told.at(0)));
        auto *pieces = child<QTableView>("tblGleise")->model();
        const int row360 = 8; // search order: the longest piece last
        QCOMPARE(pieces->index(row360, 0).data().toString(), u"24360"_s);
        QVERIFY(pieces->setData(pieces->index(row360, 5), u"12,49"_s));
        ask(u"720"_s, u"0"_s, u"0"_s);
        QTRY_VERIFY2(count().endsWith(u" von 6"_s), qPrintable(count()));
        QCOMPARE(results()->model()->index(0, AnswerModel::Pieces).data().toString(),
                 u"2 × 24 360"_s);
        QCOMPARE(results()->model()->index(0, AnswerModel::Price).data().toString(), u"24,98"_s);
        auto *buy = child<QTableView>("tblEinkauf")->model();
        QCOMPARE(buy->index(0, 0).data().toString(), u"1"_s);
        QCOMPARE(buy->index(0, 4).data().toString(), u"12,49"_s);
        // Only what is owned: one each of 24 360, 24 188 and 24 172.
        child<QCheckBox>("chkNurBestand")->setChecked(true);
        QTRY_COMPARE(count(), u"1 von 1"_s);
        QCOMPARE(results()->model()->index(0, AnswerModel::Pieces).data().toString(),
                 u"1 × 24 360, 1 × 24 188, 1 × 24 172"_s);

        m_w->resize(900, 560);
        m_w->close();
        m_w.reset();
        open();
        QCOMPARE(m_w->size(), QSize(900, 560));
        QCOMPARE(child<QLineEdit>("txtLuecke")->text(), u"720"_s);
        QVERIFY(child<QCheckBox>("chkNurBestand")->isChecked());
        pieces = child<QTableView>("tblGleise")->model();
        QCOMPARE(pieces->index(row360, 4).data().toString(), u"1"_s);
        QCOMPARE(pieces->index(row360, 5).data().toString(), u"12,49"_s);
        QVERIFY(!QFile::exists(m_dir->filePath(u"Torvelin.ini"_s)));
    }

    // The chosen row leaves as a spreadsheet pastes it, as a CSV file
    // (a failed write is told, not passed over) and as a one-page PDF; a run
    // laid from it that came out too long gets the exchanges that fix it.
    void chosenRow()
    {
        ask(u"360"_s, u"0"_s, u"0"_s);
        QTRY_VERIFY2(count().endsWith(u" von 3"_s), qPrintable(count()));
        results()->setCurrentIndex(results()->model()->index(0, 0));
        QTest::mouseClick(child<QAbstractButton>("btnKopieren"), Qt::LeftButton);
        QCOMPARE(
            QApplication::clipboard()->text().section(u'\n', 0, 1),
            u"Anzahl\tArtikel\tBezeichnung\tStückpreis\tPreis\n1\t24360\t24 360\t0,00\t0,00"_s);

        m_dialogs.savePath = m_dir->filePath(u"liste.csv"_s);
        QTest::mouseClick(child<QAbstractButton>("btnCsv"), Qt::LeftButton);
        QVERIFY(readAll(m_dialogs.savePath).startsWith("Anzahl;Artikel;Bezeichnung;"));
        m_dialogs.savePath = m_dir->filePath(u"fehlt/liste.csv"_s);
        QTest::mouseClick(child<QAbstractButton>("btnCsv"), Qt::LeftButton);
        QCOMPARE(m_dialogs.told.size(), 1);
        QVERIFY(
            m_dialogs.told.at(0).startsWith(u"Die Datei „liste.csv“ wurde nicht gespeichert"_s));

        m_dialogs.pdfPath = m_dir->filePath(u"liste.pdf"_s);
        QTest::mouseClick(child<QAbstractButton>("btnDrucken"), Qt::LeftButton);
        QVERIFY(readAll(m_dialogs.pdfPath).startsWith("%PDF"));
        QCOMPARE(m_dialogs.told.size(), 1);

        // Laid 64,3 mm too short: one 24 064 more puts it right, and
        // nothing else does; 171,7 mm too short, one piece or two.
        child<QDoubleSpinBox>("spnVersatz")->setValue(-64.3);
        auto *swapList = child<QListWidget>("lstTausch");
        QCOMPARE(swapList->count(), 1);
        QCOMPARE(swapList->item(0)->text(), u"nichts heraus, 24 064 hinein: danach 0,0 mm"_s);
        QCOMPARE(child<QLabel>("lblTausch")->text(), u"1 Tauschmöglichkeit"_s);
        child<QDoubleSpinBox>("spnVersatz")->setValue(-171.7);
        QCOMPARE(child<QLabel>("lblTausch")->text(),
                 u"%1 Tauschmöglichkeiten"_s.arg(swapList->count()));
        QCOMPARE_GT(swapList->count(), 1);
    }
};

QTEST_MAIN(tst_FrmGleisrechner)
#include "tst_frmgleisrechner.moc"
