#pragma once

#include "TrackRange.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The straight sectional pieces of an XTrackCAD parameter file (.xtp).
//
// A part there is a "TURNOUT scale "maker<TAB>description<TAB>article""
// block up to "END", with its end points ("E x y angle", inches) and track
// segments ("S" straight, "C" curved, "J" easement, "B" Bézier). A part is a
// straight piece when it has exactly two end points facing away from each
// other on the line joining them and exactly one track segment, a straight
// one. Its length is the distance between the end points, converted from
// inches and rounded to a hundredth of a millimetre (the files round their
// inch figures to six places, so 64.3 mm reads 64.299998; 27.75 mm pieces
// exist). Parts without an
// article number, and a second part with the same article number, are left
// out. Files are UTF-8 or, where that does not decode, Latin-1.
namespace XtpReader {

struct Result
{
    std::optional<TrackRange> range; // set when the file has at least one straight piece
    QString error;                   // why not: unreadable, or no straight piece
};

// The range name of a parameter file: "xtrkcad:" and the file name without ".xtp".
QString nameFromPath(const QString &path);

Result read(const QString &path);
Result parse(const QByteArray &content, const QString &path);

} // namespace XtpReader
