// Timing of the Gleisrechner: a keystroke's answer on the largest shipped
// range at twenty pieces, the range listing, and the window's start-up
// against a bare Qt main window (run under Xvfb: QT_QPA_PLATFORM=xcb).
//
//   BM_RechnerKeystroke/N  one question as a keystroke asks it: the solver
//                          built and the best 400 rows listed, N pieces at most
//   BM_RechnerRangeList    every range found (built-in, shipped, user, XTrackCAD)
//   BM_RechnerWindowStart  the window built, shown and painted, its first
//                          answer included
//   BM_BareWindowStart     a bare QMainWindow built, shown and painted

#include "rechner/Dialogs.h"
#include "rechner/FrmGleisrechner.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// The shipped range with the most pieces, found the way the window finds it.
TrackRange largestRange()
{
    const RangeLibrary library;
    TrackRange largest;
    const QList<RangeLibrary::Entry> entries = library.list();
    for (const RangeLibrary::Entry &entry : entries)
        if (entry.origin == TrackRange::Origin::Shipped && entry.error.isEmpty() &&
            entry.pieceCount > largest.pieceCount())
            largest = *library.load(entry.source).range;
    return largest;
}

void BM_RechnerKeystroke(benchmark::State &state)
{
    static const TrackRange range = largestRange();
    Question q;
    q.problem.range = range;
    q.problem.wanted = 126550; // 1265,5 mm
    q.problem.minus = q.problem.plus = 200;
    q.problem.maxPieces = int(state.range(0));
    q.order = GapSolver::Order::Pieces;
    q.rowLimit = 400;
    const std::atomic<bool> never = false;
    quint64 total = 0;
    for (auto _ : state) {
        const Answer answer = Gleisrechner::solve(q, never);
        total = answer.page.total;
        benchmark::DoNotOptimize(answer.page.rows.data());
    }
    state.SetLabel(range.name().toStdString() + ", " + std::to_string(range.pieceCount()) +
                   " pieces, " + std::to_string(total) + " fits");
}
BENCHMARK(BM_RechnerKeystroke)->Arg(9)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_RechnerRangeList(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(RangeLibrary().list().size());
}
BENCHMARK(BM_RechnerRangeList)->Unit(benchmark::kMillisecond);

// From construction to the painted window; closing it (which waits for the
// range listing's thread) is not start-up and is left out.
template <typename Make> void timeWindowStart(benchmark::State &state, Make make)
{
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        std::unique_ptr<QWidget> window = make();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            state.SkipWithError("the window was not shown");
        QApplication::processEvents();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
    }
}

void BM_RechnerWindowStart(benchmark::State &state)
{
    QTemporaryDir dir;
    QtDialogs dialogs;
    timeWindowStart(state, [&] {
        return std::make_unique<FrmGleisrechner>(
            dialogs, dir.filePath(QStringLiteral("Gleisrechner.ini")), RangeLibrary());
    });
}
BENCHMARK(BM_RechnerWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BareWindowStart(benchmark::State &state)
{
    timeWindowStart(state, [] {
        auto window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLineEdit);
        window->resize(1000, 580);
        return window;
    });
}
BENCHMARK(BM_BareWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
