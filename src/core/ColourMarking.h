#pragma once

#include "Combination.h"
#include "PieceColours.h"
#include "TrackCatalogue.h"

#include <array>
#include <optional>

// Which columns of the results grid are marked in piece colours, and the
// colours of the price grid that go with it. The two check boxes each invert
// the flags of their group of nine columns; the sum and price columns are
// never marked.
class ColourMarking
{
public:
    // The price grid: the row caption, then one column per piece.
    static constexpr int priceColumns = TrackCatalogue::pieceCount + 1;

    struct ColumnColours
    {
        Rgb background;
        Rgb text;
    };

    // Inverts the marking of one group: 0 the length columns 0..8, 1 the
    // article-number columns 10..18. Any other group changes no column, but
    // the price grid's colours are set all the same.
    void toggleGroup(int group);

    bool cellStyleRequested(int column) const;
    bool markingOn() const
    {
        return cellStyleRequested(Combination::firstLengthColumn) ||
               cellStyleRequested(Combination::firstArticleColumn);
    }

    // The "HighlightRow" setting: 1 while marking is on in either group.
    // It makes the current row keep the piece colours of its marked cells
    // and show the highlight as a frame around them, instead of painting
    // them over in the selection colour.
    qint16 highlightRowSetting() const { return markingOn() ? 1 : 0; }

    // Colours of price-grid column 0..9 as last set by a check box; nothing
    // before the first change, when the grid keeps its own look.
    std::optional<ColumnColours> priceColumnColours(int column) const;

private:
    std::array<bool, Combination::columnCount> m_requested{};
    bool m_priceColoursSet = false;
};
