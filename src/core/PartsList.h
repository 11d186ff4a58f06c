#pragma once

#include <QString>

#include <array>

class GridStore;

// The parts list of one result row: how many of each piece it needs, counted
// from the article-number columns alone, in catalogue order.
class PartsList
{
public:
    static constexpr int row = 1;

    // Makes an empty parts store: row 1, columns 0..9, "Stück" in column 0.
    static void initialise(GridStore &parts);

    // Counts result row `currentRow` (-1, no current row, means row 0) into
    // cells (1, 1)..(1, 9) of `parts`: "1".."9", the empty text for none.
    static void Stueckliste(const GridStore &results, int currentRow, GridStore &parts);

    // The nine count texts, catalogue order.
    static std::array<QString, 9> counts(const GridStore &parts);
};
