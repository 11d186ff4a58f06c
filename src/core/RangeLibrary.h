#pragma once

#include "TrackRange.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Where ranges are found, and choosing one by name or path.
//
// In this order, an earlier name hiding a later one of the same name:
//  1. the built-in märklin C range ("maerklin-c");
//  2. the user's range files, ~/.config/Torvelin/ranges/*.txt;
//  3. the shipped range files: data/ranges of the source tree the program
//     was built from (so a build runs without installing), then
//     /usr/share/torvelin/ranges (and the other system data folders);
//  4. XTrackCAD parameter files, /usr/share/xtrkcad/params/*.xtp, as
//     "xtrkcad:FILE NAME", where that library is installed.
class RangeLibrary
{
public:
    struct Places
    {
        QStringList userFolders;
        QStringList shippedFolders;
        QStringList xtrkcadFolders;
    };

    // One range as a listing shows it.
    struct Entry
    {
        QString name;
        QString source; // path of the file, or a description
        TrackRange::Origin origin = TrackRange::Origin::File;
        int pieceCount = 0;
        QString error;       // a file that is there but cannot be used: why
        bool hidden = false; // an earlier range has the same name
    };

    struct Loaded
    {
        std::optional<TrackRange> range;
        QString error; // German, one line, empty when range is set
    };

    // The places of this installation.
    static Places defaultPlaces();

    explicit RangeLibrary(Places places = defaultPlaces());

    const Places &places() const { return m_places; }

    // Every range found, in the order above, names ascending within each
    // place. Files are read to count their pieces; broken ones are listed
    // with their error. Run in a thread that is asked to stop
    // (QThread::requestInterruption), it ends after the file at hand with
    // what it has found so far.
    QList<Entry> list() const;

    // A range by name ("maerklin-k", "xtrkcad:Piko-A") or by the path of a
    // range file or parameter file (anything with a "/" or ending in ".txt"
    // or ".xtp").
    Loaded load(const QString &nameOrPath) const;

private:
    Places m_places;
};
