#pragma once

// What the window benchmarks share: one application for the whole process,
// an interaction that shows nothing and a shown window ready to search.

#include "gui/FrmTorvelin.h"
#include "gui/Interaction.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include <benchmark/benchmark.h>

class SilentInteraction : public Interaction
{
public:
    void showMessage(QWidget *, QMessageBox::Icon, const QString &, const QString &) override {}
    void beep() override {}
    bool choosePrinter(QWidget *, QPrinter &) override { return false; }
};

// Makes the one application on first use; false, with the benchmark marked
// as skipped, where there is no display to show a window on.
inline bool haveDisplay(benchmark::State &state)
{
    static int argc = 1;
    static char name[] = "torvelin-bench";
    static char *argv[] = {name, nullptr};
    // Left to the end of the process on purpose: destroying a QApplication
    // among the static destructors at exit crashes.
    static QApplication *app = nullptr;
    if (!app && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        state.SkipWithError("no display: run under xvfb-run");
        return false;
    }
    if (!app) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        app = new QApplication(argc, argv);
    }
    return true;
}

struct ShownWindow
{
    SilentInteraction interaction;
    FrmTorvelin window;

    // Settings from `paths` (none by default), then 1265 mm with both
    // tolerances at 9 typed in: the largest result there is, 929 rows.
    explicit ShownWindow(const SettingsLocation::Paths &paths = {}) : window(interaction, paths)
    {
        window.show();
        (void)QTest::qWaitForWindowExposed(&window);
        window.findChild<QLineEdit *>(QStringLiteral("txtLaenge"))->setText(QStringLiteral("1265"));
        window.findChild<QLineEdit *>(QStringLiteral("txtToleranz(0)"))
            ->setText(QStringLiteral("9"));
        window.findChild<QLineEdit *>(QStringLiteral("txtToleranz(1)"))
            ->setText(QStringLiteral("9"));
        QCoreApplication::processEvents();
    }
};
