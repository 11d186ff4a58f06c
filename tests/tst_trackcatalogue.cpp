#include "catalogue/PriceStore.h"
#include "catalogue/TrackCatalogue.h"

#include <QLocale>
#include <QTest>

#include <bit>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

quint32 bits(float value)
{
    return std::bit_cast<quint32>(value);
}

const QLocale german(QLocale::German, QLocale::Germany);
const QLocale english(QLocale::English, QLocale::UnitedStates);

const QStringList articleNumbers{u"24360"_s, u"24236"_s, u"24229"_s, u"24188"_s, u"24172"_s,
                                 u"24094"_s, u"24077"_s, u"24071"_s, u"24064"_s};

} // namespace

class tst_TrackCatalogue : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(german); }

    void pieces_data();
    void pieces();
    void artNrVonLaenge_data();
    void artNrVonLaenge();
    void preis_data();
    void preis();
};

void tst_TrackCatalogue::pieces_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("articleNumber");
    QTest::addColumn<QString>("label");
    QTest::addColumn<float>("length");
    QTest::addColumn<QString>("lengthText");

    QTest::newRow("24360") << 1 << u"24360"_s << u"24 360"_s << 360.0f << u"360,0"_s;
    QTest::newRow("24236") << 2 << u"24236"_s << u"24 236"_s << 236.1f << u"236,1"_s;
    QTest::newRow("24229") << 3 << u"24229"_s << u"24 229"_s << 229.3f << u"229,3"_s;
    QTest::newRow("24188") << 4 << u"24188"_s << u"24 188"_s << 188.3f << u"188,3"_s;
    QTest::newRow("24172") << 5 << u"24172"_s << u"24 172"_s << 171.7f << u"171,7"_s;
    QTest::newRow("24094") << 6 << u"24094"_s << u"24 094"_s << 94.2f << u"94,2"_s;
    QTest::newRow("24077") << 7 << u"24077"_s << u"24 077"_s << 77.5f << u"77,5"_s;
    QTest::newRow("24071") << 8 << u"24071"_s << u"24 071"_s << 70.8f << u"70,8"_s;
    QTest::newRow("24064") << 9 << u"24064"_s << u"24 064"_s << 64.3f << u"64,3"_s;
}

void tst_TrackCatalogue::pieces()
{
    QFETCH(int, position);
    QFETCH(QString, articleNumber);
    QFETCH(QString, label);
    QFETCH(float, length);
    QFETCH(QString, lengthText);

    const TrackPiece &piece = TrackCatalogue::piece(position);
    QCOMPARE(piece.articleNumber, articleNumber);
    QCOMPARE(piece.label, label);
    QCOMPARE(bits(piece.length), bits(length));
    QCOMPARE(TrackCatalogue::lengthText(position), lengthText);
    QCOMPARE(TrackCatalogue::positionOf(articleNumber), position);
    QCOMPARE(TrackCatalogue::ArtNrVonLaenge(length), articleNumber);

    // Search index i belongs to catalogue position 10 - i; index 0 is "no piece".
    const SearchLengths lengths = TrackCatalogue::searchLengths();
    QCOMPARE(bits(lengths[std::size_t(10 - position)]), bits(length));
    QCOMPARE(bits(lengths[0]), bits(0.0f));
}

void tst_TrackCatalogue::artNrVonLaenge_data()
{
    QTest::addColumn<float>("length");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no piece") << 0.0f << QString();
    QTest::newRow("next above 64.3f") << std::nextafter(64.3f, 1000.0f) << QString();
    QTest::newRow("next below 64.3f") << std::nextafter(64.3f, 0.0f) << QString();
    QTest::newRow("not a piece") << 100.0f << QString();
    QTest::newRow("two pieces summed") << 128.6f << QString();
}

void tst_TrackCatalogue::artNrVonLaenge()
{
    QFETCH(float, length);
    QFETCH(QString, expected);
    QCOMPARE(TrackCatalogue::ArtNrVonLaenge(length), expected);
}

void tst_TrackCatalogue::preis_data()
{
    // Every price cell first gets a distinct number "101" to "109", so that a
    // read of the wrong cell shows; then `position` gets `cell`.
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("position");
    QTest::addColumn<QVariant>("cell");
    QTest::addColumn<QString>("articleNumber");
    QTest::addColumn<float>("expected");

    for (int p = 1; p <= 9; ++p) {
        const QString article = articleNumbers.at(p - 1);
        QTest::addRow("own cell %s", qPrintable(article))
            << german << 0 << QVariant() << article << float(100 + p);
    }
    QTest::newRow("24360 reads (1,1)")
        << german << 1 << QVariant(u"12,50"_s) << u"24360"_s << 12.5f;
    QTest::newRow("24064 reads (1,9)") << german << 9 << QVariant(u"0,10"_s) << u"24064"_s << 0.1f;
    QTest::newRow("grouped price")
        << german << 4 << QVariant(u"1.234,50"_s) << u"24188"_s << 1234.5f;
    QTest::newRow("number cell") << german << 1 << QVariant(3.5) << u"24360"_s << 3.5f;
    QTest::newRow("letters") << german << 1 << QVariant(u"abc"_s) << u"24360"_s << 0.0f;
    QTest::newRow("empty text") << german << 1 << QVariant(QString()) << u"24360"_s << 0.0f;
    QTest::newRow("empty cell") << german << 1 << QVariant() << u"24360"_s << 0.0f;
    QTest::newRow("English decimal point")
        << english << 1 << QVariant(u"12.50"_s) << u"24360"_s << 12.5f;
    QTest::newRow("label form") << german << 1 << QVariant(u"12,50"_s) << u"24 360"_s << 0.0f;
    QTest::newRow("unknown article") << german << 1 << QVariant(u"12,50"_s) << u"12345"_s << 0.0f;
    QTest::newRow("trailing blank") << german << 1 << QVariant(u"12,50"_s) << u"24360 "_s << 0.0f;
}

void tst_TrackCatalogue::preis()
{
    QFETCH(QLocale, locale);
    QFETCH(int, position);
    QFETCH(QVariant, cell);
    QFETCH(QString, articleNumber);
    QFETCH(float, expected);
    QLocale::setDefault(locale);

    PriceStore prices;
    for (int p = 1; p <= 9; ++p)
        prices.setPrice(p, QString::number(100 + p));
    if (position > 0)
        prices.setCell(PriceStore::row, position, cell);

    QCOMPARE(bits(prices.Preis(articleNumber)), bits(expected));

    // Reading never changes the store, and the caption stays.
    QCOMPARE(prices.rowCount(), 1);
    QCOMPARE(prices.text(PriceStore::row, 0), u"Preise"_s);
    if (position > 0)
        QCOMPARE(prices.cell(PriceStore::row, position), cell);
}

QTEST_GUILESS_MAIN(tst_TrackCatalogue)
#include "tst_trackcatalogue.moc"
