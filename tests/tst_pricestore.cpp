#include "core/PriceStore.h"

#include <QLocale>
#include <QTest>

#include <bit>

using namespace Qt::StringLiterals;

namespace {

const QLocale german(QLocale::German, QLocale::Germany);

} // namespace

class tst_PriceStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(german); }

    // The price under 24360, as the store holds it.
    void preis_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<float>("expected");
        QTest::newRow("0,10") << u"0,10"_s << 0.1f;
        QTest::newRow("letters") << u"abc"_s << 0.0f;
    }
    void preis()
    {
        QFETCH(QString, price);
        QFETCH(float, expected);
        PriceStore prices;
        prices.setPrice(1, price);
        // Bit for bit: "0,10" must give 0.1f, not something merely close to it.
        QCOMPARE(std::bit_cast<quint32>(prices.Preis(u"24360")), std::bit_cast<quint32>(expected));
        // Nothing is written beside the nine prices.
        prices.setPrice(10, u"7"_s);
        QCOMPARE(prices.table().columnCount(), 10);
    }

    // A price is read once, when it is set: a later text replaces the number.
    void valueFollowsEveryChange()
    {
        PriceStore prices;
        prices.setPrice(9, u"2,5"_s);
        QCOMPARE(prices.Preis(u"24064"), 2.5f);
        prices.setPrice(9, QString(400'000, u' ') + u"7,25");
        QCOMPARE(prices.Preis(u"24064"), 7.25f);
    }

    // What a typed price becomes in the store, or why it is refused: every
    // price stored reads back from the single-byte settings file unchanged.
    void check_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // "!" not a number, "?" not storable
        QTest::newRow("plain") << german << u"12,5"_s << u"12,5"_s;
        QTest::newRow("em space before") << german << u"\u200312,5"_s << u" 12,5"_s;
        QTest::newRow("line breaks") << german << u"\r\n12,5\n"_s << u"  12,5 "_s;
        QTest::newRow("NBSP and tab kept") << german << u"\u00a0\t12,5"_s << u"\u00a0\t12,5"_s;
        QTest::newRow("em space inside") << german << u"12\u2003,5"_s << u"!"_s;
        QTest::newRow("minus sign") << german << u"\u22125"_s << u"?"_s;
        QTest::newRow("Persian digits") << QLocale(QLocale::Persian) << u"۱۲٫۵"_s << u"?"_s;
    }
    void check()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QLocale::setDefault(locale);
        const PriceStore::Checked checked = PriceStore::check(typed);
        const QString outcome = checked.refusal == PriceStore::Refusal::NotANumber ? u"!"_s
                                : checked.refusal == PriceStore::Refusal::NotStorable
                                    ? u"?"_s
                                    : checked.text;
        QCOMPARE(outcome, stored);
        if (checked.refusal != PriceStore::Refusal::None)
            return;
        // The same number as typed.
        QCOMPARE(PriceStore::readPrice(checked.text), PriceStore::readPrice(typed));
    }
};

QTEST_GUILESS_MAIN(tst_PriceStore)
#include "tst_pricestore.moc"
