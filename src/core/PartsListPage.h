#pragma once

#include "TrackCatalogue.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

// The printed parts list of one combination, laid out but not yet painted:
// every line with its place on the page, its text and its weight. Positions
// are whole millimetres from the top-left corner of the printer's printable
// area, x to the right and y downwards, and name the line's top-left corner.
//
// The page only arranges texts the window already shows; it recomputes
// nothing, so the distance and the counts come out exactly as displayed.
class PartsListPage
{
public:
    struct Line
    {
        int xMm = 0;
        int yMm = 0;
        QString text;
        bool bold = false;
    };

    using Counts = std::array<QString, TrackCatalogue::pieceCount>;

    static constexpr QStringView fontFamily{u"Arial"};
    static constexpr int fontPointSize = 12;

    static constexpr int leftMm = 10;
    static constexpr int titleYMm = 10;
    static constexpr int distanceYMm = 18;
    static constexpr int firstPieceYMm = 26;
    static constexpr int pieceLineStepMm = 8;

    // `summedLength` is the results row's summed-length text ("1.234,5", or
    // the empty text before any search). `counts` holds the parts-list count
    // texts in catalogue order; an empty text means the piece is not used and
    // gets no line.
    PartsListPage(const QString &summedLength, const Counts &counts);

    const QList<Line> &lines() const { return m_lines; }

private:
    QList<Line> m_lines;
};
