#include "PieceColours.h"

#include "TrackCatalogue.h"

#include <QLocale>

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
    // Every painted cell asks, so the length texts are formatted once per
    // locale rather than nine times per cell.
    static QLocale cachedLocale = QLocale::c();
    static std::array<QString, TrackCatalogue::pieceCount> lengthTexts;
    if (lengthTexts[0].isEmpty() || QLocale() != cachedLocale) {
        cachedLocale = QLocale();
        for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
            lengthTexts[std::size_t(p - 1)] = TrackCatalogue::lengthText(p);
    }
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p) {
        if (text == TrackCatalogue::piece(p).articleNumber ||
            text == lengthTexts[std::size_t(p - 1)])
            return ofPosition(p);
    }
    return std::nullopt;
}
