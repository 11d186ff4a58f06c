#pragma once

#include "PieceColours.h"

#include <array>

// Which columns of the results grid are marked in piece colours, and the
// colours of the price grid that go with it. The two check boxes each invert
// the flags of their group of nine columns; the sum and price columns are
// never marked.
class ColourMarking
{
public:
    static constexpr int resultColumns = 20;
    static constexpr int priceColumns = 10;

    struct ColumnColours
    {
        Rgb background;
        Rgb text;
    };

    // The check box `index` changed: 0 governs the length columns 0..8,
    // 1 the article-number columns 10..18. Any other index changes nothing.
    void chkCellStyle_Click(int index);

    bool cellStyleRequested(int column) const;
    bool markingOn() const { return cellStyleRequested(0) || cellStyleRequested(10); }

    // The "HighlightRow" setting: 1 while marking is on in either group.
    // It makes the current row keep the piece colours of its marked cells
    // and show the highlight as a frame around them, instead of painting
    // them over in the selection colour.
    qint16 highlightRowSetting() const { return m_highlightRow; }

    // Colours of price-grid column 0..9 as last set by a check box; nothing
    // before the first change, when the grid keeps its own look.
    std::optional<ColumnColours> priceColumnColours(int column) const;

private:
    std::array<bool, resultColumns> m_requested{};
    qint16 m_highlightRow = 0;
    bool m_priceColoursSet = false;
};
