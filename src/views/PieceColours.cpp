#include "PieceColours.h"

#include "catalogue/TrackCatalogue.h"

namespace {

constexpr std::array<PieceColours::Style, 9> styles{{
    {{192, 0, 0}, true},    // 24360
    {{255, 0, 0}, true},    // 24236
    {{192, 0, 192}, true},  // 24229
    {{0, 128, 0}, true},    // 24188
    {{0, 192, 0}, true},    // 24172
    {{192, 192, 0}, false}, // 24094
    {{0, 192, 192}, false}, // 24077
    {{0, 0, 255}, true},    // 24071
    {{167, 106, 33}, true}, // 24064
}};

} // namespace

PieceColours::Style PieceColours::ofPosition(int position)
{
    return styles.at(std::size_t(position - 1));
}

std::optional<PieceColours::Style> PieceColours::forCellText(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p) {
        if (text == TrackCatalogue::piece(p).articleNumber || text == TrackCatalogue::lengthText(p))
            return ofPosition(p);
    }
    return std::nullopt;
}
