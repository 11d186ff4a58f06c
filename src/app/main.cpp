#include "core/SettingsLocation.h"
#include "gui/FrmTorvelin.h"
#include "gui/QtInteraction.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvelin"));
    QApplication::setApplicationDisplayName(QStringLiteral("Torvelin"));
    QApplication::setDesktopFileName(QStringLiteral("de.torvelin.Torvelin"));

    // The program speaks German; Qt's own dialogs (the printer dialog, the
    // buttons of message boxes) should too.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    QtInteraction interaction;
    FrmTorvelin window(interaction, SettingsLocation::forThisProgram());
    window.show();
    return QApplication::exec();
}
