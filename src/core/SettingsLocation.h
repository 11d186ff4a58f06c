#pragma once

#include <QString>

// Where the settings file lives. The file beside the program comes first, so
// that existing files keep working; where the program's folder holds no
// writable file and cannot take a new one (an installed program in a system
// folder), the file lives in the user's configuration folder instead.
namespace SettingsLocation {

inline constexpr char fileName[] = "Torvelin.ini";

struct Paths
{
    QString read;  // the file to load; empty when there is none
    QString write; // the file to save to
};

// A file that exists is used when it can be written, whatever its folder
// allows (it is then written in place); a file still to come needs a folder
// that exists or can be made and takes new files. A program in a system
// folder (/usr/bin, /usr/local/bin) never saves beside itself. Settings are read from
// the file to save to, else from whichever of the two files exists.
Paths choose(const QString &programDir, const QString &configDir);

// A folder the package manager or `make install` fills (/usr/bin,
// /usr/local/bin, /bin, /sbin): nothing else belongs there, not even when
// root runs the program and could write it.
bool isSystemFolder(const QString &dir);

// The paths for this program: its own folder and the user's configuration
// folder from QStandardPaths.
Paths forThisProgram();

} // namespace SettingsLocation
