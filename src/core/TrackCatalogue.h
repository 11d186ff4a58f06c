#pragma once

#include "TrackPiece.h"

#include <QString>
#include <QStringView>

#include <array>

// The nine straight pieces, constant for the whole run. Catalogue positions
// run from 1 (the longest, "24360") to 9 (the shortest, "24064"); that order
// governs every column of the price and parts grids, the printout and the
// colour marking. Search index i belongs to catalogue position 10 - i.
namespace TrackCatalogue {

inline constexpr int pieceCount = 9;

// The piece at catalogue position 1..9.
const TrackPiece &piece(int position);
const std::array<TrackPiece, pieceCount> &pieces();

// The catalogue position of an article number, compared whole and exactly;
// 0 when it is none of the nine.
int positionOf(QStringView articleNumber);

// The article number of the piece whose length is exactly this float, the
// empty text for any other length (0.0 included).
QString ArtNrVonLaenge(float laenge);

// The piece's length as the search writes it into a result cell, in the
// user's locale ("360,0" in German).
QString lengthText(int position);

} // namespace TrackCatalogue

// The search's lengths: index 0 stands for "no piece", 1 to 9 hold the pieces
// by ascending length.
using SearchLengths = std::array<float, TrackCatalogue::pieceCount + 1>;

namespace TrackCatalogue {
SearchLengths searchLengths();
} // namespace TrackCatalogue
