#pragma once

#include <QHash>
#include <QString>

#include <optional>

class QSettings;

// What a builder keeps about the pieces of one range: the length measured on
// the real piece (where it differs from the catalogue), how many they own and
// what one costs. Kept per range and article number in the Gleisrechner's
// settings, never in the main program's file.
namespace PieceBook {

struct Entry
{
    std::optional<double> measuredMm; // nothing: the nominal length holds
    int owned = 0;
    qint64 priceCents = 0;

    bool operator==(const Entry &) const = default;
    bool isEmpty() const { return !measuredMm && owned == 0 && priceCents == 0; }
};

using Entries = QHash<QString, Entry>; // by article number

// The most of one piece a builder is taken to own, in the table, in an
// imported list and in the settings: more is a typo (a count typed into the
// article column), not a collection.
constexpr int mostOwned = 999;

// Whether a measured length can be the piece of that nominal length: a real
// piece is off by a fraction of a millimetre, so one more than a tenth off
// is a typo (a "3" for 217,9 mm), not wear. Compared in hundredths of a
// millimetre, so that exactly a tenth off still fits.
bool measuredFits(double nominalMm, double measuredMm);

Entries load(QSettings &settings, const QString &rangeId);
// Replaces what was kept for `rangeId`; entries with nothing in them are not
// written. The caller syncs and checks the settings' status.
void save(QSettings &settings, const QString &rangeId, const Entries &entries);

} // namespace PieceBook
