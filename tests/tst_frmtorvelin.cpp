#include "testinteraction.h"

#include "gui/Program.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {
const QString row360 = u"360,0 360,0 24360 0,00"_s;
} // namespace

// The window's wiring: what each control starts, and what the user sees of
// it. The rules behind (search, sorting, colours, parsing) have unit tests.
class TstFrmTorvelin : public QObject, WindowFixture
{
    Q_OBJECT

    // The count as shown, provided a screen reader hears the same.
    QString count() const
    {
        const auto *label = child<QLabel>(u"lblCount"_s);
        return label->accessibleDescription() == label->text()
                   ? label->text()
                   : u"heard: "_s + label->accessibleDescription();
    }
    // The count and the first row's non-empty cells.
    QString shown() const
    {
        QStringList cells;
        for (int c = 0; c < 20; ++c)
            cells << cell(0, c);
        cells.removeAll(QString());
        return count() + u": " + cells.join(u' ');
    }
    // Makes `row` the current row, as a click into it does.
    void choose(int row)
    {
        grid()->selectionModel()->setCurrentIndex(grid()->model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { openWindow(); }
    void cleanup() { m_w.reset(), m_dir.reset(); }

    // The window system appends an application display name to the window
    // title and to every message box title: none may be set.
    void titlesAreExact()
    {
        Program::describe();
        QCOMPARE(QGuiApplication::desktopFileName(), u"de.torvelin.Torvelin"_s);
        QCoreApplication::setApplicationName(u"probe"_s);
        // A display name of its own would not follow the application name.
        QCOMPARE(QGuiApplication::applicationDisplayName(), u"probe"_s);
        Program::describe();
        QCOMPARE(m_w->windowHandle()->title(), u" Torvelin für märklin C-Gleise"_s);
    }

    // Nothing frames the window here: its client area is the whole outer size.
    void outerSize() { QCOMPARE(m_w->frameGeometry().size(), QSize(1024, 740)); }

    // The controls a screen reader had no name of their own for.
    void accessibleNames()
    {
        QStringList heard;
        for (const QString &name :
             u"txtLaenge txtToleranz(0) txtToleranz(1) scrToleranz(0) btnSort "
             "grdTabelle grdPreise grdStck Image2"_s.split(u' '))
            heard << QAccessible::queryAccessibleInterface(child<QWidget>(name))
                         ->text(QAccessible::Name);
        QCOMPARE(heard.join(u'|'), u"gesuchte Länge in mm|Minus-Toleranz in mm|Plus-Toleranz in mm|"
                                   "Minus-Toleranz|sortiert nach Gleislänge|Ergebnisse|Stückpreise|"
                                   "Stückliste|Logo"_s);
    }

    // A refused key beeps, Enter searches, a paste by any means is refused;
    // a mouse click into the box selects its whole text.
    void lengthBox()
    {
        QGuiApplication::clipboard()->setText(u"77"_s);
        QLineEdit *box = child(u"txtLaenge"_s);
        box->setFocus();
        QTest::keyClicks(box, u"a360"_s);
        QTest::keyClick(box, Qt::Key_Return);
        box->insert(u",5"_s);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_V, QString(), Qt::ControlModifier);
        QCOMPARE(count(), u"3"_s);
        QCOMPARE(m_ui.beeps, 2);
        QVERIFY(!box->hasFocus());
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QCOMPARE(box->selectedText(), u"360"_s);
    }

    // A search focuses the first result; a refusal changes nothing and
    // selects the box. `during` is typed and started at the first pump.
    void searchFromTheInputs_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("during");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("shown"); // null: as before
        QTest::newRow("360") << u"360"_s << QString() << false << u"3: "_s + row360;
        QTest::newRow("59") << u"59"_s << QString() << true << QString();
        QTest::newRow("restarted during a search")
            << u"1000"_s << u"360"_s << false << u"3: "_s + row360;
        QTest::newRow("refused during a search, which goes on")
            << u"1000"_s << u"59"_s << true
            << u"5: 360,0 171,7 171,7 77,5 77,5 70,8 70,8 1.000,0 24360 24172 24172 "
               "24077 24077 24071 24071 0,00"_s;
    }
    void searchFromTheInputs()
    {
        QFETCH(QString, during);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        search(u"64"_s, u"1"_s);
        const QString before = this->shown();
        child(u"txtLaenge"_s)->setFocus();
        if (!during.isNull()) {
            QTimer::singleShot(0, m_w.get(), [&] { search(during, QString()); });
        }
        QFETCH(QString, length);
        search(length);
        QCOMPARE(this->shown(), shown.isNull() ? before : shown);
        QCOMPARE(m_ui.messages.size(), refused ? 1 : 0);
        if (refused) {
            QVERIFY(m_ui.messages[0].startsWith(u"Warning: Stückzahl ermitteln...: "_s));
            QCOMPARE(child(u"txtLaenge"_s)->selectedText(), child(u"txtLaenge"_s)->text());
        } else {
            QCOMPARE(m_w->focusWidget(), grid());
            QCOMPARE(grid()->currentIndex(), grid()->model()->index(0, 0));
            QCOMPARE(grid()->selectionModel()->selectedRows(),
                     QModelIndexList{grid()->currentIndex()});
        }
    }

