#include "TrackCatalogue.h"

#include "NumberText.h"

const std::array<TrackPiece, TrackCatalogue::pieceCount> &TrackCatalogue::pieces()
{
    static const std::array<TrackPiece, pieceCount> catalogue{{
        {QStringLiteral("24360"), QStringLiteral("24 360"), 360.0f},
        {QStringLiteral("24236"), QStringLiteral("24 236"), 236.1f},
        {QStringLiteral("24229"), QStringLiteral("24 229"), 229.3f},
        {QStringLiteral("24188"), QStringLiteral("24 188"), 188.3f},
        {QStringLiteral("24172"), QStringLiteral("24 172"), 171.7f},
        {QStringLiteral("24094"), QStringLiteral("24 094"), 94.2f},
        {QStringLiteral("24077"), QStringLiteral("24 077"), 77.5f},
        {QStringLiteral("24071"), QStringLiteral("24 071"), 70.8f},
        {QStringLiteral("24064"), QStringLiteral("24 064"), 64.3f},
    }};
    return catalogue;
}

const TrackPiece &TrackCatalogue::piece(int position)
{
    return pieces().at(std::size_t(position - 1));
}

int TrackCatalogue::positionOf(QStringView articleNumber)
{
    for (int p = 1; p <= pieceCount; ++p) {
        if (piece(p).articleNumber == articleNumber)
            return p;
    }
    return 0;
}

SearchLengths TrackCatalogue::searchLengths()
{
    SearchLengths lengths{};
    lengths[0] = 0.0f;
    for (int i = 1; i <= pieceCount; ++i)
        lengths[std::size_t(i)] = piece(pieceCount + 1 - i).length;
    return lengths;
}

QString TrackCatalogue::ArtNrVonLaenge(float laenge)
{
    for (const TrackPiece &p : pieces()) {
        if (p.length == laenge)
            return p.articleNumber;
    }
    return QString();
}

QString TrackCatalogue::lengthText(int position)
{
    return NumberText::formatLength(piece(position).length);
}
