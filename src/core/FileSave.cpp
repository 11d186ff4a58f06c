#include "FileSave.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <unistd.h>

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// Writes all of `bytes` to an unbuffered file. A write that stops short on
// a full disk gives no reason; writing the rest again does.
bool writeAll(QFileDevice &file, QByteArrayView bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.data() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Every byte out of the system's buffers too: some file systems tell a full
// disk only then.
bool flushToDisk(QFile &file)
{
    return file.flush() && file.error() == QFileDevice::NoError && ::fsync(file.handle()) == 0;
}

// Why the last step failed: Qt's own error where it set one, else the
// system's (fsync() is not Qt's).
QString reasonOf(const QFileDevice &file)
{
    return file.error() != QFileDevice::NoError ? file.errorString() : qt_error_string(errno);
}

bool writeAt(QFile &file, qint64 offset, QByteArrayView bytes)
{
    return file.seek(offset) && writeAll(file, bytes) && flushToDisk(file);
}

bool writeInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    // Read and write, not truncate: the old bytes stay until the new ones fit.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    const qint64 oldSize = file.size();
    const qint64 newSize = bytes.size();
    // The old bytes the new ones will cover, to be put back on a failure.
    const QByteArray covered = file.read(qMin(oldSize, newSize));
    if (covered.size() != qMin(oldSize, newSize))
        return fail(error, file.errorString());

    // Growing first takes the room on the disk while the old bytes are still
    // whole; writing over bytes the file already has needs no more room.
    if (newSize > oldSize && !writeAt(file, oldSize, bytes.sliced(oldSize))) {
        const QString reason = reasonOf(file);
        file.resize(oldSize);
        return fail(error, reason);
    }
    // The old tail goes last, once the new bytes are on the disk.
    if (!writeAt(file, 0, bytes.first(covered.size())) ||
        (newSize < oldSize && !file.resize(newSize))) {
        const QString reason = reasonOf(file);
        writeAt(file, 0, covered);
        file.resize(oldSize);
        return fail(error, reason);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return fail(error, file.errorString());
    return true;
}

} // namespace

bool FileSave::replace(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        // The folder refuses the new file; the file itself may still take
        // the bytes.
        if (QFileInfo(path).isFile())
            return writeInPlace(path, bytes, error);
        return fail(error, file.errorString());
    }
    // commit() does not see every failed write of buffered bytes (Qt 6.4
    // renames a cut file into place and reports success), so every write is
    // checked before it.
    if (!writeAll(file, bytes) || !file.flush() || file.error() != QFileDevice::NoError ||
        !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(error, reason);
    }
    return true;
}
