#pragma once

#include "TrackCatalogue.h"

// The layout of one result row: the lengths of up to nine pieces (longest
// first, blanks only at the right end), the summed length, the article
// numbers of the same pieces in the same order, and the price total. The
// article number of a piece stands ten columns to the right of its length.
namespace Combination {

inline constexpr int pieceSlots = TrackCatalogue::pieceCount;
inline constexpr int firstLengthColumn = 0;
inline constexpr int sumColumn = firstLengthColumn + pieceSlots;
inline constexpr int firstArticleColumn = sumColumn + 1;
inline constexpr int priceColumn = firstArticleColumn + pieceSlots;
inline constexpr int columnCount = priceColumn + 1;

} // namespace Combination
