#include "catalogue/Combination.h"
#include "catalogue/CombinationSearch.h"
#include "catalogue/PriceStore.h"
#include "catalogue/SearchInputs.h"
#include "grid/GridStore.h"
#include "text/NumberText.h"

#include <QHash>
#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

// The length text of each piece under German conventions.
const QHash<QString, QString> germanLengthText{
    {u"24360"_s, u"360,0"_s}, {u"24236"_s, u"236,1"_s}, {u"24229"_s, u"229,3"_s},
    {u"24188"_s, u"188,3"_s}, {u"24172"_s, u"171,7"_s}, {u"24094"_s, u"94,2"_s},
    {u"24077"_s, u"77,5"_s},  {u"24071"_s, u"70,8"_s},  {u"24064"_s, u"64,3"_s}};
const QStringList catalogueOrder{u"24360"_s, u"24236"_s, u"24229"_s, u"24188"_s, u"24172"_s,
                                 u"24094"_s, u"24077"_s, u"24071"_s, u"24064"_s};

// Every selection is visited once and the pump runs after each; besides, it
// runs once each time one of the eight inner loops runs out. The loop on
// slot k (k = 1..8) is entered once per ascending choice of the k slots
// before it, that is C(9 + k, k) times.
int expectedPumpCalls()
{
    int runOuts = 0;
    for (int k = 1; k <= 8; ++k) {
        qint64 c = 1;
        for (int i = 1; i <= k; ++i)
            c = c * (9 + i) / i;
        runOuts += int(c);
    }
    return CombinationSearch::selectionCount + runOuts;
}

QStringList dump(const GridStore &store)
{
    QStringList rows;
    for (int r = store.firstRow(); r <= store.lastRow(); ++r) {
        QStringList cells;
        for (int c = store.firstColumn(); c <= store.lastColumn(); ++c) {
            const QVariant cell = store.cell(r, c);
            cells << (cell.isValid() ? cell.toString() : u"~"_s);
        }
        rows << cells.join(u'\t');
    }
    return rows;
}

// A store holding leftovers of an earlier, bigger search.
void fillWithOldRows(GridStore &store)
{
    store.resize(0, 40, 0, Combination::columnCount - 1);
    for (int r = 0; r <= 40; ++r) {
        for (int c = 0; c < Combination::columnCount; ++c)
            store.setCell(r, c, u"old"_s);
    }
}

struct Window
{
    float lower;
    float upper;
};

} // namespace

Q_DECLARE_METATYPE(Window)

class tst_CombinationSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(german); }

    void search_data();
    void search();
    void pumpAndProgress();
    void abandon_data();
    void abandon();
    void restart_data();
    void restart();
    void inputs_data();
    void inputs();
};

void tst_CombinationSearch::search_data()
{
    // `prices` holds the nine unit prices in catalogue order (24360 first);
    // empty means an untouched price table. Each expected row is
    // "article numbers|sum text|price text", checked from row 0 on.
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("minus");
    QTest::addColumn<QString>("plus");
    QTest::addColumn<QStringList>("prices");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("rows");

    const QStringList none;
    QTest::newRow("60 finds nothing") << german << u"60"_s << u"0"_s << u"0"_s << none << 0 << none;
    QTest::newRow("65 minus 1") << german << u"65"_s << u"1"_s << u"0"_s << none << 1
                                << QStringList{u"24064|64,3|,00"_s};
    QTest::newRow("360 exact") << german << u"360"_s << u"0"_s << u"0"_s << none << 3
                               << QStringList{u"24360|360,0|,00"_s, u"24188 24172|360,0|,00"_s,
                                              u"24188 24094 24077|360,0|,00"_s};
    QTest::newRow("1000 exact")
        << german << u"1000"_s << u"0"_s << u"0"_s << none << 5
        << QStringList{u"24360 24172 24172 24077 24077 24071 24071|1.000,0|,00"_s,
                       u"24360 24172 24094 24077 24077 24077 24071 24071|1.000,0|,00"_s,
                       u"24188 24172 24172 24172 24077 24077 24071 24071|1.000,0|,00"_s,
                       u"24360 24094 24094 24077 24077 24077 24077 24071 24071|1.000,0|,00"_s,
                       u"24188 24172 24172 24094 24077 24077 24077 24071 24071|1.000,0|,00"_s};
    QTest::newRow("1000 English") << english << u"1000"_s << u"0"_s << u"0"_s << none << 5
                                  << QStringList{u"24360 24172 24172 24077 24077 24071 24071|"
                                                 "1,000.0|.00"_s};
    QTest::newRow("3240 nine priced pieces")
        << german << u"3240"_s << u"0"_s << u"0"_s
        << QStringList{u"12,34"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s, u"1"_s}
        << 1
        << QStringList{u"24360 24360 24360 24360 24360 24360 24360 24360 24360|3.240,0|111,06"_s};
    for (int length = 104; length <= 119; ++length) {
        QTest::addRow("%d with 9 and 9", length)
            << german << QString::number(length) << u"9"_s << u"9"_s << none << 0 << none;
    }
    QTest::newRow("1265 with 9 and 9")
        << german << u"1265"_s << u"9"_s << u"9"_s << none << 929 << none;
    QTest::newRow("prices summed per row")
        << german << u"360"_s << u"0"_s << u"0"_s
        << QStringList{u"12,50"_s, u"99"_s,   u"99"_s, u"1"_s, u"2,25"_s,
                       u"0,5"_s,   u"0,25"_s, u"99"_s, u"99"_s}
        << 3
        << QStringList{u"24360|360,0|12,50"_s, u"24188 24172|360,0|3,25"_s,
                       u"24188 24094 24077|360,0|1,75"_s};
    // 2^24 + 1 + 1 is 16777218 exactly, but a 32-bit total rounds each
    // addition back to 16777216.
    QTest::newRow("price total in 32 bits")
        << german << u"360"_s << u"0"_s << u"0"_s
        << QStringList{QString(), QString(), QString(), u"16777216"_s, QString(),
                       u"1"_s,    u"1"_s,    QString(), QString()}
        << 3
        << QStringList{u"24360|360,0|,00"_s, u"24188 24172|360,0|16777216,00"_s,
                       u"24188 24094 24077|360,0|16777216,00"_s};
}

