#include "Dialogs.h"
#include "FrmGleisrechner.h"
#include "RechnerStyle.h"
#include "core/DisplayPlatform.h"
#include "gui/QuitAfterFirstPaint.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // As the main window: on X where a Wayland session offers it.
    DisplayPlatform::choose();
    QApplication app(argc, argv);
    // The style the user chose (-style, QT_STYLE_OVERRIDE, the desktop's),
    // with the Gleisrechner's own two symbols.
    QApplication::setStyle(new RechnerStyle(QApplication::style()));
    // The class in WM_CLASS and the desktop entry's StartupWMClass.
    QCoreApplication::setOrganizationName(QStringLiteral("Torvelin"));
    QCoreApplication::setApplicationName(QStringLiteral("Gleisrechner"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Torvelin Gleisrechner"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.torvelin.Gleisrechner"));
    // Qt's own dialogs (file, printer) in German, like the rest of the window.
    QTranslator translator;
    if (translator.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    // Its own file beside the main program's, which it never touches.
    const QString settings =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/Torvelin/Gleisrechner.ini");
    QtDialogs dialogs;
    FrmGleisrechner window(dialogs, settings, RangeLibrary());
    // Only the start-up benchmark sets this: the program ends after its
    // first paint, without saving anything.
    if (qEnvironmentVariableIsSet("TORVELIN_QUIT_AFTER_PAINT"))
        new QuitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
