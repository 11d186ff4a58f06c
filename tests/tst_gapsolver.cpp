#include "core/CombinationSearch.h"
#include "core/GapSolver.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"
#include "core/RangeRows.h"
#include "core/SearchInputs.h"
#include "core/TrackCatalogue.h"
#include "gridtext.h"

#include <QLocale>
#include <QMap>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <tuple>

using namespace Qt::StringLiterals;
using Order = GapSolver::Order;
using Selection = GapSolver::Selection;

namespace {

// Every selection of a small problem, by trying them all, in the window's
// order: fewer pieces first, then more of the shorter pieces first.
QList<QList<int>> everySelection(const GapSolver::Problem &p)
{
    const int kinds = p.range.pieceCount();
    QList<QList<int>> all;
    for (int pieces = 1; pieces <= p.maxPieces; ++pieces) {
        QList<int> counts(kinds, 0);
        std::function<void(int, int)> choose = [&](int kind, int left) {
            if (kind == kinds) {
                if (left == 0)
                    all << counts;
                return;
            }
            const int limit = p.limit.value(kind, -1) < 0 ? pieces : p.limit.value(kind);
            for (int c = std::min(left, limit); c >= 0; --c) {
                counts[kind] = c;
                choose(kind + 1, left - c);
            }
            counts[kind] = 0;
        };
        choose(0, pieces);
    }
    return all;
}

// What the solver reports of a selection, worked out by hand.
Selection figuresOf(const GapSolver::Problem &p, const QList<int> &counts)
{
    Selection f;
    f.length = p.joint;
    for (int k = 0; k < counts.size(); ++k) {
        const int c = counts.at(k);
        const qint64 unit = p.unitPrice.value(k, 0);
        const int buy = std::max(0, c - p.stock.value(k, 0));
        f.pieces += c;
        f.length += c * (p.range.piece(k).length + p.joint);
        f.price += c * unit;
        f.toBuy += buy;
        f.buyCost += buy * unit;
    }
    return f;
}

// Each order's sort key, in the order the enumeration declares them.
std::array<qint64, 3> keyOf(Order order, const GapSolver::Problem &p, const Selection &f)
{
    const qint64 d = std::abs(f.length - p.wanted);
    const std::array<qint64, 3> keys[] = {{0, 0, 0},
                                          {f.pieces, d, f.price},
                                          {d, f.pieces, f.price},
                                          {f.price, f.pieces, 0},
                                          {f.length, 0, 0},
                                          {f.toBuy, f.buyCost, f.pieces},
                                          {f.buyCost, f.toBuy, f.pieces}};
    return keys[int(order)];
}

// A small random problem: up to five kinds, lengths in hundredths that share
// no common step, limits, stock, prices and a joint allowance. Problems of two
// or four kinds have prices in whole euros, so that costs tie and the orders'
// later keys decide.
GapSolver::Problem randomProblem(QRandomGenerator &random)
{
    const int kinds = random.bounded(1, 6);
    QList<RangePiece> pieces;
    for (int k = 0; k < kinds; ++k)
        pieces.append({u"A%1"_s.arg(k), u"A %1"_s.arg(k), random.bounded(100, 4000)});
    GapSolver::Problem p;
    p.range = TrackRange(u"zufall"_s, QString(), TrackRange::Origin::File, pieces);
    p.maxPieces = random.bounded(1, 7);
    for (int k = 0; k < kinds; ++k) {
        p.limit << random.bounded(-1, 4);
        p.stock << random.bounded(0, 3);
        p.unitPrice << (kinds % 2 == 0 ? random.bounded(0, 6) * 100 : random.bounded(0, 600));
    }
    p.joint = random.bounded(0, 3) == 0 ? random.bounded(0, 80) : 0;
    p.wanted = random.bounded(100, 4000 * p.maxPieces / 2 + 200);
    p.minus = random.bounded(0, 600);
    p.plus = random.bounded(0, 600);
    return p;
}

} // namespace

