#include "SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Whether the settings file can be saved at `path`: an existing file must
// be a writable file; otherwise the nearest folder that exists on the way
// must take new entries, so that the missing folders and the file can be
// made there.
bool canSaveAt(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists())
        return file.isFile() && file.isWritable();
    QFileInfo folder(file.absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder.setFile(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace

bool SettingsLocation::isSystemFolder(const QString &dir)
{
    const QString path = QDir::cleanPath(QDir(dir).absolutePath()) + u'/';
    return path.startsWith(u"/usr/") || path == u"/bin/" || path == u"/sbin/";
}

SettingsLocation::Paths SettingsLocation::choose(const QString &programDir,
                                                 const QString &configDir)
{
    const QString name = QString::fromLatin1(fileName);
    const QString besideProgram = QDir(programDir).filePath(name);
    const QString inConfig = configDir.isEmpty() ? QString() : QDir(configDir).filePath(name);

    Paths paths;
    const bool besideAllowed = !isSystemFolder(programDir) && canSaveAt(besideProgram);
    paths.write =
        besideAllowed || inConfig.isEmpty() || !canSaveAt(inConfig) ? besideProgram : inConfig;
    for (const QString &candidate : {paths.write, besideProgram, inConfig}) {
        if (!candidate.isEmpty() && QFileInfo(candidate).isFile()) {
            paths.read = candidate;
            break;
        }
    }
    return paths;
}

SettingsLocation::Paths SettingsLocation::forThisProgram()
{
    return choose(QCoreApplication::applicationDirPath(),
                  QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}
