#pragma once

// The layout of one result row: the lengths of up to nine pieces (longest
// first, blanks only at the right end), the summed length, the article
// numbers of the same pieces in the same order, and the price total.
struct Combination
{
    static constexpr int pieceSlots = 9;
    static constexpr int firstLengthColumn = 0;
    static constexpr int sumColumn = 9;
    static constexpr int firstArticleColumn = 10;
    static constexpr int priceColumn = 19;
    static constexpr int columnCount = 20;
};
