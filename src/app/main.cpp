#include "core/SettingsLocation.h"
#include "gui/FrmTorvelin.h"
#include "gui/Program.h"
#include "gui/QtInteraction.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
    // Under a file-size limit (ulimit -f) a write beyond it fails like one
    // on a full disk, is reported and leaves the old file, instead of
    // ending the program on the spot.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    Program::describe();
    Program::speakGerman(app);

    QtInteraction interaction;
    FrmTorvelin window(interaction, SettingsLocation::forThisProgram());
    window.show();
    return QApplication::exec();
}
