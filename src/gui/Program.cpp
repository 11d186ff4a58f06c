#include "Program.h"

#include "version.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void Program::describe()
{
    QCoreApplication::setApplicationName(QStringLiteral("Torvelin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.torvelin.Torvelin"));
}

void Program::speakGerman(QCoreApplication &application)
{
    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

QString Program::release()
{
    return QStringLiteral("Rel. : %1.%2.%3")
        .arg(Version::major)
        .arg(Version::minor)
        .arg(Version::patch);
}

QString Program::stand()
{
    return u"Stand: " + QString::fromLatin1(Version::releaseDate);
}
