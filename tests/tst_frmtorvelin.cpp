#include "testinteraction.h"

#include "gui/Program.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTimer>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace {

QString cellText(const QAbstractItemView *view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}

// Each row in one line: its non-empty cells, left to right.
QStringList rowTexts(const QAbstractItemView *view)
{
    QStringList rows;
    for (int r = 0; r < view->model()->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < view->model()->columnCount(); ++c)
            cells << cellText(view, r, c);
        cells.removeAll(QString());
        rows << cells.join(u' ');
    }
    return rows;
}

const QString row360 = u"360,0 360,0 24360 0,00"_s;
const QString refused = u"Warning: Stückzahl ermitteln...: "_s;
const QString nothingToSort = u"Information:  nach Gleislänge sortieren...:  Sorry, aber es gibt "
                              "nichts zu sortieren !           "_s;

} // namespace

class TstFrmTorvelin : public QObject, WindowFixture
{
    Q_OBJECT

    QTableView *grid(const QString &n = u"grdTabelle"_s) const { return child<QTableView>(n); }
    // The count as shown, provided a screen reader hears the same.
    QString count() const
    {
        const QLabel *label = child<QLabel>(u"lblCount"_s);
        return label->accessibleDescription() == label->text()
                   ? label->text()
                   : u"heard: "_s + label->accessibleDescription();
    }

    void search(const QString &length, const QString &minus = u"0"_s, const QString &plus = u"0"_s)
    {
        type(u"txtToleranz(0)"_s, minus);
        type(u"txtToleranz(1)"_s, plus);
        type(u"txtLaenge"_s, length);
        QTest::mouseClick(child<QPushButton>(u"btnStart"_s), Qt::LeftButton);
    }
    // `text` typed into a box in place of what it held.
    void type(const QString &box, const QString &text)
    {
        child(box)->selectAll();
        QTest::keyClick(child(box), Qt::Key_Backspace);
        QTest::keyClicks(child(box), text);
    }
    // Makes `row` the current row, as a click into it does.
    void choose(int row)
    {
        grid()->selectionModel()->setCurrentIndex(grid()->model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }
    // The price of piece `column` typed into the price grid.
    void typePrice(int column, const QString &text)
    {
        QAbstractItemModel *prices = grid(u"grdPreise"_s)->model();
        prices->setData(prices->index(0, column), text, Qt::EditRole);
    }
    // The parts list as "Stück count@article ...".
    QString partsText() const
    {
        QString shown = cellText(grid(u"grdStck"_s), 0, 0);
        for (int c = 1; c < 10; ++c) {
            if (const QString count = cellText(grid(u"grdStck"_s), 0, c); !count.isEmpty())
                shown += u' ' + count + u'@' + TrackCatalogue::pieces()[c - 1].articleNumber;
        }
        return shown;
    }

    // The header lays out its sections only once the window is shown.
    void clickHeader(int column)
    {
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        openWindow();
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
    }
    void cleanup() { dropAll(); }

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
        m_w->show();
        QCOMPARE(m_w->windowHandle()->title(), u" Torvelin für märklin C-Gleise"_s);
    }

    // Nothing frames the window here: its client area is the whole outer size.
    void outerSize()
    {
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        const QMargins frame = m_w->windowHandle()->frameMargins();
        QCOMPARE(m_w->frameGeometry().size(), QSize(1024, 740));
        QCOMPARE(m_w->size(),
                 QSize(1024 - frame.left() - frame.right(), 740 - frame.top() - frame.bottom()));
    }

    // The shipped SVG as the window icon, the pictures of the buttons and
    // the logo: each needs Qt's SVG support at run time.
    void pictures()
    {
        QVERIFY(!m_w->windowIcon().pixmap(QSize(16, 16)).isNull());
        for (const QString &button : {u"btnSort"_s, u"btnDrucken"_s, u"btnBeenden"_s})
            QVERIFY2(!child<QPushButton>(button)->icon().pixmap(QSize(16, 16)).isNull(),
                     qPrintable(button));
        QCOMPARE(child<QLabel>(u"Image2"_s)->pixmap().size(), QSize(51, 33));
    }

