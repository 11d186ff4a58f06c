#include "testinteraction.h"

#include "app/FrmTorvelin.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

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

// The sort key of a row: a shown number ("1.256,0", ",75") or, for column
// 10, the nine article cells padded to five characters, so that comparing
// the keys compares the cells one by one with an empty cell lowest.
QVariant sortKey(const QAbstractItemView *view, int row, int column)
{
    if (column != 10) {
        const QString text = cellText(view, row, column);
        return QLocale().toDouble(text.startsWith(u',') ? u'0' + text : text);
    }
    QString key;
    for (int c = 10; c <= 18; ++c)
        key += cellText(view, row, c).leftJustified(5);
    return key;
}

const QString row360 = u"360,0 360,0 24360 ,00"_s;
const QString row1000 =
    u"360,0 171,7 171,7 77,5 77,5 70,8 70,8 1.000,0 24360 24172 24172 24077 24077 24071 24071 ,00"_s;

} // namespace

class TstFrmTorvelin : public QObject, WindowFixture
{
    Q_OBJECT

    QTableView *grid(const QString &name = u"grdTabelle"_s) const
    {
        return child<QTableView>(name);
    }
    QString count() const { return child<QLabel>(u"lblCount"_s)->text(); }

    void search(const QString &length, const QString &minus = u"0"_s, const QString &plus = u"0"_s)
    {
        child(u"txtToleranz(0)"_s)->setText(minus);
        child(u"txtToleranz(1)"_s)->setText(plus);
        child(u"txtLaenge"_s)->setText(length);
        m_w->btnStart_Click();
    }

    // Clicks a header of the results grid, found by its caption. The header
    // lays out its sections only once the window is shown.
    void clickHeader(const QString &caption)
    {
        if (!m_w->isVisible()) {
            m_w->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        }
        QHeaderView *header = grid()->horizontalHeader();
        int c = 0;
        while (c < header->count() && header->model()->headerData(c, Qt::Horizontal) != caption)
            ++c;
        QVERIFY2(c < header->count(), qPrintable(caption));
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        makeFolder();
        openWindow(QString());
    }
    void cleanup() { dropAll(); }

    void lengthBoxTakesDigitsOnly_data()
    {
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("beeps");
        const auto typed = [](const char *text, Qt::Key key = Qt::Key_unknown,
                              Qt::KeyboardModifiers modifiers = {}) {
            QTestEventList keys;
            keys.addKeyClicks(QString::fromLatin1(text));
            if (key != Qt::Key_unknown)
                keys.addKeyClick(key, modifiers);
            return keys;
        };
        QTest::newRow("four digits") << typed("1200") << QString() << u"1200"_s << 0;
        QTest::newRow("fifth digit") << typed("12005") << QString() << u"1200"_s << 0;
        QTest::newRow("backspace")
            << typed("1200", Qt::Key_Backspace) << QString() << u"120"_s << 0;
        for (const char *c : {",", ".", "-", "a", " "})
            QTest::addRow("typed '%s'", c) << typed(c) << QString() << QString() << 1;
        QTest::newRow("Ctrl+V") << typed("12", Qt::Key_V, Qt::ControlModifier) << QString()
                                << u"12"_s << 1;
        QTest::newRow("pasted 60.5") << QTestEventList() << u"60.5"_s << QString() << 0;
        QTest::newRow("pasted 3,4 after 12") << typed("12") << u"3,4"_s << u"12"_s << 0;
    }
    void lengthBoxTakesDigitsOnly()
    {
        QFETCH(QTestEventList, keys);
        QFETCH(QString, pasted);
        // Digits on the clipboard, so that a paste that slipped through shows.
        QGuiApplication::clipboard()->setText(u"77"_s);
        keys.simulate(child(u"txtLaenge"_s));
        if (!pasted.isNull())
            child(u"txtLaenge"_s)->insert(pasted);
        QTEST(child(u"txtLaenge"_s)->text(), "text");
        QTEST(m_ui.beeps, "beeps");
    }

