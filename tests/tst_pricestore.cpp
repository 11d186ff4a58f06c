#include "core/PriceStore.h"
#include "locales.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_PriceStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(german); }

    // A later text replaces the number, however long; nothing is written
    // beside the nine prices.
    void preis()
    {
        PriceStore prices;
        prices.setPrice(1, u"0,10"_s);
        prices.setPrice(1, QString(400'000, u' ') + u"7,25");
        QCOMPARE(prices.Preis(u"24360"), 7.25f);
        prices.setPrice(10, u"7"_s);
        QCOMPARE(prices.table().columnCount(), 10);
    }

    // What a typed price becomes in the store, or why it is refused, and
    // the unit price a search then takes from it.
    void check_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored"); // "!" not a number, "?" not storable
        QTest::addColumn<float>("value");
        QTest::newRow("plain") << german << u"12,5"_s << u"12,5"_s << 12.5f;
        QTest::newRow("negative") << german << u"-5"_s << u"-5"_s << -5.0f;
        QTest::newRow("exponent") << german << u"1e30"_s << u"1e30"_s << 1e30f;
        QTest::newRow("em space before") << german << u"\u200312,5"_s << u" 12,5"_s << 12.5f;
        QTest::newRow("line breaks") << german << u"\r\n12,5\n"_s << u"  12,5 "_s << 12.5f;
        QTest::newRow("NBSP and tab kept")
            << german << u"\u00a0\t12,5"_s << u"\u00a0\t12,5"_s << 12.5f;
        // French groups with a narrow no-break space, which the file cannot
        // keep; the plain blank it becomes is read as the same grouping.
        QTest::newRow("French grouping") << QLocale(QLocale::French, QLocale::France)
                                         << u"1\u202f234,5"_s << u"1 234,5"_s << 1234.5f;
        QTest::newRow("em space inside") << german << u"12\u2003,5"_s << u"!"_s << 0.0f;
        QTest::newRow("minus sign") << german << u"\u22125"_s << u"?"_s << 0.0f;
        QTest::newRow("Persian digits") << QLocale(QLocale::Persian) << u"۱۲٫۵"_s << u"?"_s << 0.0f;
    }
    void check()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QLocale::setDefault(locale);
        const PriceStore::Checked checked = PriceStore::check(typed);
        QTEST(QStringList({checked.text, u"!"_s, u"?"_s}).at(int(checked.refusal)), "stored");
        if (checked.refusal != PriceStore::Refusal::None)
            return;
        PriceStore prices;
        prices.setPrice(1, checked.text);
        QTEST(prices.Preis(u"24360"), "value");
    }

    // A price that does not read plainly in the current locale (a settings
    // file from another desktop, a hand-edited line): what it counts as,
    // and what the user is told about it.
    void doubt_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("price");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("doubt");
        const QString cut = QString(40, u'9') + u'…';
        QTest::newRow("de plain") << german << u"1.234,50"_s << 1234.5f << QString();
        QTest::newRow("de blanks") << german << u"   "_s << 0.0f << QString();
        QTest::newRow("de point")
            << german << u"12.50"_s << 0.0f
            << u"Der Preis von 24360 („12.50“) ist im Gebietsschema de_DE keine Zahl und zählt "
               "als 0; im Gebietsschema C wäre er 12.50."_s;
        QTest::newRow("de letters")
            << german << u" abc "_s << 0.0f
            << u"Der Preis von 24360 („abc“) ist im Gebietsschema de_DE keine Zahl und zählt "
               "als 0."_s;
        QTest::newRow("de group or decimal")
            << german << u"1.250"_s << 1250.0f
            << u"Der Preis von 24360 („1.250“) zählt im Gebietsschema de_DE als 1.250,00; im "
               "Gebietsschema C wäre er 1.25."_s;
        QTest::newRow("C point") << QLocale::c() << u"12.50"_s << 12.5f << QString();
        QTest::newRow("C group or decimal")
            << QLocale::c() << u"1.250"_s << 1.25f
            << u"Der Preis von 24360 („1.250“) zählt im Gebietsschema C als 1.25; im "
               "Gebietsschema de_DE wäre er 1.250,00."_s;
        QTest::newRow("en comma")
            << english << u"12,500"_s << 12500.0f
            << u"Der Preis von 24360 („12,500“) zählt im Gebietsschema en_US als 12,500.00; im "
               "Gebietsschema de_DE wäre er 12,50."_s;
        QTest::newRow("fr both others")
            << QLocale(QLocale::French, QLocale::France) << u"1.250"_s << 0.0f
            << u"Der Preis von 24360 („1.250“) ist im Gebietsschema fr_FR keine Zahl und zählt "
               "als 0; im Gebietsschema de_DE wäre er 1.250,00, im Gebietsschema C wäre er "
               "1.25."_s;
        QTest::newRow("de beyond float")
            << german << u"1e39"_s << 0.0f
            << u"Der Preis von 24360 („1e39“) ist im Gebietsschema de_DE keine Zahl und zählt "
               "als 0."_s;
        QTest::newRow("de long line quoted short")
            << german << QString(400'000, u'9') << 0.0f
            << u"Der Preis von 24360 („"_s + cut +
                   u"“) ist im Gebietsschema de_DE keine Zahl und zählt als 0."_s;
    }
    void doubt()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, price);
        QLocale::setDefault(locale);
        PriceStore prices;
        prices.setPrice(1, price);
        QTEST(prices.Preis(u"24360"), "value");
        QTEST(prices.doubt(1), "doubt");
    }
};

QTEST_GUILESS_MAIN(tst_PriceStore)
#include "tst_pricestore.moc"
