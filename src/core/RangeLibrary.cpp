#include "RangeLibrary.h"

#include "RangeFile.h"
#include "UserText.h"
#include "XtpReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QThread>

namespace {

// Files of one kind in a folder, names ascending.
QStringList filesIn(const QString &folder, const QString &pattern)
{
    QStringList paths;
    const QDir dir(folder);
    for (const QString &name :
         dir.entryList({pattern}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase))
        paths << dir.filePath(name);
    return paths;
}

// Reading hundreds of files is left off when whoever waits for the list
// no longer wants it (a window closing right after its start).
bool stopWanted()
{
    return QThread::currentThread()->isInterruptionRequested();
}

bool looksLikePath(const QString &text)
{
    return text.contains(u'/') || text.endsWith(u".txt") || text.endsWith(u".xtp");
}

RangeLibrary::Loaded fromFile(const QString &path, TrackRange::Origin origin)
{
    if (path.endsWith(u".xtp")) {
        XtpReader::Result read = XtpReader::read(path);
        return {std::move(read.range), read.error};
    }
    RangeFile::Result read = RangeFile::read(path, origin);
    return {std::move(read.range), read.error};
}

} // namespace

RangeLibrary::Places RangeLibrary::defaultPlaces()
{
    Places places;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (!config.isEmpty())
        places.userFolders << QDir(config).filePath(QStringLiteral("Torvelin/ranges"));

    // Beside an installed or unpacked program (PREFIX/bin/../share/...), then
    // the source tree while the program runs from its build tree, then the
    // system's data folders.
    QStringList shipped;
    const QString programDir = QCoreApplication::applicationDirPath();
    if (!programDir.isEmpty())
        shipped << QDir(programDir).absoluteFilePath(QStringLiteral("../share/torvelin/ranges"));
#if defined(TORVELIN_BUILD_DIR) && defined(TORVELIN_SOURCE_RANGES)
    const QString buildDir = QStringLiteral(TORVELIN_BUILD_DIR);
    if (!programDir.isEmpty() && QDir::cleanPath(programDir).startsWith(QDir::cleanPath(buildDir)))
        shipped << QStringLiteral(TORVELIN_SOURCE_RANGES);
#endif
    shipped << QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                         QStringLiteral("torvelin/ranges"),
                                         QStandardPaths::LocateDirectory);
    shipped << QStringLiteral("/usr/share/torvelin/ranges");
    QSet<QString> seen;
    for (const QString &folder : std::as_const(shipped)) {
        const QFileInfo info(folder);
        const QString canonical = info.canonicalFilePath();
        if (!info.isDir() || seen.contains(canonical))
            continue;
        seen.insert(canonical);
        places.shippedFolders << canonical;
    }
    places.xtrkcadFolders << QStringLiteral("/usr/share/xtrkcad/params");
    return places;
}

RangeLibrary::RangeLibrary(Places places) : m_places(std::move(places)) {}

QList<RangeLibrary::Entry> RangeLibrary::list() const
{
    QList<Entry> entries;
    QSet<QString> names;
    const auto add = [&](Entry entry) {
        entry.hidden = names.contains(entry.name);
        names.insert(entry.name);
        entries << entry;
    };

    const TrackRange builtIn = TrackRange::builtIn();
    add({builtIn.name(), builtIn.source(), builtIn.origin(), builtIn.pieceCount(), {}, false});

    const auto addFiles = [&](const QStringList &folders, TrackRange::Origin origin) {
        for (const QString &folder : folders) {
            for (const QString &path : filesIn(folder, QStringLiteral("*.txt"))) {
                if (stopWanted())
                    return;
                const RangeFile::Result read = RangeFile::read(path, origin);
                add({RangeFile::nameFromPath(path), path, origin,
                     read.range ? read.range->pieceCount() : 0, read.error, false});
            }
        }
    };
    addFiles(m_places.userFolders, TrackRange::Origin::User);
    addFiles(m_places.shippedFolders, TrackRange::Origin::Shipped);

    // A parameter file without a straight piece is no range; it is left out.
    for (const QString &folder : m_places.xtrkcadFolders) {
        for (const QString &path : filesIn(folder, QStringLiteral("*.xtp"))) {
            if (stopWanted())
                return entries;
            const XtpReader::Result read = XtpReader::read(path);
            if (read.range)
                add({read.range->name(),
                     path,
                     TrackRange::Origin::XTrackCad,
                     read.range->pieceCount(),
                     {},
                     false});
        }
    }
    return entries;
}

RangeLibrary::Loaded RangeLibrary::load(const QString &nameOrPath) const
{
    if (nameOrPath == TrackRange::builtInName())
        return {TrackRange::builtIn(), QString()};
    if (looksLikePath(nameOrPath)) {
        if (!QFileInfo(nameOrPath).isFile())
            return {std::nullopt,
                    QStringLiteral("Keine Datei: %1").arg(UserText::quoted(nameOrPath, 200))};
        return fromFile(nameOrPath, TrackRange::Origin::File);
    }

    const QString file = nameOrPath + u".txt";
    for (const QString &folder : m_places.userFolders) {
        if (const QString path = QDir(folder).filePath(file); QFileInfo(path).isFile())
            return fromFile(path, TrackRange::Origin::User);
    }
    for (const QString &folder : m_places.shippedFolders) {
        if (const QString path = QDir(folder).filePath(file); QFileInfo(path).isFile())
            return fromFile(path, TrackRange::Origin::Shipped);
    }
    const QString prefix = QStringLiteral("xtrkcad:");
    if (nameOrPath.startsWith(prefix)) {
        const QString xtp = nameOrPath.mid(prefix.size()) + u".xtp";
        for (const QString &folder : m_places.xtrkcadFolders) {
            if (const QString path = QDir(folder).filePath(xtp); QFileInfo(path).isFile())
                return fromFile(path, TrackRange::Origin::XTrackCad);
        }
    }
    return {std::nullopt, QStringLiteral("Unbekanntes Gleissortiment: %1 (siehe --ranges)")
                              .arg(UserText::quoted(nameOrPath))};
}
