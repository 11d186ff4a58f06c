#include "testinteraction.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>
#include <QTimer>

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

const QString row360 = u"360,0 360,0 24360 ,00"_s;
const QString refused = u"Warning: Stückzahl ermitteln...: "_s;
const QString nothingToSort = u"Information:  nach Gleislänge sortieren...:  Sorry, aber es gibt "
                              "nichts zu sortieren !           "_s;

} // namespace

class TstFrmTorvelin : public QObject, WindowFixture
{
    Q_OBJECT

    QTableView *grid(const QString &n = u"grdTabelle"_s) const { return child<QTableView>(n); }
    QString count() const { return child<QLabel>(u"lblCount"_s)->text(); }

    void search(const QString &length, const QString &minus = u"0"_s, const QString &plus = u"0"_s)
    {
        child(u"txtToleranz(0)"_s)->setText(minus);
        child(u"txtToleranz(1)"_s)->setText(plus);
        child(u"txtLaenge"_s)->setText(length);
        m_w->btnStart_Click();
    }
    QStringList partsShown() const
    {
        QStringList shown;
        for (int c = 0; c < 10; ++c)
            shown << cellText(grid(u"grdStck"_s), 0, c);
        return shown;
    }

    // The header lays out its sections only once the window is shown.
    void clickHeader(int column)
    {
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(
            header->viewport(), Qt::LeftButton, {},
            QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { openWindow(); }
    void cleanup() { dropAll(); }

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
        QTest::newRow("backspace") << typed("12\b") << u"1"_s << 0 << u"0"_s;
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

    void searchFromTheInputs_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("tolerance"); // in both boxes
        QTest::addColumn<QString>("during");    // typed and started at the search's first pump
        QTest::addColumn<QString>("message");   // its start; null: none
        QTest::addColumn<QString>("refusedBox");
        QTest::addColumn<int>("found");
        QTest::addColumn<QStringList>("rows"); // the first ones
        const QStringList rows360{row360, u"188,3 171,7 360,0 24188 24172 ,00"_s,
                                  u"188,3 94,2 77,5 360,0 24188 24094 24077 ,00"_s};
        const QString tooShort = refused + u"Die minimal anzugebende Länge beträgt 60 mm !"_s;
        // What a refused search leaves: 64,3 found for 64 + 1 before.
        const QStringList kept{u"64,3 64,3 24064 ,00"_s};
        const QString none;
        QTest::newRow("360, empty boxes")
            << u"360"_s << none << none << none << none << 3 << rows360;
        QTest::newRow("60 finds nothing")
            << u"60"_s << u"0"_s << none << none << none << 0 << QStringList{QString()};
        QTest::newRow("1265 widest")
            << u"1265"_s << u"9"_s << none << none << none << 929 << QStringList();
        QTest::newRow("59") << u"59"_s << u"0"_s << none << tooShort << u"txtLaenge"_s << 1 << kept;
        QTest::newRow("letters, minus box first")
            << u"360"_s << u"a"_s << none << refused << u"txtToleranz(0)"_s << 1 << kept;
        QTest::newRow("restarted during a search")
            << u"1000"_s << u"0"_s << u"360"_s << none << none << 3 << rows360;
        QTest::newRow("refused during a search, which goes on")
            << u"1000"_s << u"0"_s << u"59"_s << tooShort << u"txtLaenge"_s << 5
            << QStringList{u"360,0 171,7 171,7 77,5 77,5 70,8 70,8 1.000,0 24360 24172 24172 "
                           "24077 24077 24071 24071 ,00"_s};
    }
    void searchFromTheInputs()
    {
        QFETCH(QString, length);
        QFETCH(QString, tolerance);
        QFETCH(QString, during);
        QFETCH(QString, message);
        QFETCH(int, found);
        QFETCH(QStringList, rows);
        search(u"64"_s, u"0"_s, u"1"_s);
        // Both bars back at 0, so that a letter put into a box stays there.
        child(u"txtToleranz(1)"_s)->setText(u"0"_s);
        if (!during.isNull()) {
            QTimer::singleShot(0, m_w.get(), [&] {
                child(u"txtLaenge"_s)->setText(during);
                m_w->btnStart_Click();
            });
        }
        search(length, tolerance, tolerance);
        QCOMPARE(m_ui.messages.size(), message.isNull() ? 0 : 1);
        if (!message.isNull()) {
            QVERIFY2(m_ui.messages[0].startsWith(message), qPrintable(m_ui.messages[0]));
            QFETCH(QString, refusedBox);
            QCOMPARE(child(refusedBox)->selectedText(), child(refusedBox)->text());
        }
        QCOMPARE(count(), QString::number(found));
        QCOMPARE(grid()->model()->rowCount(), std::max(found, 1));
        QCOMPARE(rowTexts(grid()).first(rows.size()), rows);
    }

    // Only the sums, the prices and the pieces sort; the parts list follows
    // the current row, sorted or not.
    void headerClicksSort_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("sorts"); // -1: nothing to sort, 0: order unchanged
        QTest::newRow("one row") << u"3240"_s << 19 << -1;
        QTest::newRow("L3") << u"1000"_s << 2 << 0;
        QTest::newRow("length") << u"1000"_s << 9 << 1;
        QTest::newRow("price") << u"1000"_s << 19 << 1;
        QTest::newRow("first piece") << u"1000"_s << 10 << 1;
    }
    void headerClicksSort()
    {
        QFETCH(QString, length);
        QFETCH(int, column);
        QFETCH(int, sorts);
        QAbstractItemModelTester tester(grid()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(partsShown(), QStringList{u"Stück"_s} + QStringList(9));
        // Sums on both sides of 1.000,0 and prices from ",10" to "19,21": as
        // texts, neither would sort in the order of their numbers.
        const QStringList prices = u"0,01 0,02 0,03 0,04 0,05 2,10 2,30 2,50 2,70"_s.split(u' ');
        for (int p = 1; p <= 9; ++p)
            m_w->priceStore().setPrice(p, prices[p - 1]);
        search(length, u"9"_s, u"9"_s);
        const QStringList before = rowTexts(grid());
        clickHeader(column);
        const QStringList after = rowTexts(grid());
        QCOMPARE(m_ui.messages, sorts < 0 ? QStringList{nothingToSort} : QStringList());
        QCOMPARE(after == before, sorts <= 0);
        // Whole rows move and nothing else changes.
        QCOMPARE(QSet<QString>(after.cbegin(), after.cend()),
                 QSet<QString>(before.cbegin(), before.cend()));
        // Sums and prices ascend by value; the pieces descend, longest first,
        // compared cell by cell with an empty cell lowest.
        const auto sortKey = [&](int row) -> QVariant {
            QString text = cellText(grid(), row, column);
            if (column != 10)
                return QLocale().toDouble(text.startsWith(u',') ? u'0' + text : text);
            for (int c = 11; c <= 18; ++c)
                text = text.leftJustified(5 * qsizetype(c - 10)) + cellText(grid(), row, c);
            return text;
        };
        for (int r = 0; sorts > 0 && r + 1 < after.size(); ++r) {
            const QVariant x = sortKey(r), y = sortKey(r + 1);
            QVERIFY2(column == 10 ? x.toString() >= y.toString() : x.toDouble() <= y.toDouble(),
                     qPrintable(after[r]));
        }
        clickHeader(column);
        QCOMPARE(rowTexts(grid()), after);

        const int row = std::min(2, int(after.size()) - 1);
        grid()->setCurrentIndex(grid()->model()->index(row, 0));
        QList<int> pieces(10);
        for (int c = 10; c <= 18; ++c)
            ++pieces[TrackCatalogue::positionOf(cellText(grid(), row, c))];
        QStringList parts{u"Stück"_s};
        for (int p = 1; p <= 9; ++p)
            parts << (pieces[p] > 0 ? QString::number(pieces[p]) : QString());
        QCOMPARE(partsShown(), parts);
        search(u"60"_s);
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
        for (int box : clicks)
            child<QCheckBox>(u"chkCellStyle(%1)"_s.arg(box))->click();
        QVERIFY(priceRedraws.count() >= clicks.size()); // recoloured on every click
        search(u"360"_s); // the marking belongs to columns and outlives a search

        // "background/text" colour names, empty when the cell has none.
        const auto colours = [](const QAbstractItemView *view, int row, int column) -> QString {
            const QModelIndex cell = view->model()->index(row, column);
            return cell.data(Qt::BackgroundRole).toString() + u'/' +
                   cell.data(Qt::ForegroundRole).toString();
        };
        // Row 0 holds 360,0 / 24360 first and nothing second; row 2 holds
        // 94,2 / 24094 second. Sum and price are never marked.
        for (const int first : {0, 10}) {
            const bool on = marked == (first == 0 ? u"lengths" : u"articles");
            QCOMPARE(colours(grid(), 0, first), on ? u"#c00000/#ffffff"_s : u"/"_s);
            QCOMPARE(colours(grid(), 2, first + 1), on ? u"#c0c000/"_s : u"/"_s);
            QCOMPARE(colours(grid(), 0, first + 1), u"/"_s);
        }
        QCOMPARE(colours(grid(), 0, 9) + colours(grid(), 0, 19), u"//"_s);
        // The price grid shows every piece's colour while either box is on.
        const QStringList pieces =
            u"#c00000 #ff0000 #c000c0 #008000 #00c000 #c0c000 #00c0c0 #0000ff #a76a21"_s.split(
                u' ');
        for (int c = 1; c < 10; ++c) {
            QCOMPARE(colours(grid(u"grdPreise"_s), 0, c),
                     !marked.isEmpty() ? pieces[c - 1] + u"/#ffffff" : u"#ffffff/#000000"_s);
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
        QTest::newRow("grouped under 24 360")
            << 1 << u"1234,5"_s << u"1234,5"_s << u"1.234,50"_s << 0 << u"1234,50"_s;
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

    void printingOnlyWhenAPrinterIsChosen()
    {
        search(u"360"_s);
        m_ui.acceptPrinter = false;
        m_w->btnDrucken_Click();
        QVERIFY(!QFile::exists(m_ui.pdfPath));
        m_ui.acceptPrinter = true;
        m_w->btnDrucken_Click();
        QFile pdf(m_ui.pdfPath);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));
        QVERIFY(m_ui.messages.isEmpty());
    }
};

QTEST_MAIN(TstFrmTorvelin)
#include "tst_frmtorvelin.moc"
