#pragma once

#include <QString>

#include <functional>

// Where the settings file lives. The file beside the program comes first, so
// that existing files keep working; where the program's folder holds no
// writable file and cannot take a new one (an installed program in a system
// folder), the file lives in the user's configuration folder instead.
class SettingsLocation
{
public:
    static constexpr char fileName[] = "Torvelin.ini";

    // Whether a file can be written at a path (an existing file) or created
    // in a folder; replaceable so that tests need no read-only file system.
    using WritableCheck = std::function<bool(const QString &path)>;

    struct Paths
    {
        QString read;  // the file to load; empty when there is none
        QString write; // the file to save to
    };

    static Paths choose(const QString &programDir, const QString &configDir,
                        const WritableCheck &isWritable = defaultWritableCheck);

    // The paths for this program: its own folder and the user's
    // configuration folder from QStandardPaths.
    static Paths forThisProgram();

    static bool defaultWritableCheck(const QString &path);
};
