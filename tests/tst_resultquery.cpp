#include "core/ResultQuery.h"
#include "resultrows.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_ResultQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // The five rows the search finds for 1000 mm, named by their index: the
    // names of the rows kept, or the refusal. Each "|" separates two
    // options of the same kind.
    void filters_data()
    {
        QTest::addColumn<QString>("without");
        QTest::addColumn<QString>("stock");
        QTest::addColumn<bool>("stockOnly");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no options") << QString() << QString() << false << u"01234"_s;
        QTest::newRow("without two") << u"24360|24094"_s << QString() << false << u"2"_s;
        QTest::newRow("one 24172 in stock") << QString() << u"24172=1"_s << false << u"13"_s;
        QTest::newRow("one short") << QString() << u"24077=3,24071=2"_s << false << u"0124"_s;
        QTest::newRow("stock only, all named")
            << QString() << u"24360=1,24094=2,24077=4,24071=2"_s << true << u"3"_s;
        QTest::newRow("unknown piece")
            << u"24360,24 236"_s << QString() << false
            << u"Unbekannte Artikelnummer: „24 236“ (bekannt sind 24360, 24236, 24229, 24188, "
               "24172, 24094, 24077, 24071, 24064)"_s;
        QTest::newRow("stock negative")
            << QString() << u"24360=-1"_s << false
            << u"Der Bestand von 24360 muss eine Zahl von 0 bis 9 sein, nicht: „-1“"_s;
        QTest::newRow("stock 10") << QString() << u"24360=10"_s << false
                                  << u"Der Bestand von 24360 muss eine Zahl von 0 bis 9 sein, "
                                     "nicht: „10“"_s;
        QTest::newRow("without and stock")
            << u"24064,24094"_s << u"24094=2"_s << false
            << u"24094 steht in --without und in --stock; bitte nur in einem."_s;
    }
    void filters()
    {
        QFETCH(QString, without);
        QFETCH(QString, stock);
        QFETCH(bool, stockOnly);
        ResultQuery query;
        QString result;
        for (const QString &list : without.split(u'|', Qt::SkipEmptyParts))
            result += query.addWithout(list);
        for (const QString &list : stock.split(u'|', Qt::SkipEmptyParts))
            result += query.addStock(list);
        query.setStockOnly(stockOnly);
        if (result.isEmpty())
            result = query.check();
        const QStringList all{u"0 - - 24360 24172 24172 24077 24077 24071 24071"_s,
                              u"1 - - 24360 24172 24094 24077 24077 24077 24071 24071"_s,
                              u"2 - - 24188 24172 24172 24172 24077 24077 24071 24071"_s,
                              u"3 - - 24360 24094 24094 24077 24077 24077 24077 24071 24071"_s,
                              u"4 - - 24188 24172 24172 24094 24077 24077 24077 24071 24071"_s};
        if (result.isEmpty())
            result = rowNames(query.apply(resultRows(all), int(all.size()), 1000));
        QTEST(result, "expected");
    }

    void orders_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("expected");
        const QStringList rows{
            u"a 361,0 5,00 24236 24094"_s, // 2 pieces, 1 mm off
            u"b 1.000,0 12,50 24360 24360 24229 24077"_s,
            u"c 360,0 9,00 24360"_s,            // 1 piece, spot on
            u"d 359,0 ,50 24229 24064 24064"_s, // 3 pieces
            u"e 359,0 4,00 24188 24172"_s,      // 2 pieces, 1 mm off
            u"f 359,0 3,00 24236 24094"_s,      // 2 pieces, 1 mm off, cheaper
            u"g 360,5 9,99 24188 24172"_s,      // 2 pieces, 0.5 mm off
        };
        QTest::newRow("pieces") << u"pieces"_s << rows << u"cgfeadb"_s;
        // Prices as the search writes them from hand-edited unit prices: a
        // negative one, one beyond any integer of cents, one no number
        // (a total beyond the float range).
        QTest::newRow("pieces, then the cheaper")
            << u"pieces"_s
            << QStringList{u"a 360,0 1000000015047466219876688855040,00 24360"_s,
                           u"b 360,0 1,00 24360"_s, u"c 360,0 inf 24360"_s,
                           u"d 360,0 -1,00 24360"_s, u"e 360,0 -,50 24360"_s}
            << u"debac"_s;
        QTest::newRow("articles descending, shorter rows after")
            << u"articles"_s << rows << u"bcafdeg"_s;
    }
    void orders()
    {
        QFETCH(QString, order);
        QFETCH(QStringList, rows);
        ResultQuery query;
        QCOMPARE(query.setOrder(order), QString());
        QTEST(rowNames(query.apply(resultRows(rows), int(rows.size()), 360)), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_ResultQuery)
#include "tst_resultquery.moc"