    // A header click sorts; the current row keeps its place and the parts
    // list follows the row that now stands there.
    void headerClickSorts()
    {
        for (int p = 1; p <= 9; ++p) // the three results of 360: 9,00, 2,00 and 3,00
            m_w->priceStore().setPrice(p, p == 1 ? u"9"_s : u"1"_s);
        search(u"360"_s);
        choose(1);
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(19) + 5, header->height() / 2));
        QString parts = cell(0, 0, u"grdStck"_s);
        for (int c = 1; c < 10; ++c) {
            if (const QString n = cell(0, c, u"grdStck"_s); !n.isEmpty())
                parts += u' ' + n + u'@' + TrackCatalogue::pieces()[c - 1].articleNumber;
        }
        QCOMPARE(cell(0, 19) + cell(1, 19) + cell(2, 19), u"2,003,009,00"_s);
        QCOMPARE(grid()->currentIndex().row(), 1);
        QCOMPARE(parts, u"Stück 1@24188 1@24094 1@24077"_s);
    }

    // A check box marks its column of the results and the price grid, and
    // unmarks both again.
    void colourMarking()
    {
        const auto colours = [this]() -> QString {
            const auto background = [this](const QString &gridName, int column) {
                return grid(gridName)
                    ->model()
                    ->index(0, column)
                    .data(Qt::BackgroundRole)
                    .toString();
            };
            return background(u"grdTabelle"_s, 0) + u' ' + background(u"grdTabelle"_s, 10) + u' ' +
                   background(u"grdPreise"_s, 1);
        };
        auto *check = child<QCheckBox>(u"chkCellStyle(1)"_s);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        search(u"360"_s);
        QCOMPARE(colours(), u" #c00000 #c00000"_s);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QCOMPARE(colours(), u"  #ffffff"_s);
    }

    // The page holds the current row, not the first one.
    void printingTheChosenRow()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; tools/setup.sh installs it");
        search(u"360"_s, u"9"_s);
        choose(2);
        QCOMPARE_NE(cell(2, 9), cell(0, 9));
        m_ui.pdfPath = m_dir->filePath(u"page.pdf"_s);
        QTest::mouseClick(child<QPushButton>(u"btnDrucken"_s), Qt::LeftButton);
        QProcess text;
        text.start(pdftotext, {u"-layout"_s, m_ui.pdfPath, u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(page.contains(cell(2, 9) + u" mm") && !page.contains(cell(0, 9) + u" mm"),
                 qPrintable(page));
        QVERIFY(m_ui.messages.isEmpty());
    }

    // Closing while a search runs saves the settings once, stops the
    // search at once and ends the program.
    void closingDuringASearch()
    {
        // Saving fails here, and says so: each save shows one message.
        QVERIFY(QFile(m_dir->filePath(u"blocker"_s)).open(QIODevice::WriteOnly));
        restart(m_dir->filePath(u"blocker/Torvelin.ini"_s));
        m_w->show();
        QTimer::singleShot(0, m_w.get(), [this] {
            QTimer::singleShot(0, m_w.get(), [this] {
                QTest::mouseClick(child<QPushButton>(u"btnBeenden"_s), Qt::LeftButton);
            });
            search(u"1265"_s, u"9"_s);
        });
        QTimer guard; // only for a program that would never end
        guard.callOnTimeout([] { QCoreApplication::exit(1); });
        guard.start(60'000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!m_w->isVisible());
        QCOMPARE(grid()->model()->rowCount(), 1); // the results of no finished search
        QVERIFY(count().toInt() < 929);
        QCloseEvent again; // a further close request, as the window system may send
        QCoreApplication::sendEvent(m_w.get(), &again);
        QCOMPARE(m_ui.messages.size(), 1);
    }
};

QTEST_MAIN(TstFrmTorvelin)
#include "tst_frmtorvelin.moc"
