#include "FrmTorvelin.h"
#include "QtInteraction.h"
#include "settings/SettingsLocation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvelin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Torvelin"));
    QApplication::setDesktopFileName(QStringLiteral("de.torvelin.Torvelin"));

    QtInteraction interaction;
    FrmTorvelin window(interaction, SettingsLocation::forThisProgram());
    window.show();
    return QApplication::exec();
}
