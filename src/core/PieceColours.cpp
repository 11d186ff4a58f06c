#include "PieceColours.h"

#include "NumberText.h"
#include "TrackCatalogue.h"

namespace {

constexpr std::array<PieceColours::Style, TrackCatalogue::pieceCount> styles{{
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
    const int byArticle = TrackCatalogue::positionOf(text);
    if (byArticle > 0)
        return ofPosition(byArticle);
    // A length text names its piece by its value; the text must still be the
    // piece's length text exactly ("360,00" or "360" is no length cell).
    // Reading it back and formatting the one piece it names is cheaper than
    // formatting all nine for every painted cell.
    const std::optional<float> length = NumberText::toFloat(text);
    if (!length)
        return std::nullopt;
    const int byLength = TrackCatalogue::positionOf(TrackCatalogue::ArtNrVonLaenge(*length));
    if (byLength > 0 && text == TrackCatalogue::lengthText(byLength))
        return ofPosition(byLength);
    return std::nullopt;
}
