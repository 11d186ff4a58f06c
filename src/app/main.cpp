#include "core/DisplayPlatform.h"
#include "core/SettingsLocation.h"
#include "gui/FrmTorvelin.h"
#include "gui/Program.h"
#include "gui/QtInteraction.h"
#include "gui/QuitAfterFirstPaint.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // Under a file-size limit (ulimit -f) a write beyond it fails like one
    // on a full disk, is reported and leaves the old file, instead of
    // ending the program on the spot.
    std::signal(SIGXFSZ, SIG_IGN);
    DisplayPlatform::choose();
    QApplication app(argc, argv);
    Program::describe();
    Program::speakGerman(app);

    QtInteraction interaction;
    FrmTorvelin window(interaction, SettingsLocation::forThisProgram());
    // Only the start-up benchmark sets this: the program ends after its
    // first paint, without saving anything.
    if (qEnvironmentVariableIsSet("TORVELIN_QUIT_AFTER_PAINT"))
        new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
