// Timing of the range solver beside the window's enumeration.
//
//   BM_RangeBuiltIn1265        the built-in range, 1265 mm ± 9 mm: count and
//                              list all 929 rows (the window's rows, checked
//                              once before timing)
//   BM_Range30Kinds/ORDER      thirty piece kinds, up to twenty pieces, 3240
//                              mm ± 50 mm: build, count every fit, list the
//                              best 100 in one order
//   BM_RangeLargestShipped/... the shipped range with the most pieces at its
//                              coarsest setting (twenty pieces, ± 50 mm)
//
// Each reports `vs_bare`, its time over the time of the bare enumeration of
// 48,620 selections measured in the same run, and `table_MiB`, the most the
// solver's tables took at once.

#include "core/CombinationSearch.h"
#include "core/GapSolver.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"
#include "core/RangeLibrary.h"
#include "core/RangeRows.h"

#include <QLocale>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

constexpr float lower = 1256.0f;
constexpr float upper = 1274.0f;

// Processor time of this process in seconds: on a shared machine the wall
// clock measures the neighbours too.
double processorSeconds()
{
    return double(std::clock()) / double(CLOCKS_PER_SEC);
}

// The bare enumeration's processor time in seconds, measured here so that
// each ratio compares figures of the same machine at the same moment.
double bareEnumerationSeconds()
{
    static const double seconds = [] {
        constexpr int rounds = 1000;
        int fits = 0;
        const double start = processorSeconds();
        for (int i = 0; i < rounds; ++i) {
            fits += CombinationSearch::countFits(lower, upper);
            benchmark::DoNotOptimize(fits);
        }
        return (processorSeconds() - start) / rounds;
    }();
    return seconds;
}

// The processor time of one iteration over the bare enumeration's.
void reportRatio(benchmark::State &state, double seconds)
{
    const double perIteration =
        seconds / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["vs_bare"] = perIteration / bareEnumerationSeconds();
}

// Thirty kinds from 10.0 to 360.0 mm, no two sharing more than a tenth of a
// millimetre, with prices, so that every order has work to do.
TrackRange thirtyKinds()
{
    QList<RangePiece> pieces;
    for (int k = 0; k < 30; ++k) {
        const qint64 tenths = 100 + k * 117 + (k * k) % 13;
        pieces.append({QStringLiteral("K%1").arg(k), QString(), tenths * 10});
    }
    return TrackRange(QStringLiteral("dreissig"), QString(), TrackRange::Origin::File, pieces);
}

GapSolver::Problem coarsest(const TrackRange &range)
{
    GapSolver::Problem p;
    p.range = range;
    p.wanted = RangeUnits::fromMillimetres(3240);
    p.minus = RangeUnits::fromMillimetres(50);
    p.plus = RangeUnits::fromMillimetres(50);
    p.maxPieces = GapSolver::largestMaxPieces;
    for (int k = 0; k < range.pieceCount(); ++k) {
        p.unitPrice << 250 + (k * 137) % 900;
        p.stock << k % 3;
    }
    return p;
}

void timeSolver(benchmark::State &state, const GapSolver::Problem &problem)
{
    const auto order = GapSolver::Order(state.range(0));
    quint64 total = 0;
    std::size_t bytes = 0;
    const double start = processorSeconds();
    for (auto _ : state) {
        const GapSolver solver(problem);
        const GapSolver::Page page = solver.list(order, 0, 100);
        total = page.total;
        bytes = solver.tableBytes();
        if (page.rows.size() != std::min<qsizetype>(100, qsizetype(total))) {
            state.SkipWithError("fewer rows than asked for");
            break;
        }
        benchmark::DoNotOptimize(page);
    }
    reportRatio(state, processorSeconds() - start);
    state.counters["fits"] = double(total);
    state.counters["table_MiB"] = double(bytes) / (1024.0 * 1024.0);
}

void BM_RangeBuiltIn1265(benchmark::State &state)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    GapSolver::Problem problem;
    problem.range = TrackRange::builtIn();
    problem.wanted = RangeUnits::fromMillimetres(1265);
    problem.minus = problem.plus = RangeUnits::fromMillimetres(9);

    // The same rows as the window's enumeration, checked once.
    GridStore window;
    CombinationSearch search;
    const auto outcome = search.run(lower, upper, window, PriceStore());
    const GapSolver::Page check = GapSolver(problem).list(GapSolver::Order::Search, 0, -1);
    const RangeRows rows(problem.range, RangeRows::Options{});
    bool same = check.rows.size() == outcome.rows;
    for (int r = 0; same && r < outcome.rows; ++r) {
        const QStringList cells = rows.cells(check.rows.at(r));
        for (int c = 0; same && c < cells.size(); ++c)
            same = cells.at(c) == window.text(r, c);
    }
    QLocale::setDefault(previous);
    if (!same) {
        state.SkipWithError("the solver's rows are not the window's");
        return;
    }

    const double start = processorSeconds();
    for (auto _ : state) {
        const GapSolver solver(problem);
        const GapSolver::Page page = solver.list(GapSolver::Order::Search, 0, -1);
        benchmark::DoNotOptimize(page);
    }
    reportRatio(state, processorSeconds() - start);
}
BENCHMARK(BM_RangeBuiltIn1265)->Unit(benchmark::kMicrosecond);

void orders(benchmark::internal::Benchmark *b)
{
    b->ArgName("order");
    for (GapSolver::Order order :
         {GapSolver::Order::Search, GapSolver::Order::Pieces, GapSolver::Order::Nearest,
          GapSolver::Order::Price, GapSolver::Order::ToBuy})
        b->Arg(int(order));
}

void BM_Range30Kinds(benchmark::State &state)
{
    timeSolver(state, coarsest(thirtyKinds()));
}
BENCHMARK(BM_Range30Kinds)->Apply(orders)->Unit(benchmark::kMillisecond);

void BM_RangeLargestShipped(benchmark::State &state)
{
    // The shipped range with the most pieces.
    std::optional<TrackRange> largest;
    RangeLibrary::Places places;
    places.shippedFolders << QStringLiteral(TORVELIN_SOURCE_RANGES);
    const RangeLibrary library(places);
    for (const RangeLibrary::Entry &entry : library.list()) {
        if (entry.origin == TrackRange::Origin::Shipped && !entry.hidden &&
            (!largest || entry.pieceCount > largest->pieceCount()))
            largest = library.load(entry.name).range;
    }
    if (!largest) {
        state.SkipWithError("no shipped range found");
        return;
    }
    state.SetLabel(largest->name().toStdString());
    timeSolver(state, coarsest(*largest));
}
BENCHMARK(BM_RangeLargestShipped)->Apply(orders)->Unit(benchmark::kMillisecond);

} // namespace
