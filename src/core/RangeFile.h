#pragma once

#include "TrackRange.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The plain-text range file, UTF-8, one piece a line:
//
//   # H0 Märklin K-Gleis, Quelle: ...        comment (from "#" to the line's end)
//   2200   180.0   22 00                     article number, length in mm, text
//
// Fields are separated by blanks or tabs. The article number is one word
// without "," or "=" (options list article numbers with those); the length
// has "." as decimal point and at most two decimals, more than 0 and at most
// 10000 mm; the text is the rest of the line, blanks inside kept, and may be
// left out (the article number is shown then). Blank lines and comments are
// skipped; a byte-order mark at the start is allowed. A file must name at
// least one piece and no article number twice.
//
// Every malformed line is refused with "FILE:LINE: what is wrong"; a range is
// only returned when the whole file is sound.
namespace RangeFile {

struct Result
{
    std::optional<TrackRange> range;
    QString error; // empty when range is set
};

// The name of a range read from `path`: the file name without ".txt".
QString nameFromPath(const QString &path);

// The whole content of a file, or nothing with `error` set to
// "FILE: nicht lesbar (why)"; the parameter-file reader shares it.
std::optional<QByteArray> readBytes(const QString &path, QString &error);

// Reads and checks a file.
Result read(const QString &path, TrackRange::Origin origin = TrackRange::Origin::File);
// Checks the content of a file; `path` appears in the messages.
Result parse(const QByteArray &content, const QString &path,
             TrackRange::Origin origin = TrackRange::Origin::File);

} // namespace RangeFile