void tst_CombinationSearch::search()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, length);
    QFETCH(QString, minus);
    QFETCH(QString, plus);
    QFETCH(QStringList, prices);
    QFETCH(int, count);
    QFETCH(QStringList, rows);
    QLocale::setDefault(locale);

    const SearchInputs::Window window = SearchInputs::window(length, minus, plus);
    QCOMPARE(window.problem, SearchInputs::Problem::None);

    PriceStore priceStore;
    for (int p = 0; p < prices.size(); ++p)
        priceStore.setPrice(p + 1, prices.at(p));

    GridStore results;
    fillWithOldRows(results);
    CombinationSearch search;
    const CombinationSearch::Outcome outcome =
        search.run(window.lower, window.upper, results, priceStore);

    QCOMPARE(outcome.rows, count);
    QVERIFY(!outcome.abandoned);
    QCOMPARE(CombinationSearch::countFits(window.lower, window.upper), count);
    QCOMPARE(results.firstRow(), 0);
    QCOMPARE(results.rowCount(), std::max(count, 1));
    QCOMPARE(results.firstColumn(), 0);
    QCOMPARE(results.lastColumn(), Combination::columnCount - 1);

    if (count == 0) {
        // Nothing found leaves one row of empty texts, not of blank cells.
        for (int c = 0; c < Combination::columnCount; ++c) {
            const QVariant cell = results.cell(0, c);
            QCOMPARE(cell.typeId(), QMetaType::QString);
            QCOMPARE(cell.toString(), QString());
        }
        return;
    }

    for (int r = 0; r < count; ++r) {
        // Pieces longest first, length and article cells blank together and
        // only at the right end. (Row 0 keeps the empty texts of the reset in
        // its blank cells, later rows hold no value there.)
        int previousPosition = 0;
        int pieces = 0;
        for (int k = 0; k < Combination::pieceSlots; ++k) {
            const QString lengthText = results.text(r, Combination::firstLengthColumn + k);
            const QString article = results.text(r, Combination::firstArticleColumn + k);
            QCOMPARE(lengthText.isEmpty(), article.isEmpty());
            if (article.isEmpty())
                continue;
            QCOMPARE(pieces, k);
            ++pieces;
            const int position = int(catalogueOrder.indexOf(article)) + 1;
            QVERIFY2(position >= previousPosition && position > 0, qPrintable(article));
            previousPosition = position;
            QString text = germanLengthText.value(article);
            text.replace(u',', locale.decimalPoint());
            QCOMPARE(lengthText, text);
        }
        QVERIFY(pieces > 0);
        const std::optional<float> sum =
            NumberText::toFloat(results.text(r, Combination::sumColumn));
        QVERIFY(sum.has_value());
        QVERIFY(*sum >= window.lower - 0.05f && *sum <= window.upper + 0.05f);
    }

    for (int r = 0; r < rows.size(); ++r) {
        const QStringList expected = rows.at(r).split(u'|');
        QStringList articles;
        for (int k = 0; k < Combination::pieceSlots; ++k) {
            const QString article = results.text(r, Combination::firstArticleColumn + k);
            if (!article.isEmpty())
                articles << article;
        }
        QCOMPARE(articles.join(u' '), expected.at(0));
        QCOMPARE(results.text(r, Combination::sumColumn), expected.at(1));
        QCOMPARE(results.text(r, Combination::priceColumn), expected.at(2));
    }
}

