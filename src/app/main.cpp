#include "core/SettingsLocation.h"
#include "gui/FrmTorvelin.h"
#include "gui/Program.h"
#include "gui/QtInteraction.h"
#include "gui/QuitAfterFirstPaint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Program::choosePlatform();
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