    // Tab moves through the controls in this order, and on round again.
    void focusOrder()
    {
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        child(u"txtLaenge"_s)->setFocus();
        QStringList order;
        for (int i = 0; i < 14; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order.join(u' '), u"txtLaenge btnStart grdTabelle txtToleranz(0) scrToleranz(0) "
                                   "txtToleranz(1) scrToleranz(1) btnBeenden grdPreise grdStck "
                                   "btnDrucken chkCellStyle(0) chkCellStyle(1) txtLaenge"_s);
    }

    // What a screen reader announces for each control, captions and focus
    // order unchanged.
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        const QString none;
        const QList<std::tuple<const char *, QString, QString>> controls{
            {"frmTorvelin", u" Torvelin für märklin C-Gleise"_s, none},
            {"txtLaenge", u"gesuchte Länge in mm"_s, none},
            {"btnStart", u"suchen"_s, none},
            {"btnSort", u"sortiert nach Gleislänge"_s, none},
            {"btnDrucken", u"Stückliste drucken"_s, none},
            {"btnBeenden", u"beenden"_s, none},
            {"grdTabelle", u"Ergebnisse"_s, u"Passende Gleiskombinationen"_s},
            {"chkCellStyle(0)", u"Gleislängen farbig markieren"_s, none},
            {"chkCellStyle(1)", u"Artikelnummern farbig markieren"_s, none},
            {"lblCount", u"Anzahl gefundener Kombinationen"_s, none},
            {"txtToleranz(0)", u"Minus-Toleranz in mm"_s, none},
            {"scrToleranz(0)", u"Minus-Toleranz"_s, none},
            {"scrToleranz(1)", u"Plus-Toleranz"_s, none},
            {"txtToleranz(1)", u"Plus-Toleranz in mm"_s, none},
            {"grdPreise", u"Stückpreise"_s, none},
            {"grdStck", u"Stückliste"_s, none},
            {"Image2", u"Logo"_s, u"© 2026 die Torvelin-Entwickler"_s},
            {"SSPanel(0)", u"Suche und Ergebnisse"_s, none},
            {"SSPanel1", u"Toleranzbereich"_s, none},
            {"Frame(0)", u" Toleranzen "_s, none},
            {"Label(0)", u"gesuchte Länge"_s, none},
            {"Label(1)", u"mm"_s, none},
            {"Label(2)", u"gefunden"_s, none},
            {"Label(5)", u"plus"_s, none},
            {"Label(6)", u"minus"_s, none},
            {"Label(7)", u"     9        6       3       0"_s, none},
            {"Label(9)", u"mm"_s, none},
            {"Label(10)", u"mm"_s, none},
            {"Label(17)", u"     0        3        6       9"_s, none},
            {"Label(18)", u"© 2026 die Torvelin-Entwickler"_s, none},
            {"lblRelease", u"Rel. : 1.0.0"_s, none},
            {"lblStand", u"Stand: 06.12.2026"_s, none}};
        for (const auto &[control, name, description] : controls)
            QTest::newRow(control) << name << description;
    }
    void accessibleNames()
    {
        QWidget *control = m_w->objectName() == QLatin1StringView(QTest::currentDataTag())
                               ? m_w.get()
                               : child<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(control);
        QVERIFY(accessible);
        QTEST(accessible->text(QAccessible::Name), "name");
        QFETCH(QString, description);
        if (!description.isNull())
            QCOMPARE(accessible->text(QAccessible::Description), description);
    }

    // Every control of the window has its row above.
    void accessibleNamesForEveryControl()
    {
        QStringList named;
        for (const QWidget *w : m_w->findChildren<QWidget *>()) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
                named << w->objectName();
        }
        named.sort();
        QStringList expected = u"txtLaenge btnStart btnSort btnDrucken btnBeenden grdTabelle "
                               "chkCellStyle(0) chkCellStyle(1) lblCount txtToleranz(0) "
                               "scrToleranz(0) scrToleranz(1) txtToleranz(1) grdPreise grdStck "
                               "Image2 SSPanel(0) SSPanel1 Frame(0) Label(0) Label(1) Label(2) "
                               "Label(5) Label(6) Label(7) Label(9) Label(10) Label(17) Label(18) "
                               "lblRelease lblStand"_s.split(u' ');
        expected.sort();
        QCOMPARE(named, expected);
    }

    void lengthBoxTakesDigitsOnly_data()
    {
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        QTest::addColumn<QString>("found"); // by a search the keys start
        // Each character a key; the last one with `modifiers`.
        const auto typed = [](const char *text, Qt::KeyboardModifiers modifiers = {}) {
            QTestEventList keys;
            for (const char *c = text; *c; ++c)
                keys.addKeyClick(*c, c[1] ? Qt::NoModifier : modifiers);
            return keys;
        };
        QTest::newRow("fifth digit") << typed("12005") << u"1200"_s << 0 << u"0"_s;
        QTest::newRow("letter") << typed("a") << QString() << 1 << u"0"_s;
        QTest::newRow("Enter") << typed("360\r") << u"360"_s << 0 << u"3"_s;
        // A mnemonic clicks its button as the mouse does, released by a timer.
        QTest::newRow("Alt+S") << typed("360s", Qt::AltModifier) << u"360"_s << 0 << u"3"_s;
    }
    void lengthBoxTakesDigitsOnly()
    {
        QFETCH(QTestEventList, keys);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        // Digits on the clipboard, so that a paste that slipped through shows.
        QGuiApplication::clipboard()->setText(u"77"_s);
        child(u"txtLaenge"_s)->setFocus();
        keys.simulate(child(u"txtLaenge"_s));
        child(u"txtLaenge"_s)->insert(u",5"_s); // as pasted by other means
        // Some platforms send Ctrl+V with no text: refused all the same.
        QTest::sendKeyEvent(QTest::Click, child(u"txtLaenge"_s), Qt::Key_V, QString(),
                            Qt::ControlModifier);
        QFETCH(QString, found);
        QFETCH(int, beeps);
        QTRY_COMPARE(count(), found);
        QTEST(child(u"txtLaenge"_s)->text(), "text");
        QCOMPARE(m_ui.beeps, beeps + 1);
    }

    // However the length box gets the focus, its whole text ends up
    // selected, so that a new length replaces the old one.
    void lengthBoxSelectsOnFocus_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("how");
        QTest::newRow("mouse click") << u"btnStart"_s << u"click"_s;
        QTest::newRow("Shift+Tab") << u"btnStart"_s << u"backtab"_s;
        QTest::newRow("Tab from the last control") << u"chkCellStyle(1)"_s << u"tab"_s;
    }
    void lengthBoxSelectsOnFocus()
    {
        QFETCH(QString, from);
        QFETCH(QString, how);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QLineEdit *box = child(u"txtLaenge"_s);
        box->setText(u"1200"_s);
        child<QWidget>(from)->setFocus();
        QVERIFY(!box->hasFocus());
        if (how == u"click")
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
        else
            QTest::keyClick(QApplication::focusWidget(),
                            how == u"tab" ? Qt::Key_Tab : Qt::Key_Backtab);
        QVERIFY(box->hasFocus());
        QCOMPARE(box->selectedText(), u"1200"_s);
        QTest::keyClicks(box, u"360"_s);
        QCOMPARE(box->text(), u"360"_s);
    }

    // What a search leaves: the count, the rows shown, the focus on the
    // first result; or a refusal that changes nothing and selects the box.
    void searchFromTheInputs_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("tolerance"); // in both boxes
        QTest::addColumn<QString>("during");    // typed and started at the search's first pump
        QTest::addColumn<QString>("message");   // its start; null: none
        QTest::addColumn<QString>("refusedBox");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("firstRow");
        const QString tooShort = refused + u"Die minimal anzugebende Länge beträgt 60 mm !"_s;
        // What a refused search leaves: 64,3 found for 64 + 1 before.
        const QString kept = u"64,3 64,3 24064 0,00"_s;
        const QString none;
        QTest::newRow("360") << u"360"_s << none << none << none << none << 3 << row360;
        QTest::newRow("59") << u"59"_s << u"0"_s << none << tooShort << u"txtLaenge"_s << 1 << kept;
        QTest::newRow("letters, minus box first")
            << u"360"_s << u"a"_s << none << refused << u"txtToleranz(0)"_s << 1 << kept;
        QTest::newRow("restarted during a search")
            << u"1000"_s << u"0"_s << u"360"_s << none << none << 3 << row360;
        QTest::newRow("refused during a search, which goes on")
            << u"1000"_s << u"0"_s << u"59"_s << tooShort << u"txtLaenge"_s << 5
            << u"360,0 171,7 171,7 77,5 77,5 70,8 70,8 1.000,0 24360 24172 24172 "
               "24077 24077 24071 24071 0,00"_s;
    }
    void searchFromTheInputs()
    {
        QFETCH(QString, length);
        QFETCH(QString, tolerance);
        QFETCH(QString, during);
        QFETCH(QString, message);
        QFETCH(int, found);
        search(u"64"_s, u"0"_s, u"1"_s);
        // Both bars back at 0, so that a letter put into a box stays there.
        type(u"txtToleranz(1)"_s, u"0"_s);
        child(u"txtLaenge"_s)->setFocus();
        if (!during.isNull()) {
            QTimer::singleShot(0, m_w.get(), [&] {
                type(u"txtLaenge"_s, during);
                QTest::mouseClick(child<QPushButton>(u"btnStart"_s), Qt::LeftButton);
            });
        }
        search(length, tolerance, tolerance);
        QCOMPARE(m_ui.messages.size(), message.isNull() ? 0 : 1);
        if (!message.isNull()) {
            QVERIFY2(m_ui.messages[0].startsWith(message), qPrintable(m_ui.messages[0]));
            QFETCH(QString, refusedBox);
            QCOMPARE(child(refusedBox)->selectedText(), child(refusedBox)->text());
        } else {
            // The results grid has the focus, its first row current.
            QCOMPARE(m_w->focusWidget(), grid());
            QCOMPARE(grid()->currentIndex(), grid()->model()->index(0, 0));
            QCOMPARE(grid()->selectionModel()->selectedRows(),
                     QModelIndexList{grid()->currentIndex()});
        }
        QCOMPARE(count(), QString::number(found));
        QCOMPARE(grid()->model()->rowCount(), found);
        QTEST(rowTexts(grid()).first(), "firstRow");
    }

    // A header click sorts; the current row keeps its place and the parts
    // list follows the row that now stands there. Prices make the three
    // results of 360 differ: 9,00, 2,00 and 3,00.
    void headerClicksSort_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("prices"); // of the rows after the sort
        QTest::addColumn<QString>("parts");      // of the current row after the sort
        const QStringList unsorted{u"9,00"_s, u"2,00"_s, u"3,00"_s};
        QTest::newRow("one row") << u"3240"_s << 19 << nothingToSort << QStringList{u"81,00"_s}
                                 << u"Stück 9@24360"_s;
        QTest::newRow("L3") << u"360"_s << 2 << QString() << unsorted << u"Stück 1@24188 1@24172"_s;
        QTest::newRow("price") << u"360"_s << 19 << QString()
                               << QStringList{u"2,00"_s, u"3,00"_s, u"9,00"_s}
                               << u"Stück 1@24188 1@24094 1@24077"_s;
    }
    void headerClicksSort()
    {
        QFETCH(QString, length);
        QFETCH(int, column);
        QFETCH(QString, message);
        typePrice(1, u"9"_s);
        for (int p = 2; p <= 9; ++p)
            typePrice(p, u"1"_s);
        search(length);
        if (grid()->model()->rowCount() > 1)
            choose(1);
        for (int click = 0; click < 2; ++click) { // the same order again
            clickHeader(column);
            QStringList prices;
            for (int r = 0; r < grid()->model()->rowCount(); ++r)
                prices << cellText(grid(), r, 19);
            QTEST(prices, "prices");
        }
        QCOMPARE(m_ui.messages.join(u'\n'),
                 message.isNull() ? QString() : message + u'\n' + message);
        if (grid()->model()->rowCount() > 1)
            QCOMPARE(grid()->currentIndex().row(), 1);
        QTEST(partsText(), "parts");
    }

    // The minus bar runs from 9 at its left end to 0 at its right end, so
    // that an arrow moves the thumb towards itself on either bar.
    void toleranceBoxAndBarInStep_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("barBefore");
        QTest::addColumn<QString>("action"); // "type" what, or click an arrow
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("3 typed into minus") << 0 << 0 << u"type 3"_s << u"3"_s << 3;
        QTest::newRow("letter while at 4") << 1 << 4 << u"type x"_s << u"0"_s << 0;
        QTest::newRow("deleted while at 6") << 1 << 6 << u"type "_s << u"0"_s << 0;
        QTest::newRow("deleted while at 0") << 0 << 0 << u"type "_s << u""_s << 0;
        QTest::newRow("minus, left arrow") << 0 << 5 << u"left"_s << u"6"_s << 6;
        QTest::newRow("minus, right arrow") << 0 << 5 << u"right"_s << u"4"_s << 4;
        QTest::newRow("plus, right arrow") << 1 << 5 << u"right"_s << u"6"_s << 6;
    }
    void toleranceBoxAndBarInStep()
    {
        QFETCH(int, index);
        QFETCH(int, barBefore);
        QFETCH(QString, action);
        QLineEdit *box = child(u"txtToleranz(%1)"_s.arg(index));
        auto *bar = child<QScrollBar>(u"scrToleranz(%1)"_s.arg(index));
        bar->setValue(barBefore);
        QCOMPARE(box->text(), QString::number(barBefore));
        if (action.startsWith(u"type ")) {
            box->selectAll(); // the typed key replaces the old digit
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, action.mid(5));
        } else { // the arrow buttons sit at the bar's two ends
            const int x = action == u"left" ? 3 : bar->width() - 4;
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, bar->height() / 2));
        }
        QTEST(box->text(), "text");
        QTEST(bar->value(), "value");
    }

    // The check boxes switch the marking of their columns in the results
    // and the colours of the price grid; the marking outlives a search.
    void colourMarking_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QString>("marked");
        QTest::newRow("lengths") << QList<int>{0} << u"lengths"_s;
        QTest::newRow("articles") << QList<int>{1} << u"articles"_s;
        QTest::newRow("both, then lengths off") << QList<int>{0, 1, 0} << u"articles"_s;
        QTest::newRow("both off again") << QList<int>{0, 1, 0, 1} << QString();
    }
    void colourMarking()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(QString, marked);
        QSignalSpy priceRedraws(grid(u"grdPreise"_s)->model(), &QAbstractItemModel::dataChanged);
        for (int box : clicks) {
            auto *check = child<QCheckBox>(u"chkCellStyle(%1)"_s.arg(box));
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        }
        QVERIFY(priceRedraws.count() >= clicks.size()); // recoloured on every click
        search(u"360"_s);
        // Row 0 holds 360,0 and 24360; the price grid's first piece is 24360.
        const auto background = [](const QAbstractItemView *view, int column) {
            return view->model()->index(0, column).data(Qt::BackgroundRole).toString();
        };
        QCOMPARE(background(grid(), 0), marked == u"lengths" ? u"#c00000"_s : QString());
        QCOMPARE(background(grid(), 10), marked == u"articles" ? u"#c00000"_s : QString());
        QCOMPARE(background(grid(u"grdPreise"_s), 1),
                 marked.isEmpty() ? u"#ffffff"_s : u"#c00000"_s);
    }

    void priceEdit_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QString>("nextPrice"); // of the "24360" row at the next search
        QTest::newRow("under 24 229") << 3 << u"7,99"_s << u"7,99"_s << u"7,99"_s << 0 << u"2,00"_s;
        QTest::newRow("grouped under 24 360")
            << 1 << u"1234,5"_s << u"1234,5"_s << u"1.234,50"_s << 0 << u"1.234,50"_s;
        QTest::newRow("letters refused")
            << 1 << u"abc"_s << u"2,00"_s << u"2,00"_s << 1 << u"2,00"_s;
        QTest::newRow("emptied") << 1 << u""_s << u""_s << u""_s << 0 << u"0,00"_s;
    }
    void priceEdit()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        for (int p = 1; p <= 9; ++p)
            m_w->priceStore().setPrice(p, u"2,00"_s);
        search(u"360"_s);
        QAbstractItemModel *prices = grid(u"grdPreise"_s)->model();
        prices->setData(prices->index(0, column), typed, Qt::EditRole);
        QTEST(m_w->priceStore().price(column), "stored");
        QTEST(cellText(grid(u"grdPreise"_s), 0, column), "shown");
        QTEST(int(m_ui.messages.size()), "messages");
        // Results already shown keep their prices; the next search takes the new one.
        QCOMPARE(cellText(grid(), 0, 19), u"2,00"_s);
        search(u"360"_s);
        QTEST(cellText(grid(), 0, 19), "nextPrice");
    }

    // The page holds the current row, not the first one; a cancelled
    // printer dialog prints nothing.
    void printingTheChosenRow()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; tools/setup.sh installs it");
        search(u"360"_s, u"9"_s, u"9"_s);
        choose(2);
        QCOMPARE_NE(cellText(grid(), 2, 9), cellText(grid(), 0, 9));
        auto *print = child<QPushButton>(u"btnDrucken"_s);
        m_ui.acceptPrinter = false;
        QTest::mouseClick(print, Qt::LeftButton);
        QVERIFY(!QFile::exists(m_ui.pdfPath));
        m_ui.acceptPrinter = true;
        QTest::mouseClick(print, Qt::LeftButton);
        QProcess text;
        text.start(pdftotext, {u"-layout"_s, m_ui.pdfPath, u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(page.contains(cellText(grid(), 2, 9) + u" mm"), qPrintable(page));
        QVERIFY2(!page.contains(cellText(grid(), 0, 9) + u" mm"), qPrintable(page));
        QVERIFY(m_ui.messages.isEmpty());
    }

    // Closing while a search runs saves the settings once, stops the
    // search at once and ends the program.
    void closingDuringASearch()
    {
        // Saving fails here, and says so: each save shows one message.
        QVERIFY(QFile(m_dir->filePath(u"blocker"_s)).open(QIODevice::WriteOnly));
        m_w = std::make_unique<FrmTorvelin>(
            m_ui, SettingsLocation::Paths{iniPath(), m_dir->filePath(u"blocker/Torvelin.ini"_s)});
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QTimer::singleShot(0, m_w.get(), [this] {
            QTimer::singleShot(0, m_w.get(), [this] {
                QTest::mouseClick(child<QPushButton>(u"btnBeenden"_s), Qt::LeftButton);
            });
            search(u"1265"_s, u"9"_s, u"9"_s);
        });
        QTimer guard; // only for a program that would never end
        guard.callOnTimeout([] { QCoreApplication::exit(1); });
        guard.start(60'000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!m_w->isVisible());
        QCOMPARE(grid()->model()->rowCount(), 1); // the results of no finished search
        QVERIFY(count().toInt() < 929);
        m_w->close(); // a further close request, as the window system may send
        QCOMPARE(m_ui.messages.size(), 1);
    }
};

QTEST_MAIN(TstFrmTorvelin)
#include "tst_frmtorvelin.moc"
