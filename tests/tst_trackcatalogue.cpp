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

const QLocale german(QLocale::German, QLocale::Germany);

} // namespace

class tst_TrackCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(german); }

    void pieces_data()
    {
        QTest::addColumn<float>("length");
        QTest::addColumn<int>("position"); // 0: no piece has that length
        QTest::addColumn<QString>("lengthText");
        QTest::newRow("24360") << 360.0f << 1 << u"360,0"_s;
        QTest::newRow("24236") << 236.1f << 2 << u"236,1"_s;
        QTest::newRow("24229") << 229.3f << 3 << u"229,3"_s;
        QTest::newRow("24188") << 188.3f << 4 << u"188,3"_s;
        QTest::newRow("24172") << 171.7f << 5 << u"171,7"_s;
        QTest::newRow("24094") << 94.2f << 6 << u"94,2"_s;
        QTest::newRow("24077") << 77.5f << 7 << u"77,5"_s;
        QTest::newRow("24071") << 70.8f << 8 << u"70,8"_s;
        QTest::newRow("24064") << 64.3f << 9 << u"64,3"_s;
        QTest::newRow("zero") << 0.0f << 0 << QString();
        QTest::newRow("next above 64.3f") << std::nextafter(64.3f, 1000.0f) << 0 << QString();
        QTest::newRow("next below 64.3f") << std::nextafter(64.3f, 0.0f) << 0 << QString();
        QTest::newRow("two pieces summed") << 128.6f << 0 << QString();
    }
    void pieces()
    {
        QFETCH(float, length);
        QFETCH(int, position);
        const QString article =
            position > 0 ? QString::fromLatin1(QTest::currentDataTag()) : QString();
        QCOMPARE(TrackCatalogue::ArtNrVonLaenge(length), article);
        if (position == 0)
            return;
        const TrackPiece &piece = TrackCatalogue::piece(position);
        QCOMPARE(piece.articleNumber, article);
        QCOMPARE(piece.label, article.left(2) + u' ' + article.mid(2));
        QCOMPARE(bits(piece.length), bits(length));
        QTEST(TrackCatalogue::lengthText(position), "lengthText");
        QCOMPARE(TrackCatalogue::positionOf(article), position);
        // Search index i belongs to catalogue position 10 - i; index 0 is "no piece".
        const SearchLengths lengths = TrackCatalogue::searchLengths();
        QCOMPARE(bits(lengths[std::size_t(10 - position)]), bits(length));
        QCOMPARE(bits(lengths[0]), bits(0.0f));
        // Each price cell holds a distinct number, so that a read of the wrong one shows.
        PriceStore prices;
        for (int p = 1; p <= 9; ++p)
            prices.setPrice(p, QString::number(100 + p));
        QCOMPARE(prices.Preis(article), float(100 + position));
        // Only the article number as it stands names the piece.
        QCOMPARE(prices.Preis(piece.label) + prices.Preis(QString(article + u' ')), 0.0f);
    }
};

QTEST_GUILESS_MAIN(tst_TrackCatalogue)
#include "tst_trackcatalogue.moc"