void tst_CombinationSearch::pumpAndProgress()
{
    PriceStore prices;
    GridStore results;
    CombinationSearch search;
    int pumps = 0;
    QList<int> counts;
    const CombinationSearch::Outcome outcome = search.run(
        1256.0f, 1274.0f, results, prices,
        [&] {
            ++pumps;
            return true;
        },
        [&](int n) {
            counts << n;
            // The row is complete in the store when the count is reported.
            QCOMPARE(results.rowCount(), n);
            QVERIFY(!results.text(n - 1, Combination::priceColumn).isEmpty());
            QVERIFY(!results.text(n - 1, Combination::sumColumn).isEmpty());
        });

    QCOMPARE(pumps, expectedPumpCalls());
    QCOMPARE(pumps, 92377);
    QCOMPARE(outcome.rows, 929);
    QCOMPARE(counts.size(), 929);
    for (int i = 0; i < counts.size(); ++i)
        QCOMPARE(counts.at(i), i + 1);
}

void tst_CombinationSearch::abandon_data()
{
    QTest::addColumn<int>("stopAt");

    QTest::newRow("first pump") << 1;
    QTest::newRow("middle") << 40000;
    QTest::newRow("last but one") << expectedPumpCalls() - 1;
}

void tst_CombinationSearch::abandon()
{
    QFETCH(int, stopAt);

    PriceStore prices;
    prices.setPrice(1, u"3,50"_s);
    GridStore complete;
    CombinationSearch().run(1256.0f, 1274.0f, complete, prices);
    const QStringList all = dump(complete);

    GridStore results;
    CombinationSearch search;
    int pumps = 0;
    int reported = 0;
    const CombinationSearch::Outcome outcome = search.run(
        1256.0f, 1274.0f, results, prices, [&] { return ++pumps < stopAt; },
        [&](int n) { reported = n; });

    QVERIFY(outcome.abandoned);
    QCOMPARE(pumps, stopAt);
    QCOMPARE(outcome.rows, reported);
    QVERIFY(outcome.rows <= 929);
    // What was stored before the stop is exactly the start of the full result.
    if (outcome.rows > 0)
        QCOMPARE(dump(results), all.mid(0, outcome.rows));
    else
        QCOMPARE(results.rowCount(), 1);
}

void tst_CombinationSearch::restart_data()
{
    QTest::addColumn<Window>("first");
    QTest::addColumn<int>("restartAt");
    QTest::addColumn<Window>("second");

    // A wide first window stores many rows, so that a candidate the first run
    // still visited after the restart would likely show as a stored row.
    const Window everything{0.0f, 1200.0f};
    QTest::newRow("1265 then 360 after 1000 pumps")
        << Window{1256.0f, 1274.0f} << 1000 << Window{360.0f, 360.0f};
    QTest::newRow("midway, second finds nothing") << everything << 30000 << Window{60.0f, 60.0f};
    QTest::newRow("at a loop run-out") << everything << 11 << Window{351.0f, 369.0f};
    QTest::newRow("at the last pump")
        << everything << expectedPumpCalls() << Window{991.0f, 1009.0f};
    QTest::newRow("second finds more")
        << Window{360.0f, 360.0f} << 50000 << Window{1256.0f, 1274.0f};
}

