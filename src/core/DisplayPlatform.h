#pragma once

#include <QByteArray>

class QProcessEnvironment;

// Which of Qt's platform plugins the windows ask for, before their
// application object exists.
namespace DisplayPlatform {

// The platform plugin to ask Qt for in this environment, or an empty array to
// leave the choice to Qt. In a Wayland session that also offers an X display
// (XWayland) the program runs on X: only there can it put its window at the
// position it kept, and Qt warns of no missing Wayland plugin. Wayland stays
// the fallback should that X display not answer. A platform chosen with
// QT_QPA_PLATFORM is obeyed as it stands.
QByteArray platformFor(const QProcessEnvironment &environment);

// Asks Qt for that plugin; only before the application object exists.
void choose();

} // namespace DisplayPlatform