    void enterAndAltSStartTheSearch_data()
    {
        QTest::addColumn<bool>("altS");
        QTest::newRow("Enter in the length box") << false;
        QTest::newRow("Alt+S") << true;
    }
    void enterAndAltSStartTheSearch()
    {
        QFETCH(bool, altS);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QLineEdit *box = child(u"txtLaenge"_s);
        box->setFocus();
        box->setText(u"360"_s);
        if (altS) {
            // A mnemonic clicks its button as the mouse does: pressed at
            // once, released by the button's own short timer.
            QSignalSpy clicked(child<QPushButton>(u"btnStart"_s), &QAbstractButton::clicked);
            QTest::keyClick(m_w.get(), Qt::Key_S, Qt::AltModifier);
            QTRY_COMPARE(clicked.count(), 1);
        } else {
            QTest::keyClick(box, Qt::Key_Return);
        }
        QCOMPARE(count(), u"3"_s);
        QCOMPARE(grid()->model()->rowCount(), 3);
        QCOMPARE(m_ui.beeps, 0);
    }

    void searchFromTheInputs_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("minus");
        QTest::addColumn<QString>("plus");
        QTest::addColumn<QString>("message"); // null: none; empty: a warning in any words
        QTest::addColumn<int>("found");
        QTest::addColumn<QStringList>("rows"); // empty: only the count is checked
        const QStringList rows360{row360, u"188,3 171,7 360,0 24188 24172 ,00"_s,
                                  u"188,3 94,2 77,5 360,0 24188 24094 24077 ,00"_s};
        const QStringList earlier{u"64,3 64,3 24064 ,00"_s};
        const QString tooShort = u"Die minimal anzugebende Länge beträgt 60 mm !       "_s;
        QTest::newRow("360 exact") << u"360"_s << u"0"_s << u"0"_s << QString() << 3 << rows360;
        QTest::newRow("empty minus box")
            << u"360"_s << u""_s << u"0"_s << QString() << 3 << rows360;
        QTest::newRow("60 finds nothing")
            << u"60"_s << u"0"_s << u"0"_s << QString() << 0 << QStringList{QString()};
        QTest::newRow("1265 widest")
            << u"1265"_s << u"9"_s << u"9"_s << QString() << 929 << QStringList();
        QTest::newRow("59") << u"59"_s << u"0"_s << u"0"_s << tooShort << 1 << earlier;
        QTest::newRow("3241") << u"3241"_s << u"0"_s << u"0"_s
                              << u"Die maximal berechenbare Länge beträgt 3.240 mm !       "_s << 1
                              << earlier;
        QTest::newRow("empty length") << QString() << u"0"_s << u"0"_s << tooShort << 1 << earlier;
        QTest::newRow("letter in minus box")
            << u"360"_s << u"a"_s << u"0"_s << u""_s << 1 << earlier;
        QTest::newRow("letter in plus box")
            << u"360"_s << u"0"_s << u"x"_s << u""_s << 1 << earlier;
    }
    void searchFromTheInputs()
    {
        QFETCH(QString, length);
        QFETCH(QString, message);
        QFETCH(int, found);
        QFETCH(QStringList, rows);
        // An earlier result for a refused search to keep; then both bars at
        // 0 again, so that a letter put into a box stays there.
        search(u"64"_s, u"0"_s, u"1"_s);
        child(u"txtToleranz(1)"_s)->setText(u"0"_s);
        QFETCH(QString, minus);
        QFETCH(QString, plus);
        search(length, minus, plus);
        QCOMPARE(m_ui.messages.size(), message.isNull() ? 0 : 1);
        if (!message.isNull()) {
            QCOMPARE(m_ui.messages[0].icon, QMessageBox::Warning);
            QCOMPARE(m_ui.messages[0].title, u"Stückzahl ermitteln..."_s);
        }
        if (!message.isEmpty()) {
            QCOMPARE(m_ui.messages[0].text, message);
            QCOMPARE(child(u"txtLaenge"_s)->selectedText(), length);
        }
        QCOMPARE(count(), QString::number(found));
        QCOMPARE(grid()->model()->rowCount(), std::max(found, 1));
        if (!rows.isEmpty())
            QCOMPARE(rowTexts(grid()), rows);
    }

    void headerClicksSort_data()
    {
        QTest::addColumn<QString>("length"); // empty: no search
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("key"); // -1: nothing to sort, 0: order unchanged
        QTest::newRow("before any search") << QString() << u" Länge "_s << -1;
        QTest::newRow("one row") << u"3240"_s << u"Preis "_s << -1;
        QTest::newRow("L3") << u"1000"_s << u"L3"_s << 0;
        QTest::newRow("length") << u"1000"_s << u" Länge "_s << 9;
        QTest::newRow("price") << u"1000"_s << u"Preis "_s << 19;
        QTest::newRow("first piece") << u"1000"_s << u"Gl1 "_s << 10;
    }
    void headerClicksSort()
    {
        QFETCH(QString, length);
        QFETCH(QString, header);
        QFETCH(int, key);
        // Sums on both sides of 1.000,0 and prices from ",10" to "19,21": as
        // texts, neither would sort in the order of their numbers.
        const char *prices[] = {"0,01", "0,02", "0,03", "0,04", "0,05",
                                "2,10", "2,30", "2,50", "2,70"};
        for (int p = 1; p <= 9; ++p)
            m_w->priceStore().setPrice(p, QString::fromLatin1(prices[p - 1]));
        if (!length.isEmpty())
            search(length, u"9"_s, u"9"_s);
        const QStringList before = rowTexts(grid());
        clickHeader(header);

        if (key < 0) {
            QCOMPARE(m_ui.messages.size(), 1);
            QCOMPARE(m_ui.messages[0].icon, QMessageBox::Information);
            QCOMPARE(m_ui.messages[0].title, u" nach Gleislänge sortieren..."_s);
            QCOMPARE(m_ui.messages[0].text,
                     u" Sorry, aber es gibt nichts zu sortieren !           "_s);
            QCOMPARE(rowTexts(grid()), before);
            return;
        }
        QVERIFY(m_ui.messages.isEmpty());
        const QStringList after = rowTexts(grid());
        QStringList a = after, b = before;
        a.sort();
        b.sort();
        QCOMPARE(a, b); // whole rows move, nothing else changes
        QCOMPARE(after == before, key == 0);
        for (int r = 0; key > 0 && r + 1 < after.size(); ++r) {
            const QVariant x = sortKey(grid(), r, key), y = sortKey(grid(), r + 1, key);
            // Articles descending, longest piece first; sums and prices ascending.
            QVERIFY2(key == 10 ? x.toString() >= y.toString() : x.toDouble() <= y.toDouble(),
                     qPrintable(after[r]));
        }
        clickHeader(header);
        QCOMPARE(rowTexts(grid()), after);
    }

    void partsListFollowsTheCurrentRow_data()
    {
        QTest::addColumn<QString>("length"); // empty: no search
        QTest::addColumn<QString>("sortBy");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("parts");
        const QStringList fourth{u"Stück"_s, u"1"_s, {}, {}, {}, {}, u"2"_s, u"4"_s, u"2"_s, {}};
        QTest::newRow("before any search")
            << QString() << QString() << -1
            << QStringList{u"Stück"_s, {}, {}, {}, {}, {}, {}, {}, {}, {}};
        QTest::newRow("first of 1000")
            << u"1000"_s << QString() << 0
            << QStringList{u"Stück"_s, u"1"_s, {}, {}, {}, u"2"_s, {}, u"2"_s, u"2"_s, {}};
        QTest::newRow("fourth of 1000") << u"1000"_s << QString() << 3 << fourth;
        // Sorted by the pieces, the fourth row moves to third place.
        QTest::newRow("third after sorting") << u"1000"_s << u"Gl1 "_s << 2 << fourth;
    }
    void partsListFollowsTheCurrentRow()
    {
        QFETCH(QString, length);
        QFETCH(QString, sortBy);
        QFETCH(int, row);
        if (length.isEmpty()) {
            QCOMPARE(rowTexts(grid()), QStringList{QString()});
            QCOMPARE(count(), u"0"_s);
            QCOMPARE(cellText(grid(u"grdPreise"_s), 0, 0), u"Preise"_s);
        } else {
            search(length);
        }
        if (!sortBy.isEmpty())
            clickHeader(sortBy);
        if (row >= 0)
            grid()->setCurrentIndex(grid()->model()->index(row, 0));
        QStringList shown;
        for (int c = 0; c < 10; ++c)
            shown << cellText(grid(u"grdStck"_s), 0, c);
        QTEST(shown, "parts");
    }

    void secondStartDuringASearch_data()
    {
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("found");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<int>("messages");
        QTest::newRow("restarts") << u"360"_s << 3 << row360 << 0;
        QTest::newRow("refused leaves the first running") << u"59"_s << 5 << row1000 << 1;
    }
    void secondStartDuringASearch()
    {
        QFETCH(QString, second);
        QFETCH(int, found);
        bool fired = false;
        // Runs at the first event pump of the search below.
        QTimer::singleShot(0, m_w.get(), [&] {
            fired = true;
            child(u"txtLaenge"_s)->setText(second);
            m_w->btnStart_Click();
        });
        search(u"1000"_s);
        QVERIFY(fired);
        QCOMPARE(count(), QString::number(found));
        QCOMPARE(grid()->model()->rowCount(), found);
        QTEST(rowTexts(grid()).value(0), "firstRow");
        QTEST(int(m_ui.messages.size()), "messages");
    }

    // The minus bar runs from 9 at its left end to 0 at its right end, so
    // that an arrow moves the thumb towards itself on either bar.
    void toleranceBoxAndBarInStep_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("barBefore");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("minus bar to 9") << 0 << 0 << u"bar 9"_s << u"9"_s << 9;
        QTest::newRow("plus bar to 9") << 1 << 0 << u"bar 9"_s << u"9"_s << 9;
        QTest::newRow("5 typed into plus") << 1 << 0 << u"type 5"_s << u"5"_s << 5;
        QTest::newRow("3 typed into minus") << 0 << 0 << u"type 3"_s << u"3"_s << 3;
        QTest::newRow("letter while at 4") << 1 << 4 << u"type x"_s << u"0"_s << 0;
        QTest::newRow("deleted while at 6") << 1 << 6 << u"type "_s << u"0"_s << 0;
        QTest::newRow("deleted while at 0") << 0 << 0 << u"type "_s << u""_s << 0;
        QTest::newRow("minus, left arrow") << 0 << 5 << u"left"_s << u"6"_s << 6;
        QTest::newRow("minus, right arrow") << 0 << 5 << u"right"_s << u"4"_s << 4;
        QTest::newRow("plus, left arrow") << 1 << 5 << u"left"_s << u"4"_s << 4;
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
        if (action.startsWith(u"bar ")) {
            bar->setValue(action.mid(4).toInt());
        } else if (action.startsWith(u"type ")) {
            box->selectAll(); // the typed key replaces the old digit
            if (action.size() == 5)
                QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, action.mid(5));
        } else { // the arrow buttons sit at the bar's two ends
            const int x = action == u"left" ? 3 : bar->width() - 4;
            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(x, bar->height() / 2));
        }
        QTEST(box->text(), "text");
        QTEST(bar->value(), "value");
    }

    void colourMarking_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<bool>("lengths");
        QTest::addColumn<bool>("articles");
        QTest::newRow("lengths") << QList<int>{0} << true << false;
        QTest::newRow("articles") << QList<int>{1} << false << true;
        QTest::newRow("both") << QList<int>{0, 1} << true << true;
        QTest::newRow("lengths off again") << QList<int>{0, 1, 0} << false << true;
        QTest::newRow("both off again") << QList<int>{0, 1, 0, 1} << false << false;
    }
    void colourMarking()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(bool, lengths);
        QFETCH(bool, articles);
        QSignalSpy priceRedraws(grid(u"grdPreise"_s)->model(), &QAbstractItemModel::dataChanged);
        for (int box : clicks)
            child<QCheckBox>(u"chkCellStyle(%1)"_s.arg(box))->click();
        QVERIFY(priceRedraws.count() >= clicks.size()); // recoloured on every click
        search(u"360"_s); // the marking belongs to columns and outlives a search

        // Length and article columns mirror each other: row 0 starts with
        // "360,0" / "24360", row 2 holds "94,2" / "24094" second, row 0 has
        // nothing second.
        using Colours = std::pair<QVariant, QVariant>; // background, text
        const auto colours = [&](int row, int column) {
            const QModelIndex cell = grid()->model()->index(row, column);
            return Colours(cell.data(Qt::BackgroundRole), cell.data(Qt::ForegroundRole));
        };
        for (const int first : {0, 10}) {
            const bool on = first == 0 ? lengths : articles;
            QCOMPARE(colours(0, first),
                     on ? Colours(QColor(192, 0, 0), QColor(Qt::white)) : Colours());
            QCOMPARE(colours(2, first + 1), on ? Colours(QColor(192, 192, 0), {}) : Colours());
            QCOMPARE(colours(0, first + 1), Colours());
        }
        QCOMPARE(colours(0, 9), Colours());
        QCOMPARE(colours(0, 19), Colours());
        const QColor pieces[] = {{192, 0, 0},   {255, 0, 0}, {192, 0, 192},
                                 {0, 128, 0},   {0, 192, 0}, {192, 192, 0},
                                 {0, 192, 192}, {0, 0, 255}, {167, 106, 33}};
        const bool on = lengths || articles;
        for (int c = 0; c < 10; ++c) {
            const QModelIndex cell = grid(u"grdPreise"_s)->model()->index(0, c);
            const auto background = cell.data(Qt::BackgroundRole).value<QColor>();
            QCOMPARE(cell.data(Qt::ForegroundRole).value<QColor>(),
                     QColor(on ? Qt::white : Qt::black));
            if (c > 0 || !on) // the caption column keeps a background of its own
                QCOMPARE(background, on ? pieces[c - 1] : QColor(Qt::white));
        }
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
        QTest::newRow("under 24 360") << 1 << u"7,99"_s << u"7,99"_s << u"7,99"_s << 0 << u"7,99"_s;
        QTest::newRow("grouped") << 1 << u"1234,5"_s << u"1234,5"_s << u"1.234,50"_s << 0
                                 << u"1234,50"_s;
        QTest::newRow("letters refused")
            << 1 << u"abc"_s << u"2,00"_s << u"2,00"_s << 1 << u"2,00"_s;
        QTest::newRow("emptied") << 1 << u""_s << u""_s << u""_s << 0 << u",00"_s;
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

    void printing_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("printer chosen") << true;
        QTest::newRow("dialog cancelled") << false;
    }
    void printing()
    {
        QFETCH(bool, accept);
        m_ui.acceptPrinter = accept;
        search(u"360"_s);
        m_w->btnDrucken_Click();
        QVERIFY(m_ui.messages.isEmpty());
        QFile pdf(m_ui.pdfPath);
        QCOMPARE(pdf.open(QIODevice::ReadOnly), accept);
        if (accept)
            QVERIFY(pdf.readAll().startsWith("%PDF"));
    }

    void resultsModelStaysConsistent()
    {
        QAbstractItemModelTester tester(grid()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        search(u"1000"_s);
        clickHeader(u" Länge "_s);
        clickHeader(u"Gl1 "_s);
        grid()->setCurrentIndex(grid()->model()->index(4, 3));
        search(u"360"_s);
        search(u"60"_s);
        QCOMPARE(grid()->model()->rowCount(), 1);
    }
};

QTEST_MAIN(TstFrmTorvelin)
#include "tst_frmtorvelin.moc"
