#pragma once

#include "TrackCatalogue.h"

#include <QString>

#include <array>

class GridStore;

// The parts list of one result row: how many of each piece it needs, counted
// from the article-number columns alone, in catalogue order.
namespace PartsList {

inline constexpr int row = 1;

// Makes an empty parts store: row 1, columns 0..9, "Stück" in column 0.
void initialise(GridStore &parts);

// Counts result row `currentRow` (-1, no current row, means row 0) into
// cells (1, 1)..(1, 9) of `parts`: "1".."9", the empty text for none.
void Stueckliste(const GridStore &results, int currentRow, GridStore &parts);

// The nine count texts, catalogue order.
std::array<QString, TrackCatalogue::pieceCount> counts(const GridStore &parts);

} // namespace PartsList
