#include "PartsListPage.h"

PartsListPage::PartsListPage(const QString &summedLength, const Counts &counts)
{
    m_lines.reserve(2 + TrackCatalogue::pieceCount);
    m_lines.append({leftMm, titleYMm, QStringLiteral("Stückliste märklin C-Gleis"), true});
    m_lines.append({leftMm, distanceYMm, u"Distanz: " % summedLength % u" mm", false});

    // Unused pieces leave no blank line: the next used piece moves up.
    int y = firstPieceYMm;
    for (int position = 1; position <= TrackCatalogue::pieceCount; ++position) {
        const QString &count = counts[std::size_t(position - 1)];
        if (count.isEmpty())
            continue;
        m_lines.append(
            {leftMm, y, count % u"  Stck   " % TrackCatalogue::piece(position).label, false});
        y += pieceLineStepMm;
    }
}
