#include "PartsList.h"

#include "Combination.h"
#include "GridStore.h"
#include "NumberText.h"
#include "TrackCatalogue.h"

void PartsList::initialise(GridStore &parts)
{
    parts.resize(row, row, 0, TrackCatalogue::pieceCount);
    parts.setCell(row, 0, QStringLiteral("Stück"));
}

void PartsList::Stueckliste(const GridStore &results, int currentRow, GridStore &parts)
{
    const int resultRow = currentRow == -1 ? 0 : currentRow;
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p) {
        const QString &articleNumber = TrackCatalogue::piece(p).articleNumber;
        qint16 count = 0;
        for (int k = 0; k < Combination::pieceSlots; ++k) {
            if (results.text(resultRow, Combination::firstArticleColumn + k) == articleNumber)
                ++count;
        }
        parts.setCell(row, p, NumberText::formatCount(count));
    }
}

std::array<QString, 9> PartsList::counts(const GridStore &parts)
{
    std::array<QString, 9> texts;
    for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
        texts[std::size_t(p - 1)] = parts.text(row, p);
    return texts;
}
