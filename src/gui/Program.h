#pragma once

class QByteArray;
class QCoreApplication;
class QProcessEnvironment;
class QString;

// What the program tells the desktop about itself before its window opens.
namespace Program {

// The platform plugin to ask Qt for in this environment, or an empty array to
// leave the choice to Qt. In a Wayland session that also offers an X display
// (XWayland) the program runs on X: only there can it put its window at the
// position kept in the settings file, and Qt warns of no missing Wayland
// plugin. Wayland stays the fallback should that X display not answer. A
// platform chosen with QT_QPA_PLATFORM is obeyed as it stands.
QByteArray platformFor(const QProcessEnvironment &environment);

// Asks Qt for that plugin; only before the application object exists.
void choosePlatform();

// The application name and the desktop file name, through which the desktop
// finds the launcher and the icon. No display name is set: the window system
// would append it to the window title and to every message box title.
void describe();

// Qt's own dialogs (the printer dialog, message-box buttons) in German, like
// the rest of the program.
void speakGerman(QCoreApplication &application);

// The release line of the window, "Rel. : 1.0.0", and its date line,
// "Stand: " and the release date, from the build's version.
QString release();
QString stand();

} // namespace Program
