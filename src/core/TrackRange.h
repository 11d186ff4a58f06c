#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// Lengths of the range solver are whole numbers of hundredths of a
// millimetre: every range we know gives its pieces to at most two decimals
// (27.75 mm for the shortest piccolo piece), so sums of any number of pieces
// are exact and a fit test never depends on how rounding falls.
namespace RangeUnits {

inline constexpr qint64 perMillimetre = 100;

// Whole millimetres as units.
constexpr qint64 fromMillimetres(qint64 mm)
{
    return mm * perMillimetre;
}

// A length text with "." as the only decimal point and at most
// `maxDecimals` (0 to 2) decimals, e.g. "64.3" or "27.75". Nothing for a
// text that is not such a number (sign, blanks, exponent and locale
// separators are refused: range files and options must read the same on
// every machine).
std::optional<qint64> parse(QStringView text, int maxDecimals = 2);

// Units as millimetres with "." and the decimals that are needed, at least
// one: 6430 gives "64.3", 2775 "27.75", 36000 "360.0".
QString plainText(qint64 units);

// Units as a double number of millimetres.
constexpr double toMillimetres(qint64 units)
{
    return double(units) / double(perMillimetre);
}

} // namespace RangeUnits

// One straight piece of a range.
struct RangePiece
{
    QString articleNumber; // the key options and stock refer to: "24360", "20-091B"
    QString label;         // how a piece is shown: "24 360"
    qint64 length = 0;     // in RangeUnits, more than 0
};

// A track range: its straight pieces, a name to choose it by, and where it
// came from. The pieces are kept in search order, ascending length (pieces of
// equal length in the order the source gives them); a result row shows them
// the other way round, longest first.
class TrackRange
{
public:
    enum class Origin {
        BuiltIn,   // the nine märklin C pieces compiled into the program
        Shipped,   // a range file installed with the program
        User,      // a range file in the user's configuration folder
        XTrackCad, // a parameter file of the XTrackCAD track planner
        File,      // a file named on the command line
    };

    TrackRange() = default;
    // Sorts the pieces into search order.
    TrackRange(QString name, QString source, Origin origin, QList<RangePiece> pieces);

    // The nine märklin C pieces with the program's own figures (229.3 and
    // 236.1 mm, where XTrackCAD has 229.0 and 236.0). Name "maerklin-c".
    static TrackRange builtIn();
    static QString builtInName();

    QString name() const { return m_name; }
    // A path, or a description for the built-in range.
    QString source() const { return m_source; }
    Origin origin() const { return m_origin; }
    bool isBuiltIn() const { return m_origin == Origin::BuiltIn; }
    // The German word for an origin, as listings show it.
    static QString originText(Origin origin);

    // Search order: index 0 is the shortest piece.
    const QList<RangePiece> &pieces() const { return m_pieces; }
    int pieceCount() const { return int(m_pieces.size()); }
    const RangePiece &piece(int index) const { return m_pieces.at(index); }
    // The index of an article number, compared exactly; -1 when none.
    int indexOf(QStringView articleNumber) const;

    // A copy in which one piece has another length (a length the builder
    // measured). The search order stays that of the nominal lengths, so that
    // rows keep their familiar order.
    TrackRange withLength(int index, qint64 length) const;

private:
    QString m_name;
    QString m_source;
    Origin m_origin = Origin::File;
    QList<RangePiece> m_pieces;
};
