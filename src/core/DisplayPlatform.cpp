#include "DisplayPlatform.h"

#include <QProcessEnvironment>

QByteArray DisplayPlatform::platformFor(const QProcessEnvironment &environment)
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

void DisplayPlatform::choose()
{
    // The variable is where Qt documents the choice; a "-platform" argument
    // still overrides it.
    const QByteArray platform = platformFor(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}
