// Timing of the combination search without a window.
//
//   BM_BareEnumeration  all 48620 selections summed and tested, nothing stored
//   BM_FullSearch1265   the search for 1265 mm with both tolerances at 9, the
//                       largest result there is: 929 rows written as texts
//
// Build with -DCMAKE_BUILD_TYPE=Release for figures worth comparing.

#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"

#include <QLocale>

#include <benchmark/benchmark.h>

namespace {

// 1265 mm, minus 9 and plus 9.
constexpr float lower = 1256.0f;
constexpr float upper = 1274.0f;
constexpr int expectedRows = 929;

void BM_BareEnumeration(benchmark::State &state)
{
    int fits = 0;
    for (auto _ : state) {
        fits = CombinationSearch::countFits(lower, upper);
        benchmark::DoNotOptimize(fits);
    }
    if (fits != expectedRows) {
        state.SkipWithError("the enumeration did not find 929 selections");
        return;
    }
    state.SetItemsProcessed(state.iterations() * CombinationSearch::selectionCount);
}
BENCHMARK(BM_BareEnumeration)->Unit(benchmark::kMicrosecond);

void BM_FullSearch1265(benchmark::State &state)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    PriceStore prices;
    const QStringList unitPrices{
        QStringLiteral("12,50"), QStringLiteral("9,95"), QStringLiteral("9,50"),
        QStringLiteral("8,25"),  QStringLiteral("7,95"), QStringLiteral("5,50"),
        QStringLiteral("4,95"),  QStringLiteral("4,50"), QStringLiteral("4,25")};
    for (int p = 1; p <= 9; ++p)
        prices.setPrice(p, unitPrices.at(p - 1));

    GridStore results;
    CombinationSearch search;
    const CombinationSearch::EventPump noEvents = [] { return true; };
    for (auto _ : state) {
        const CombinationSearch::Outcome outcome =
            search.run(lower, upper, results, prices, noEvents);
        if (outcome.rows != expectedRows) {
            state.SkipWithError("the search did not store 929 rows");
            break;
        }
        benchmark::DoNotOptimize(results);
    }
    state.SetItemsProcessed(state.iterations() * CombinationSearch::selectionCount);
    QLocale::setDefault(previous);
}
BENCHMARK(BM_FullSearch1265)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
