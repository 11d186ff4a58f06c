#include "ColourMarking.h"

namespace {
constexpr Rgb captionGrey{128, 128, 128};
} // namespace

void ColourMarking::toggleGroup(int group)
{
    if (group == 0 || group == 1) {
        const int first =
            group == 0 ? Combination::firstLengthColumn : Combination::firstArticleColumn;
        for (int c = first; c < first + Combination::pieceSlots; ++c)
            m_requested[std::size_t(c)] = !m_requested[std::size_t(c)];
    }
    m_priceColoursSet = true;
}

bool ColourMarking::cellStyleRequested(int column) const
{
    return column >= 0 && column < Combination::columnCount && m_requested[std::size_t(column)];
}

std::optional<ColourMarking::ColumnColours> ColourMarking::priceColumnColours(int column) const
{
    if (!m_priceColoursSet || column < 0 || column >= priceColumns)
        return std::nullopt;
    if (!markingOn())
        return ColumnColours{PieceColours::white, PieceColours::black};
    // Column 0 (the row caption) gets white text like the piece columns;
    // on the grid's white it would vanish, so it is shown on grey.
    if (column == 0)
        return ColumnColours{captionGrey, PieceColours::white};
    return ColumnColours{PieceColours::ofPosition(column).background, PieceColours::white};
}
