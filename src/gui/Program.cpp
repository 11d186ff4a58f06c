#include "Program.h"

#include "version.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcessEnvironment>
#include <QTranslator>

QByteArray Program::platformFor(const QProcessEnvironment &environment)
{
    const auto isSet = [&environment](const QString &name) {
        return !environment.value(name).isEmpty();
    };
    // Qt too takes an empty QT_QPA_PLATFORM for none.
    if (isSet(QStringLiteral("QT_QPA_PLATFORM")))
        return {};
    const bool wayland = isSet(QStringLiteral("WAYLAND_DISPLAY")) ||
                         environment.value(QStringLiteral("XDG_SESSION_TYPE")) == u"wayland";
    if (wayland && isSet(QStringLiteral("DISPLAY")))
        return QByteArrayLiteral("xcb;wayland");
    return {};
}

void Program::choosePlatform()
{
    // The variable is where Qt documents the choice; a "-platform" argument
    // still overrides it.
    const QByteArray platform = platformFor(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

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
