#pragma once

class QCoreApplication;
class QString;

// What the program tells the desktop about itself before its window opens.
namespace Program {

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