void tst_CombinationSearch::restart()
{
    QFETCH(Window, first);
    QFETCH(int, restartAt);
    QFETCH(Window, second);

    PriceStore prices;
    prices.setPrice(9, u"1,25"_s);
    GridStore expected;
    const int expectedRows =
        CombinationSearch().run(second.lower, second.upper, expected, prices).rows;

    GridStore results;
    CombinationSearch search;
    int pumps = 0;
    int firstStored = 0;
    int storedAtRestart = -1;
    int storedAfterRestart = 0;
    int pumpsAfterRestart = 0;
    CombinationSearch::Outcome secondOutcome;
    const CombinationSearch::Outcome firstOutcome = search.run(
        first.lower, first.upper, results, prices,
        [&] {
            if (storedAtRestart >= 0)
                ++pumpsAfterRestart;
            if (++pumps == restartAt) {
                storedAtRestart = firstStored;
                secondOutcome = search.run(second.lower, second.upper, results, prices);
            }
            return true;
        },
        [&](int n) {
            firstStored = n;
            if (storedAtRestart >= 0)
                ++storedAfterRestart;
        });

    QCOMPARE(storedAtRestart, firstStored);
    QCOMPARE(storedAfterRestart, 0);
    // Back in the first run every loop has run out: it only unwinds, with one
    // pump per enclosing loop, and visits no further candidate.
    QVERIFY2(pumpsAfterRestart <= 8, qPrintable(QString::number(pumpsAfterRestart)));
    QCOMPARE(firstOutcome.rows, storedAtRestart);
    QVERIFY(!firstOutcome.abandoned);
    QVERIFY(!secondOutcome.abandoned);
    QCOMPARE(secondOutcome.rows, expectedRows);
    QCOMPARE(dump(results), dump(expected));
}

void tst_CombinationSearch::inputs_data()
{
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("minus");
    QTest::addColumn<QString>("plus");
    QTest::addColumn<SearchInputs::Problem>("problem");
    QTest::addColumn<int>("toleranceIndex");
    QTest::addColumn<float>("lower");
    QTest::addColumn<float>("upper");

    using P = SearchInputs::Problem;
    QTest::newRow("59") << u"59"_s << u"0"_s << u"0"_s << P::TooShort << -1 << 0.f << 0.f;
    QTest::newRow("3241") << u"3241"_s << u"0"_s << u"0"_s << P::TooLong << -1 << 0.f << 0.f;
    QTest::newRow("empty") << QString() << u"0"_s << u"0"_s << P::TooShort << -1 << 0.f << 0.f;
    QTest::newRow("length checked first")
        << u"59"_s << u"x"_s << u"0"_s << P::TooShort << -1 << 0.f << 0.f;
    QTest::newRow("60") << u"60"_s << u"0"_s << u"0"_s << P::None << -1 << 60.f << 60.f;
    QTest::newRow("3240") << u"3240"_s << u"0"_s << u"0"_s << P::None << -1 << 3240.f << 3240.f;
    QTest::newRow("1265 9 9") << u"1265"_s << u"9"_s << u"9"_s << P::None << -1 << 1256.f << 1274.f;
    QTest::newRow("60.5 pasted") << u"60.5"_s << u"0"_s << u"0"_s << P::BadLength << -1 << 0.f
                                 << 0.f;
    QTest::newRow("60,5 pasted") << u"60,5"_s << u"0"_s << u"0"_s << P::BadLength << -1 << 0.f
                                 << 0.f;
    QTest::newRow("empty tolerances")
        << u"360"_s << QString() << QString() << P::None << -1 << 360.f << 360.f;
    QTest::newRow("letter minus") << u"360"_s << u"a"_s << u"0"_s << P::BadTolerance << 0 << 0.f
                                  << 0.f;
    QTest::newRow("two digits plus")
        << u"360"_s << u"0"_s << u"12"_s << P::BadTolerance << 1 << 0.f << 0.f;
}

void tst_CombinationSearch::inputs()
{
    QFETCH(QString, length);
    QFETCH(QString, minus);
    QFETCH(QString, plus);
    QFETCH(SearchInputs::Problem, problem);
    QFETCH(int, toleranceIndex);
    QFETCH(float, lower);
    QFETCH(float, upper);

    const SearchInputs::Window window = SearchInputs::window(length, minus, plus);
    QCOMPARE(window.problem, problem);
    if (problem == SearchInputs::Problem::BadTolerance)
        QCOMPARE(window.toleranceIndex, toleranceIndex);
    if (problem == SearchInputs::Problem::None) {
        QCOMPARE(window.lower, lower);
        QCOMPARE(window.upper, upper);
    }
    if (problem == SearchInputs::Problem::TooShort)
        QCOMPARE(SearchInputs::message(problem),
                 u"Die minimal anzugebende Länge beträgt 60 mm !       "_s);
    if (problem == SearchInputs::Problem::TooLong)
        QCOMPARE(SearchInputs::message(problem),
                 u"Die maximal berechenbare Länge beträgt 3.240 mm !       "_s);
    QCOMPARE(SearchInputs::title(), u"Stückzahl ermitteln..."_s);
}

QTEST_GUILESS_MAIN(tst_CombinationSearch)
#include "tst_combinationsearch.moc"
