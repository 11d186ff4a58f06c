#include "core/SettingsLocation.h"
#include "gui/FrmTorvelin.h"
#include "gui/Program.h"
#include "gui/QtInteraction.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program::describe();
    Program::speakGerman(app);

    QtInteraction interaction;
    FrmTorvelin window(interaction, SettingsLocation::forThisProgram());
    window.show();
    return QApplication::exec();
}
