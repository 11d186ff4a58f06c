#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool SettingsLocation::defaultWritableCheck(const QString &path)
{
    return QFileInfo(path).isWritable();
}

SettingsLocation::Paths SettingsLocation::choose(const QString &programDir,
                                                 const QString &configDir,
                                                 const WritableCheck &isWritable)
{
    const QString name = QString::fromLatin1(fileName);
    const QString besideProgram = QDir(programDir).filePath(name);
    const QString inConfig = QDir(configDir).filePath(name);

    const bool programFileExists = QFileInfo::exists(besideProgram);
    const bool programUsable =
        programFileExists ? isWritable(besideProgram) : isWritable(programDir);

    Paths paths;
    paths.write = programUsable || configDir.isEmpty() ? besideProgram : inConfig;
    if (QFileInfo::exists(paths.write))
        paths.read = paths.write;
    else if (programFileExists)
        paths.read = besideProgram;
    return paths;
}

SettingsLocation::Paths SettingsLocation::forThisProgram()
{
    return choose(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}
