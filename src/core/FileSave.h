#pragma once

#include <QByteArray>
#include <QString>

// Writing a whole file so that a failure (a full disk, a file-size limit, a
// folder that refuses new files) never leaves an empty or cut file behind
// and never passes for success.
namespace FileSave {

// Replaces the file at `path` with `bytes`. The bytes go into a new file
// beside the old one, which takes the old one's place only once every byte
// is on the disk. Where the folder refuses a new file but the file itself
// can be written (a shared installation, an immutable folder), the file is
// written in place: it first grows to the new size, so that no old byte is
// overwritten before the room for the new ones is there, and gets its old
// bytes back should a later write fail. On failure the old file is as it
// was (or there is none, as before) and `error` says why.
bool replace(const QString &path, const QByteArray &bytes, QString *error = nullptr);

} // namespace FileSave
