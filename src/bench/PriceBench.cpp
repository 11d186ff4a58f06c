// Clicks with price lines of any length in the settings file: a price is
// read once, when it is loaded, so a search click and a check-box click cost
// the same with 5-character and with 400,000-character price lines. Needs a
// display (run under xvfb-run).

#include "BenchDisplay.h"
#include "gui/FrmTorvelin.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

namespace {

// A settings file whose first price is a number after `length` blanks and
// whose second is `length` letters, which no search can read.
QByteArray settingsWithLongPrices(int length)
{
    QByteArray bytes =
        "[Preise]\r\n" + QByteArray(length, ' ') + "12,50\r\n" + QByteArray(length, 'x') + "\r\n";
    for (int p = 3; p <= 9; ++p)
        bytes += "4,50\r\n";
    return bytes + "\r\n[Toleranzen]\r\n9\r\n9\r\n\r\n[Position]\r\n 0 \r\n 0 \r\n\r\n"
                   "[farbige Tabelle]\r\n 0 \r\n 0 \r\n\r\n";
}

// state.range(0): the length of the long price lines. Counters: a search
// click for 1265 mm and a click on a colour check box, each with its paint.
void BM_WindowClicksLongPrices(benchmark::State &state)
{
    if (!haveDisplay(state))
        return;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Torvelin.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(settingsWithLongPrices(int(state.range(0)))) < 0) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    file.close();
    ShownWindow shown(SettingsLocation::Paths{path, QString()});
    FrmTorvelin &window = shown.window;
    auto *start = window.findChild<QPushButton *>(QStringLiteral("btnStart"));
    auto *colours = window.findChild<QCheckBox *>(QStringLiteral("chkCellStyle(0)"));

    double searchMs = 0.0;
    double checkBoxMs = 0.0;
    QElapsedTimer clock;
    for (auto _ : state) {
        clock.start();
        QTest::mouseClick(start, Qt::LeftButton);
        QCoreApplication::processEvents();
        searchMs += double(clock.nsecsElapsed()) / 1e6;
        clock.start();
        QTest::mouseClick(colours, Qt::LeftButton);
        QCoreApplication::processEvents();
        checkBoxMs += double(clock.nsecsElapsed()) / 1e6;
    }
    if (window.findChild<QLabel *>(QStringLiteral("lblCount"))->text() != u"929")
        state.SkipWithError("the search did not store 929 rows");
    state.counters["search_click_ms"] = searchMs / double(state.iterations());
    state.counters["checkbox_click_ms"] = checkBoxMs / double(state.iterations());
    window.hide();
}
BENCHMARK(BM_WindowClicksLongPrices)
    ->Arg(0)
    ->Arg(100'000)
    ->Arg(400'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

} // namespace
