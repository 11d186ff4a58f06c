#include "core/PriceStore.h"
#include "core/TrackCatalogue.h"

#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

class tst_TrackCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each piece is found again by its article number and by its length, and
    // its price is read from its own cell: each cell holds a distinct
    // number, so that a read of the wrong one shows. The figures themselves
    // show in every search's rows.
    void lookups()
    {
        PriceStore prices;
        for (int p = 1; p <= TrackCatalogue::pieceCount; ++p)
            prices.setPrice(p, QString::number(100 + p));
        for (int p = 1; p <= TrackCatalogue::pieceCount; ++p) {
            const TrackPiece &piece = TrackCatalogue::piece(p);
            QCOMPARE(TrackCatalogue::positionOf(piece.articleNumber), p);
            QCOMPARE(TrackCatalogue::ArtNrVonLaenge(piece.length), piece.articleNumber);
            QCOMPARE(prices.Preis(piece.articleNumber), float(100 + p));
        }
    }

    // Lengths that are no piece's, and texts that are no article number.
    void noPiece()
    {
        QCOMPARE(TrackCatalogue::ArtNrVonLaenge(std::nextafter(64.3f, 1000.0f)), QString());
        QCOMPARE(TrackCatalogue::ArtNrVonLaenge(128.6f), QString());
        QCOMPARE(TrackCatalogue::positionOf(u"24 064"_s), 0);
        QCOMPARE(TrackCatalogue::positionOf(u"24064 "_s), 0);
    }
};

QTEST_GUILESS_MAIN(tst_TrackCatalogue)
#include "tst_trackcatalogue.moc"
