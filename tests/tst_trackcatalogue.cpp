#include "core/PriceStore.h"
#include "core/TrackCatalogue.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Bit for bit: "0,10" must give 0.1f, not something merely close to it.
quint32 bits(float value)
{
    return std::bit_cast<quint32>(value);
}

} // namespace

class tst_TrackCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Representative rows of the catalogue (tools/oracle-check.py checks
    // every search against all nine): position, article number, label,
    // length and length text. The length must be the 32-bit float nearest
    // to the decimal.
    void catalogue_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("label");
        QTest::addColumn<float>("length");
        QTest::addColumn<QString>("lengthText");
        QTest::newRow("1") << 1 << u"24360"_s << u"24 360"_s << 360.0f << u"360,0"_s;
        QTest::newRow("6") << 6 << u"24094"_s << u"24 094"_s << 94.2f << u"94,2"_s;
        QTest::newRow("9") << 9 << u"24064"_s << u"24 064"_s << 64.3f << u"64,3"_s;
    }
    void catalogue()
    {
        QFETCH(int, position);
        QFETCH(QString, article);
        QFETCH(float, length);
        const TrackPiece &piece = TrackCatalogue::piece(position);
        QCOMPARE(piece.articleNumber, article);
        QTEST(piece.label, "label");
        QCOMPARE(bits(piece.length), bits(length));
        QTEST(TrackCatalogue::lengthText(position), "lengthText");
        QCOMPARE(TrackCatalogue::positionOf(article), position);
        QCOMPARE(TrackCatalogue::ArtNrVonLaenge(length), article);
        // Each price cell holds a distinct number, so that a read of the wrong one shows.
        PriceStore prices;
        for (int p = 1; p <= 9; ++p)
            prices.setPrice(p, QString::number(100 + p));
        QCOMPARE(prices.Preis(article), float(100 + position));
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
