#include "core/Combination.h"
#include "core/CombinationSearch.h"
#include "core/PriceStore.h"
#include "core/SearchInputs.h"
#include "gridtext.h"

#include <QLocale>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// One pump per selection (48,620), and one each time one of the eight inner
// loops runs out: the loop on slot k is entered C(9 + k, k) times, and these
// sum to C(18, 8) - 1 = 43,757.
constexpr int pumpCalls = 92377;

} // namespace

class tst_CombinationSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // `prices` holds the nine unit prices, 24360's first. `rows` are the
    // first rows stored, whole. Leftovers of an earlier, bigger search must
    // all go. That every length gives the rows trying every selection gives
    // is the range solver's test.
    void search_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("tolerance"); // minus and plus
        QTest::addColumn<QStringList>("prices");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("rows");
        const QStringList none, empty{QString(Combination::columnCount - 1, u'|')};
        // 95 to 128 mm lies between the longest piece below (94,2) and the
        // shortest pair (128,6).
        QTest::newRow("119 with 9") << u"119"_s << u"9"_s << none << 0 << empty;
        // 2^24 + 1 + 1 is 16777218, but a 32-bit total rounds each addition
        // back to 16777216.
        QTest::newRow("price total in 32 bits")
            << u"360"_s << u"0"_s << u"~ ~ ~ 16777216 ~ 1 1 ~ ~"_s.split(u' ') << 3
            << QStringList{u"360,0|||||||||360,0|24360|||||||||,00"_s,
                           u"188,3|171,7||||||||360,0|24188|24172||||||||16777216,00"_s};
    }
    void search()
    {
        QFETCH(QString, length);
        QFETCH(QString, tolerance);
        QFETCH(QStringList, prices);
        QFETCH(int, count);
        QFETCH(QStringList, rows);
        const SearchInputs::Window window = SearchInputs::window(length, tolerance, tolerance);
        QCOMPARE(window.problem, SearchInputs::Problem::None);
        PriceStore priceStore;
        for (int p = 0; p < prices.size(); ++p)
            priceStore.setPrice(p + 1, prices.at(p) == u"~" ? QString() : prices.at(p));
        GridStore results;
        results.resize(0, 40, 0, Combination::columnCount - 1);
        for (int cell = 0; cell < 41 * Combination::columnCount; ++cell)
            results.setCell(cell / Combination::columnCount, cell % Combination::columnCount,
                            u"old"_s);
        const CombinationSearch::Outcome outcome =
            CombinationSearch().run(window.lower, window.upper, results, priceStore);
        QCOMPARE(outcome.rows, count);
        QCOMPARE(results.rowCount(), std::max(count, 1));
        // Nothing found leaves empty texts; after a piece a cell may be blank.
        QStringList shown = gridText(results).first(rows.size());
        QCOMPARE(count > 0 ? shown.replaceInStrings(u"~"_s, QString()) : shown, rows);
    }

    // The search pumps events after every candidate and loop run-out, stops
    // when the pump says so, and reports each row once it is stored.
    void pumpStopAndProgress_data()
    {
        QTest::addColumn<int>("stopAt"); // 0: never
        QTest::newRow("never") << 0;
        QTest::newRow("first pump") << 1;
        QTest::newRow("last but one") << pumpCalls - 1;
    }
    void pumpStopAndProgress()
    {
        QFETCH(int, stopAt);
        PriceStore prices;
        prices.setPrice(1, u"3,50"_s);
        GridStore complete, results;
        CombinationSearch().run(1256.0f, 1274.0f, complete, prices);
        int pumps = 0, reported = 0;
        const CombinationSearch::Outcome outcome = CombinationSearch().run(
            1256.0f, 1274.0f, results, prices, [&] { return ++pumps != stopAt; },
            [&](int n) { reported += n == reported + 1 && results.rowCount() == n; });
        QCOMPARE(pumps, stopAt > 0 ? stopAt : pumpCalls);
        QCOMPARE(outcome.abandoned, stopAt > 0);
        QCOMPARE(outcome.rows, stopAt > 0 ? reported : 929);
        // What was stored before a stop is exactly the start of the full result.
        QCOMPARE(gridText(results), outcome.rows > 0 ? gridText(complete).first(outcome.rows)
                                                     : QStringList{QString(19, u'|')});
    }

    // A second run started from inside the first one's pump takes over: the
    // first run visits no further candidate and stores nothing more.
    void restart_data()
    {
        using Window = QList<float>; // lower and upper end
        QTest::addColumn<Window>("first");
        QTest::addColumn<int>("restartAt");
        QTest::addColumn<Window>("second");
        // A wide first window stores many rows, so that a candidate the first
        // run still visited after the restart would likely show.
        QTest::newRow("at a loop run-out") << Window{0, 1200} << 11 << Window{351, 369};
        QTest::newRow("second finds more") << Window{360, 360} << 50000 << Window{1256, 1274};
    }
    void restart()
    {
        QFETCH(QList<float>, first);
        QFETCH(int, restartAt);
        QFETCH(QList<float>, second);
        PriceStore prices;
        prices.setPrice(9, u"1,25"_s);
        GridStore expected, results;
        const int expectedRows =
            CombinationSearch().run(second[0], second[1], expected, prices).rows;
        CombinationSearch search;
        int pumps = 0, stored = 0, storedAtRestart = -1, pumpsAfterRestart = 0;
        CombinationSearch::Outcome secondOutcome;
        const CombinationSearch::Outcome firstOutcome = search.run(
            first[0], first[1], results, prices,
            [&] {
                pumpsAfterRestart += storedAtRestart >= 0;
                if (++pumps == restartAt) {
                    storedAtRestart = stored;
                    secondOutcome = search.run(second[0], second[1], results, prices);
                }
                return true;
            },
            [&](int n) { stored = n; });
        // Back in the first run every loop has run out: it only unwinds, with
        // one pump per enclosing loop.
        QVERIFY2(pumpsAfterRestart <= 8, qPrintable(QString::number(pumpsAfterRestart)));
        QCOMPARE(stored, storedAtRestart);
        QCOMPARE(firstOutcome.rows, storedAtRestart);
        QCOMPARE(secondOutcome.rows, expectedRows);
        QCOMPARE(gridText(results), gridText(expected));
    }

    // Length, minus and plus: the problem found, and the window for a search
    // or the refused box.
    void inputs_data()
    {
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("expected");
        QTest::newRow("59") << u"59|0|0"_s << u"too short"_s;
        QTest::newRow("3241") << u"3241|0|0"_s << u"too long"_s;
        QTest::newRow("1265 9 8") << u"1265|9|8"_s << u"1256 to 1273"_s;
        QTest::newRow("60.5 pasted") << u"60.5|0|0"_s << u"bad length"_s;
        QTest::newRow("two digits plus") << u"360|0|12"_s << u"bad tolerance 1"_s;
        QTest::newRow("emptied minus") << u"360||2"_s << u"360 to 362"_s;
    }
    void inputs()
    {
        QFETCH(QString, inputs);
        const QStringList in = inputs.split(u'|');
        const SearchInputs::Window w = SearchInputs::window(in[0], in[1], in[2]);
        // Each problem in the order the enumeration declares them.
        const QStringList found{u"%1 to %2"_s.arg(w.lower).arg(w.upper), u"too short"_s,
                                u"too long"_s, u"bad length"_s,
                                u"bad tolerance %1"_s.arg(w.toleranceIndex)};
        QTEST(found.at(int(w.problem)), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_CombinationSearch)
#include "tst_combinationsearch.moc"