class tst_GapSolver : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // The built-in range gives the window's rows, texts and order included,
    // for every length the window takes. The window's enumeration runs once
    // for each of a few wide spans that overlap by the widest window; a
    // window inside a span keeps the span's rows in the same order (the
    // enumeration's order does not depend on the bounds), and how many it
    // keeps is the window's own bare count, float comparisons and all.
    void builtInIsTheWindow()
    {
        PriceStore prices;
        const QStringList unitPrices =
            u"12,50 9,95 9,50 8,25 7,95 5,50 4,95 4,50 4,25"_s.split(u' ');
        for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
            prices.setPrice(p, unitPrices.at(p - 1));
        const TrackRange range = TrackRange::builtIn();
        RangeRows::Options options;
        for (const RangePiece &piece : range.pieces())
            options.unitPrices << prices.Preis(piece.articleNumber);
        const RangeRows rows(range, options);
        const auto problemFor = [&](int lower, int upper) {
            GapSolver::Problem problem;
            problem.range = range;
            problem.wanted = RangeUnits::fromMillimetres(lower);
            problem.plus = RangeUnits::fromMillimetres(upper - lower);
            return problem;
        };
        // The unoptimised sanitizer build looks for memory faults, which every
        // thirteenth length finds as well; the ordinary build proves all.
#ifdef __SANITIZE_ADDRESS__
        const int lengthStride = 13;
#else
        const int lengthStride = 1;
#endif
        const int first = 60 - SearchInputs::maximumTolerance;
        const int last = 3240 + SearchInputs::maximumTolerance;
        const int widest = 2 * SearchInputs::maximumTolerance;
        // A span of 200 mm holds a few thousand rows, well within what the
        // window's row counter takes.
        const int spanWidth = 200;
        const int step = spanWidth - widest;
        struct Span
        {
            GridStore window;
            QList<GapSolver::Selection> rows;  // the solver's, each proven the window's row
            QMap<qint64, QList<int>> byLength; // exact length: rows in the window's order
        };
        QList<Span> spans;
        for (int start = first; start <= last; start += step) {
            Span span;
            const int end = start + spanWidth;
            const int rowCount =
                CombinationSearch().run(float(start), float(end), span.window, prices).rows;
            QCOMPARE(rowCount, CombinationSearch::countFits(float(start), float(end)));
            const GapSolver::Page page =
                GapSolver(problemFor(start, end)).list(Order::Search, 0, -1);
            QCOMPARE(page.rows.size(), qsizetype(rowCount));
            QStringList solverRows;
            for (int r = 0; r < rowCount; ++r) {
                solverRows << rows.cells(page.rows.at(r)).join(u'|');
                span.byLength[page.rows.at(r).length] << r;
            }
            QCOMPARE(solverRows,
                     gridText(span.window).first(rowCount).replaceInStrings(u"~"_s, QString()));
            span.rows = page.rows;
            spans << span;
        }

        for (const auto &[minus, plus] : {std::pair{0, 0}, {9, 9}, {3, 5}, {1, 0}}) {
            for (int length = 60; length <= 3240; length += lengthStride) {
                const int lower = length - minus;
                const int upper = length + plus;
                const Span &span = spans.at((lower - first) / step);
                QList<int> expected;
                for (auto bucket = span.byLength.lowerBound(RangeUnits::fromMillimetres(lower));
                     bucket != span.byLength.end() &&
                     bucket.key() <= RangeUnits::fromMillimetres(upper);
                     ++bucket)
                    expected << bucket.value();
                std::sort(expected.begin(), expected.end());
                QCOMPARE(expected.size(),
                         qsizetype(CombinationSearch::countFits(float(lower), float(upper))));
                const GapSolver solver(problemFor(lower, upper));
                const GapSolver::Page page = solver.list(Order::Search, 0, -1);
                QCOMPARE(solver.count(), quint64(expected.size()));
                QCOMPARE(page.rows.size(), expected.size());
                // The span's row with these counts was shown to read as the
                // window's row; the same counts read the same.
                for (qsizetype r = 0; r < expected.size(); ++r)
                    if (page.rows.at(r).counts != span.rows.at(expected.at(r)).counts)
                        QFAIL(qPrintable(u"%1 mm -%2 +%3"_s.arg(length).arg(minus).arg(plus)));
            }
        }
    }

    // Small problems against trying every selection: the count, each order's
    // rows at several offsets and limits, and the nearest lengths outside
    // the window.
    void againstEverySelection_data()
    {
        QTest::addColumn<Order>("order");
        int order = 0;
        for (const char *name :
             {"search", "pieces", "nearest", "price", "length", "to buy", "buy cost"})
            QTest::newRow(name) << Order(order++);
    }
    void againstEverySelection()
    {
        QFETCH(Order, order);
        QRandomGenerator random(20261207 + int(order));
        for (int round = 0; round < 400; ++round) {
            const GapSolver::Problem p = randomProblem(random);
            QList<QList<int>> fits;
            std::optional<QList<int>> below;
            std::optional<QList<int>> above;
            // Trying in search order keeps the first of equals, which has
            // the fewest pieces.
            for (const QList<int> &counts : everySelection(p)) {
                const qint64 length = figuresOf(p, counts).length;
                if (length < p.wanted - p.minus && (!below || length > figuresOf(p, *below).length))
                    below = counts;
                else if (length > p.wanted + p.plus &&
                         (!above || length < figuresOf(p, *above).length))
                    above = counts;
                else if (length >= p.wanted - p.minus && length <= p.wanted + p.plus)
                    fits << counts;
            }
            std::stable_sort(fits.begin(), fits.end(), [&](const auto &a, const auto &b) {
                return keyOf(order, p, figuresOf(p, a)) < keyOf(order, p, figuresOf(p, b));
            });
            const GapSolver solver(p);
            QCOMPARE(solver.count(), quint64(fits.size()));
            for (const auto &[offset, limit] :
                 {std::pair<qint64, qint64>{0, -1}, {0, 1}, {0, 4}, {3, 5}}) {
                QList<QList<int>> got;
                for (const Selection &s : solver.list(order, offset, limit).rows) {
                    got << s.counts;
                    const Selection f = figuresOf(p, s.counts);
                    QCOMPARE(std::tuple(s.pieces, s.length, s.price, s.toBuy, s.buyCost),
                             std::tuple(f.pieces, f.length, f.price, f.toBuy, f.buyCost));
                }
                if (got != fits.mid(offset, limit < 0 ? -1 : limit))
                    QFAIL(qPrintable(
                        u"round %1, offset %2 limit %3"_s.arg(round).arg(offset).arg(limit)));
            }
            const GapSolver::Nearest nearest = solver.nearest();
            // No counts at all stand for none.
            QCOMPARE(nearest.below.value_or(Selection()).counts, below.value_or(QList<int>()));
            QCOMPARE(nearest.above.value_or(Selection()).counts, above.value_or(QList<int>()));
            if (below)
                QCOMPARE(nearest.minusNeeded, p.wanted - figuresOf(p, *below).length);
            if (above)
                QCOMPARE(nearest.plusNeeded, figuresOf(p, *above).length - p.wanted);
        }
    }

    // The largest count there can be, forty kinds of one length and twenty
    // pieces of them: C(59, 20) multisets, counted without listing them.
    void largestCount()
    {
        QList<RangePiece> pieces;
        for (int k = 0; k < GapSolver::largestRange; ++k)
            pieces.append({u"P%1"_s.arg(k), QString(), 100});
        GapSolver::Problem p;
        p.range = TrackRange(u"gleich"_s, QString(), TrackRange::Origin::File, pieces);
        p.maxPieces = GapSolver::largestMaxPieces;
        p.wanted = 2000;
        const GapSolver solver(p);
        QCOMPARE(solver.count(), quint64(2794563003870330));
        QCOMPARE(solver.list(Order::Search, 0, 3).rows.size(), 3);
    }

    // A raised flag stops building and listing.
    void cancelled()
    {
        std::atomic<bool> stop{true};
        GapSolver::Problem p;
        p.range = TrackRange::builtIn();
        p.wanted = 126500;
        const GapSolver solver(p, &stop);
        QVERIFY(solver.isCancelled());
        QCOMPARE(solver.count(), quint64(0));
        const GapSolver running(p);
        QVERIFY(running.list(Order::Price, 0, 10, &stop).cancelled);
    }

    // The first exchange found, "out/in/error after", and it alone moves so
    // few pieces.
    void swaps_data()
    {
        QTest::addColumn<QStringList>("laid");
        QTest::addColumn<int>("off"); // hundredths of a millimetre
        QTest::addColumn<int>("tolerance");
        QTest::addColumn<int>("joint");
        QTest::addColumn<QString>("first");
        // 77,5 for 70,8 takes off 6,7 exactly.
        QTest::newRow("one for one")
            << QStringList{u"24360"_s, u"24077"_s} << 670 << 0 << 0 << u"24077/24071/0"_s;
        // 6,5 mm short: a 70,8 for a 77,5 adds 6,7.
        QTest::newRow("too short")
            << QStringList{u"24360"_s, u"24071"_s} << -650 << 50 << 0 << u"24071/24077/20"_s;
        // Taking a piece out alone is one piece moved.
        QTest::newRow("take one out")
            << QStringList{u"24360"_s, u"24064"_s} << 6430 << 0 << 0 << u"24064//0"_s;
        // With 1 mm a joint, taking out 64,3 takes 65,3 off.
        QTest::newRow("joint counts")
            << QStringList{u"24360"_s, u"24064"_s} << 6530 << 0 << 100 << u"24064//0"_s;
        QTest::newRow("nothing helps") << QStringList{u"24360"_s} << 10 << 0 << 0 << QString();
    }
    void swaps()
    {
        QFETCH(QStringList, laid);
        QFETCH(int, off);
        QFETCH(int, tolerance);
        QFETCH(int, joint);
        const TrackRange range = TrackRange::builtIn();
        QList<int> pieces;
        for (const QString &article : laid)
            pieces << range.indexOf(article);
        const QList<GapSolver::Swap> found =
            GapSolver::swaps(range, pieces, off, tolerance, tolerance, joint);
        QStringList first;
        for (const QList<int> &side : {found.value(0).remove, found.value(0).add}) {
            QStringList articles;
            for (int p : side)
                articles << range.piece(p).articleNumber;
            first << articles.join(u',');
        }
        QTEST(found.isEmpty() ? QString()
                              : (first << QString::number(found[0].offAfter)).join(u'/'),
              "first");
        const auto moved = [](const GapSolver::Swap &s) { return s.remove.size() + s.add.size(); };
        QVERIFY(found.size() < 2 || moved(found.at(1)) > moved(found.at(0)));
    }
};

QTEST_GUILESS_MAIN(tst_GapSolver)
#include "tst_gapsolver.moc"
