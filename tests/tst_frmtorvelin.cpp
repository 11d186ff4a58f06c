#include "modeltest.h"
#include "testinteraction.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTimer>
#include <QWheelEvent>

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

private Q_SLOTS:
    void init() { openWindow(); }
    void cleanup() { m_w.reset(), m_dir.reset(); }

    // Painting the whole window takes no image plugin: Qt would search and
    // load each of them, which costs more of the start than the pictures.
    // First, before any message box draws the style's own icons.
    void paintsWithoutImagePlugins()
    {
        QFile maps(u"/proc/self/maps"_s);
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("no /proc/self/maps to see the loaded libraries in");
        (void)m_w->grab();
        QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image plugin was loaded");
    }

    // Every part a screen reader reaches, the grids' headers and scroll
    // bars among them, has a German name and a name a test finds it by.
    void everyPartNamed()
    {
        QStringList unnamed;
        for (QWidget *w : m_w->findChildren<QWidget *>()) {
            // Labels, panels, grids and headers are frames.
            const bool part = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                              qobject_cast<QFrame *>(w) || qobject_cast<QAbstractSlider *>(w);
            const QAccessibleInterface *heard = QAccessible::queryAccessibleInterface(w);
            if (part && (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"_s) ||
                         !heard || heard->text(QAccessible::Name).isEmpty()))
                unnamed << QString::fromLatin1(w->metaObject()->className()) + u' ' +
                               w->objectName() + u" in " + w->parentWidget()->objectName();
        }
        QCOMPARE(unnamed.join(u", "), QString());
    }

    // The window names the installed face itself, to spare the start
    // fontconfig's sorted lists; it must be the face fontconfig would have
    // given for the names the window was drawn with.
    void facesAsFontconfigGives_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<qreal>("points");
        const QStringList arial{u"Arial"_s};
        QTest::newRow("label") << u"Label(0)"_s << arial << false << 9.75;
        QTest::newRow("frame") << u"Frame(0)"_s << arial << true << 9.75;
        QTest::newRow("release") << u"lblRelease"_s << QStringList{u"MS Sans Serif"_s, u"Arial"_s}
                                 << false << 9.0;
    }
    void facesAsFontconfigGives()
    {
        QFETCH(QString, control);
        QFETCH(QStringList, asked);
        QFETCH(bool, bold);
        QFETCH(qreal, points);
        QFont reference;
        reference.setFamilies(asked);
        // The small face asked for any sans-serif face after its names.
        if (asked.size() > 1)
            reference.setStyleHint(QFont::SansSerif);
        reference.setPointSizeF(points);
        reference.setBold(bold);
        const QFontInfo shown(child<QWidget>(control)->font());
        QCOMPARE(shown.family(), QFontInfo(reference).family());
        QCOMPARE(shown.bold(), bold);
        QCOMPARE(shown.pointSizeF(), points);
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

    // Every way to start the search runs it. A refused length leaves the
    // box's whole text selected, once the window is active again after the
    // message, and the focus where it was.
    void startingTheSearch_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("length");
        for (const char *how : {"Return in the box", "keypad Enter in the box", "Alt+S",
                                "click on suchen", "Space on suchen"}) {
            QTest::addRow("%s, 360", how) << QString::fromLatin1(how) << u"360"_s;
            QTest::addRow("%s, 59", how) << QString::fromLatin1(how) << u"59"_s;
        }
    }
    void startingTheSearch()
    {
        QFETCH(QString, how);
        QFETCH(QString, length);
        QLineEdit *box = child(u"txtLaenge"_s);
        auto *button = child<QPushButton>(u"btnStart"_s);
        box->setFocus();
        QTest::keyClicks(box, length);
        if (how.endsWith(u"suchen"))
            button->setFocus(Qt::TabFocusReason);
        QWidget *const focus = QApplication::focusWidget();
        if (how == u"Return in the box")
            QTest::keyClick(box, Qt::Key_Return);
        else if (how == u"keypad Enter in the box")
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == u"Alt+S")
            QTest::keyClick(box, Qt::Key_S, Qt::AltModifier);
        else if (how == u"click on suchen")
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QTest::keyClick(button, Qt::Key_Space);
        // Alt+S clicks the button a moment later, as the button is seen down.
        QTRY_VERIFY(!m_ui.messages.isEmpty() || count() != u"0");
        QCoreApplication::processEvents();
        if (length == u"360") {
            QCOMPARE(shown(), u"3: "_s + row360);
            QCOMPARE(m_w->focusWidget(), grid());
            QCOMPARE(grid()->currentIndex(), grid()->model()->index(0, 0));
            QCOMPARE(grid()->selectionModel()->selectedRows(),
                     QModelIndexList{grid()->currentIndex()});
        } else {
            QCOMPARE(m_ui.messages,
                     QStringList{u"Warning: Stückzahl ermitteln...: Die minimal anzugebende Länge "
                                 "beträgt 60 mm !       "_s});
            QCOMPARE(box->selectedText(), u"59"_s);
            QCOMPARE(QApplication::focusWidget(), focus);
        }
    }

    // Each bar from 4: keys and clicks on the arrows move the value the way
    // the arrow points, the wheel moves it as on any scroll bar (down
    // widens); the box follows. The minus bar runs from 9 at its left end to
    // 0 at its right end, so that both bars widen outwards.
    void toleranceBars_data()
    {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("box");
        const char *const rows[][3] = {
            // the input, then the minus and the plus box
            {"Right key", "3", "5"},  {"Left key", "5", "3"},   {"right arrow", "3", "5"},
            {"left arrow", "5", "3"}, {"wheel down", "5", "5"}, {"wheel up", "3", "3"},
        };
        for (const auto &row : rows) {
            for (int bar : {0, 1})
                QTest::addRow("%s, %s", bar ? "plus" : "minus", row[0])
                    << bar << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1 + bar]);
        }
    }
    void toleranceBars()
    {
        QFETCH(int, bar);
        QFETCH(QString, input);
        QLineEdit *box = child(u"txtToleranz(%1)"_s.arg(bar));
        auto *scroll = child<QScrollBar>(u"scrToleranz(%1)"_s.arg(bar));
        box->selectAll();
        QTest::keyClicks(box, u"4"_s);
        const int y = scroll->height() / 2;
        scroll->setFocus(Qt::TabFocusReason);
        if (input.endsWith(u"key")) {
            QTest::keyClick(scroll, input.startsWith(u"Right") ? Qt::Key_Right : Qt::Key_Left);
        } else if (input.endsWith(u"arrow")) {
            const int x = input.startsWith(u"right") ? scroll->width() - 3 : 2;
            QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(x, y));
        } else {
            const QPoint at(scroll->width() / 2, y);
            QWheelEvent wheel(at, scroll->mapToGlobal(at), QPoint(),
                              QPoint(0, input.endsWith(u"down") ? -120 : 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(scroll, &wheel);
        }
        QTEST(box->text(), "box");
    }

    // A search of 1000 mm, and at its first pump another length typed and
    // started: 360 takes its place; 59 is refused and selected, and the
    // running search goes on to its end.
    void searchDuringASearch_data()
    {
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("shown");
        QTest::newRow("restarted") << u"360"_s << u"3: "_s + row360;
        QTest::newRow("refused, the search goes on")
            << u"59"_s
            << u"5: 360,0 171,7 171,7 77,5 77,5 70,8 70,8 1.000,0 24360 24172 24172 "
               "24077 24077 24071 24071 0,00"_s;
    }
    void searchDuringASearch()
    {
        QFETCH(QString, during);
        child(u"txtLaenge"_s)->setFocus();
        QTimer::singleShot(0, m_w.get(), [&] { search(during, QString()); });
        search(u"1000"_s);
        QTEST(shown(), "shown");
        QCOMPARE(m_ui.messages.size(), during == u"59" ? 1 : 0);
        if (during == u"59")
            QCOMPARE(child(u"txtLaenge"_s)->selectedText(), during);
        else
            QCOMPARE(grid()->currentIndex(), grid()->model()->index(0, 0));
    }

    // A header click sorts; the current row keeps its place and the parts
    // list follows the row that now stands there.
    void headerClickSorts()
    {
        for (int p = 1; p <= 9; ++p) // the three results of 360: 9,00, 2,00 and 3,00
            m_w->priceStore().setPrice(p, p == 1 ? u"9"_s : u"1"_s);
        search(u"360"_s);
        grid()->selectRow(1); // as a click into it does
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(19) + 5, header->height() / 2));
        QCOMPARE(cell(0, 19) + cell(1, 19) + cell(2, 19), u"2,003,009,00"_s);
        QCOMPARE(grid()->currentIndex().row(), 1);
        // One each of 24188, 24094 and 24077, in the catalogue's columns.
        QCOMPARE(modelRows(*grid(u"grdStck"_s)->model()).at(0), u"Stück||||1||1|1||"_s);
    }

    // A check box marks its column of the results and the price grid, and
    // unmarks both again.
    void colourMarking()
    {
        const auto colours = [this] { // the first results cell, 24360's article cell and price
            QString text;
            for (const auto &[name, column] :
                 {std::pair{u"grdTabelle"_s, 0}, {u"grdTabelle"_s, 10}, {u"grdPreise"_s, 1}})
                text += u' ' +
                        grid(name)->model()->index(0, column).data(Qt::BackgroundRole).toString();
            return text;
        };
        auto *check = child<QCheckBox>(u"chkCellStyle(1)"_s);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        search(u"360"_s);
        QCOMPARE(colours(), u"  #c00000 #c00000"_s);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QCOMPARE(colours(), u"   #ffffff"_s);
    }

    // A price refused at Enter leaves the keyboard on its cell, to type it
    // again: the message box's activation comes back only after the editor
    // is gone.
    void refusedPriceKeepsTheFocus()
    {
        m_ui.activationReturnsLater = true;
        QTableView *prices = grid(u"grdPreise"_s);
        const QModelIndex cell = prices->model()->index(0, 4);
        prices->setFocus();
        prices->setCurrentIndex(cell);
        QTest::keyClick(prices, Qt::Key_F2);
        QWidget *editor = prices->indexWidget(cell);
        QVERIFY(editor);
        QTest::keyClicks(editor, u"abc"_s);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(m_ui.messages.size(), 1);
        QTRY_VERIFY(!prices->indexWidget(cell) && m_w->isActiveWindow());
        QTRY_COMPARE(QApplication::focusWidget(), prices);
        QCOMPARE(prices->currentIndex(), cell);
    }

    // The page holds the current row, not the first one.
    void printingTheChosenRow()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; tools/setup.sh installs it");
        search(u"360"_s, u"9"_s);
        grid()->selectRow(2);
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

    // Each grid's model can still read its store while the grids are
    // destroyed: the stores go last.
    void storesOutliveTheGrids()
    {
        search(u"360"_s);
        m_w->priceStore().setPrice(1, u"12,5"_s);
        QStringList read;
        // The first result's first cell, 24360's price and its count.
        for (const auto &[name, column] :
             {std::pair{u"grdTabelle"_s, 0}, {u"grdPreise"_s, 1}, {u"grdStck"_s, 1}}) {
            const QModelIndex cell = grid(name)->model()->index(0, column);
            connect(grid(name), &QObject::destroyed,
                    [cell, &read] { read << cell.data().toString(); });
        }
        m_w.reset();
        QCOMPARE(read, (QStringList{u"360,0"_s, u"12,50"_s, u"1"_s}));
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
