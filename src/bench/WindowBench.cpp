// Timing of the search as the user sees it: from the click on the start
// button to the painted results grid, in a real window. Needs a display
// (run under xvfb-run); without one these benchmarks report an error.

#include "BenchDisplay.h"
#include "core/CombinationSearch.h"
#include "core/GridStore.h"
#include "core/PriceStore.h"
#include "gui/FrmTorvelin.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

// Click to painted grid, with the event pump after every candidate.
void BM_WindowSearch1265(benchmark::State &state)
{
    if (!haveDisplay(state))
        return;
    ShownWindow shown;
    auto *start = shown.window.findChild<QPushButton *>(QStringLiteral("btnStart"));
    auto *grid = shown.window.findChild<QTableView *>(QStringLiteral("grdTabelle"));
    auto *count = shown.window.findChild<QLabel *>(QStringLiteral("lblCount"));
    double handlerMs = 0.0;
    double paintMs = 0.0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        QTest::mouseClick(start, Qt::LeftButton);
        handlerMs += double(clock.nsecsElapsed()) / 1e6;
        // The grid paints on the next pass of the event loop.
        clock.start();
        QCoreApplication::processEvents();
        paintMs += double(clock.nsecsElapsed()) / 1e6;
    }
    if (count->text() != u"929" || shown.window.focusWidget() != grid)
        state.SkipWithError("the search did not end with 929 rows and the grid focused");
    state.counters["handler_ms"] = handlerMs / double(state.iterations());
    state.counters["paint_ms"] = paintMs / double(state.iterations());
}
BENCHMARK(BM_WindowSearch1265)->Unit(benchmark::kMillisecond)->Iterations(20);

// How long a user's click can go unanswered while a search runs: the longest
// wait of a zero-interval timer during the search (the timer itself slows
// the search, so this is not a figure for the total).
void BM_WindowLongestWait(benchmark::State &state)
{
    if (!haveDisplay(state))
        return;
    ShownWindow shown;
    auto *start = shown.window.findChild<QPushButton *>(QStringLiteral("btnStart"));
    double longest = 0.0;
    for (auto _ : state) {
        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setInterval(0);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.nsecsElapsed() / 1e6);
            sinceTick.restart();
        });
        sinceTick.start();
        ticker.start();
        QTest::mouseClick(start, Qt::LeftButton);
        ticker.stop();
    }
    state.counters["longest_wait_ms"] = longest;
}
BENCHMARK(BM_WindowLongestWait)->Unit(benchmark::kMillisecond)->Iterations(5);

// The grid's share: re-reading 929 rows, as a search does at its end, and
// painting them. A click on a header that does not sort does exactly that.
void BM_WindowGridRefresh(benchmark::State &state)
{
    if (!haveDisplay(state))
        return;
    ShownWindow shown;
    QTest::mouseClick(shown.window.findChild<QPushButton *>(QStringLiteral("btnStart")),
                      Qt::LeftButton);
    QHeaderView *header =
        shown.window.findChild<QTableView *>(QStringLiteral("grdTabelle"))->horizontalHeader();
    for (auto _ : state) {
        Q_EMIT header->sectionClicked(3);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WindowGridRefresh)->Unit(benchmark::kMillisecond)->Iterations(20);

// What the event pump costs on its own: as many processEvents() calls as one
// search makes, with the window shown and nothing pending.
void BM_WindowPumpIdle(benchmark::State &state)
{
    if (!haveDisplay(state))
        return;
    ShownWindow shown;
    // Count the calls one search makes rather than work them out here.
    int pumpCalls = 0;
    GridStore results;
    CombinationSearch().run(0.0f, 0.0f, results, PriceStore(), [&] { return ++pumpCalls > 0; });
    state.counters["pump_calls"] = pumpCalls;
    for (auto _ : state) {
        for (int i = 0; i < pumpCalls; ++i)
            QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_WindowPumpIdle)->Unit(benchmark::kMillisecond)->Iterations(20);

// The label repaints a search causes: 929 new counts, each painted.
void BM_WindowCountRepaints(benchmark::State &state)
{
    if (!haveDisplay(state))
        return;
    ShownWindow shown;
    auto *count = shown.window.findChild<QLabel *>(QStringLiteral("lblCount"));
    for (auto _ : state) {
        for (int n = 1; n <= 929; ++n) {
            count->setText(QString::number(n));
            QCoreApplication::processEvents();
        }
    }
}
BENCHMARK(BM_WindowCountRepaints)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
