#include "core/Combination.h"
#include "core/CombinationSearch.h"
#include "core/PriceStore.h"
#include "core/ResultQuery.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A results store of hand-made rows: "sum|price|article article ...".
GridStore store(const QStringList &rows)
{
    GridStore results;
    results.resize(0, int(rows.size()) - 1, 0, Combination::columnCount - 1);
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList parts = rows.at(r).split(u'|');
        results.setCell(r, Combination::sumColumn, parts.at(0));
        results.setCell(r, Combination::priceColumn, parts.at(1));
        const QStringList articles = parts.at(2).split(u' ', Qt::SkipEmptyParts);
        for (int k = 0; k < articles.size(); ++k)
            results.setCell(r, Combination::firstArticleColumn + k, articles.at(k));
    }
    return results;
}

// A row as its article numbers, blank-separated.
QString articles(const GridStore &results, int row)
{
    QStringList numbers;
    for (int k = 0; k < Combination::pieceSlots; ++k) {
        const QString number = results.text(row, Combination::firstArticleColumn + k);
        if (!number.isEmpty())
            numbers << number;
    }
    return numbers.join(u' ');
}

QStringList rowsOf(const GridStore &results)
{
    QStringList rows;
    for (int row = 0; row < results.rowCount(); ++row)
        rows << results.text(row, Combination::sumColumn) + u'|' +
                    results.text(row, Combination::priceColumn) + u'|' + articles(results, row);
    return rows;
}

// Options as the command line gives them: "sort=pieces", "stock=24360=1", "stock-only".
QString applyOptions(ResultQuery &query, const QStringList &options)
{
    for (const QString &option : options) {
        const qsizetype equals = option.indexOf(u'=');
        const QString name = option.left(equals);
        const QString value = equals < 0 ? QString() : option.mid(equals + 1);
        QString error;
        if (name == u"sort")
            error = query.setOrder(value);
        else if (name == u"max-pieces")
            error = query.setMaxPieces(value);
        else if (name == u"without")
            error = query.addWithout(value);
        else if (name == u"stock")
            error = query.addStock(value);
        else if (name == u"stock-only")
            query.setStockOnly(true);
        if (!error.isEmpty())
            return error;
    }
    return query.check();
}

} // namespace

class tst_ResultQuery : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void badValues_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("error");
        QTest::newRow("all fine") << QStringList{u"sort=pieces"_s, u"max-pieces=9"_s,
                                                 u"without=24064,24071"_s,
                                                 u"stock=24360=0,24236=9"_s, u"stock-only"_s}
                                  << QString();
        QTest::newRow("unknown sort")
            << QStringList{u"sort=Länge"_s}
            << u"Unbekannte Sortierung: Länge (möglich sind length, price, pieces, articles)"_s;
        QTest::newRow("max-pieces 0") << QStringList{u"max-pieces=0"_s}
                                      << u"--max-pieces braucht eine Zahl von 1 bis 9, nicht: 0"_s;
        QTest::newRow("max-pieces 10")
            << QStringList{u"max-pieces=10"_s}
            << u"--max-pieces braucht eine Zahl von 1 bis 9, nicht: 10"_s;
        QTest::newRow("unknown piece")
            << QStringList{u"without=24360,24 236"_s}
            << u"Unbekannte Artikelnummer: 24 236 (bekannt sind 24360, 24236, 24229, 24188, "
               "24172, 24094, 24077, 24071, 24064)"_s;
        QTest::newRow("empty list entry")
            << QStringList{u"without=24360,"_s}
            << u"In der Liste fehlt eine Artikelnummer (zwei Kommas oder eines am Rand?)."_s;
        QTest::newRow("empty stock entry")
            << QStringList{u"stock=24360=1,,24236=2"_s}
            << u"In der Liste fehlt eine Artikelnummer (zwei Kommas oder eines am Rand?)."_s;
        QTest::newRow("stock without count")
            << QStringList{u"stock=24360"_s} << u"--stock erwartet ARTNR=ANZAHL, nicht: 24360"_s;
        QTest::newRow("stock 10")
            << QStringList{u"stock=24360=10"_s}
            << u"Der Bestand von 24360 muss eine Zahl von 0 bis 9 sein, nicht: 10"_s;
        QTest::newRow("stock negative")
            << QStringList{u"stock=24360=-1"_s}
            << u"Der Bestand von 24360 muss eine Zahl von 0 bis 9 sein, nicht: -1"_s;
        QTest::newRow("stock twice, two options")
            << QStringList{u"stock=24360=1"_s, u"stock=24360=1"_s}
            << u"Der Bestand von 24360 ist mehrfach angegeben."_s;
        QTest::newRow("stock-only alone")
            << QStringList{u"stock-only"_s}
            << u"--stock-only braucht --stock: welche Gleise sind vorhanden?"_s;
        QTest::newRow("without and stock")
            << QStringList{u"stock=24094=2"_s, u"without=24064,24094"_s}
            << u"24094 steht in --without und in --stock; bitte nur in einem."_s;
    }
    void badValues()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, error);
        ResultQuery query;
        QCOMPARE(applyOptions(query, options), error);
    }

    // The five rows of 1000 mm with no tolerance, in search order:
    //   0: 24360 24172 24172 24077 24077 24071 24071              (7 pieces)
    //   1: 24360 24172 24094 24077 24077 24077 24071 24071        (8)
    //   2: 24188 24172 24172 24172 24077 24077 24071 24071        (8)
    //   3: 24360 24094 24094 24077 24077 24077 24077 24071 24071  (9)
    //   4: 24188 24172 24172 24094 24077 24077 24077 24071 24071  (9)
    void filters_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QList<int>>("rows");
        QTest::newRow("no options") << QStringList() << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("at most 8 pieces") << QStringList{u"max-pieces=8"_s} << QList<int>{0, 1, 2};
        QTest::newRow("at most 6 pieces") << QStringList{u"max-pieces=6"_s} << QList<int>{};
        QTest::newRow("without 24360") << QStringList{u"without=24360"_s} << QList<int>{2, 4};
        QTest::newRow("without two")
            << QStringList{u"without=24360"_s, u"without=24094"_s} << QList<int>{2};
        QTest::newRow("one 24172 in stock") << QStringList{u"stock=24172=1"_s} << QList<int>{1, 3};
        QTest::newRow("stock 0 is without")
            << QStringList{u"stock=24188=0"_s} << QList<int>{0, 1, 3};
        QTest::newRow("stock exactly enough")
            << QStringList{u"stock=24077=4,24071=2"_s} << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("one short")
            << QStringList{u"stock=24077=3,24071=2"_s} << QList<int>{0, 1, 2, 4};
        QTest::newRow("stock only, all named")
            << QStringList{u"stock=24360=1,24094=2,24077=4,24071=2"_s, u"stock-only"_s}
            << QList<int>{3};
        QTest::newRow("stock only, a piece missing")
            << QStringList{u"stock=24360=9,24094=9,24077=9"_s, u"stock-only"_s} << QList<int>{};
        QTest::newRow("filters combine")
            << QStringList{u"max-pieces=8"_s, u"stock=24172=2"_s} << QList<int>{0, 1};
    }
    void filters()
    {
        QFETCH(QStringList, options);
        QFETCH(QList<int>, rows);
        PriceStore prices;
        GridStore results;
        const int found = CombinationSearch().run(1000.0f, 1000.0f, results, prices).rows;
        QCOMPARE(found, 5);
        ResultQuery query;
        QCOMPARE(applyOptions(query, options), QString());
        const GridStore picked = query.apply(results, found, 1000);
        QCOMPARE(picked.rowCount(), rows.size());
        QCOMPARE(picked.columnCount(), Combination::columnCount);
        for (int i = 0; i < rows.size(); ++i) {
            for (int column = 0; column < Combination::columnCount; ++column)
                QCOMPARE(picked.text(i, column), results.text(rows.at(i), column));
        }
    }

    void orders_data()
    {
        QTest::addColumn<QString>("order");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QStringList>("expected");
        const QStringList rows{
            u"361,0|5,00|24236 24094"_s, // 2 pieces, 1 mm off
            u"1.000,0|12,50|24360 24360 24229 24077"_s,
            u"360,0|9,00|24360"_s,            // 1 piece, spot on
            u"359,0|,50|24229 24064 24064"_s, // 3 pieces
            u"359,0|4,00|24188 24172"_s,      // 2 pieces, 1 mm off
            u"359,0|3,00|24236 24094"_s,      // 2 pieces, 1 mm off, cheaper
            u"360,5|9,99|24188 24172"_s,      // 2 pieces, 0.5 mm off
        };
        QTest::newRow("search") << u"search"_s << rows << rows;
        QTest::newRow("pieces") << u"pieces"_s << rows
                                << QStringList{rows[2], rows[6], rows[5], rows[4],
                                               rows[0], rows[3], rows[1]};
        QTest::newRow("length, as numbers")
            << u"length"_s << rows
            << QStringList{rows[3], rows[4], rows[5], rows[2], rows[6], rows[0], rows[1]};
        QTest::newRow("price, as numbers")
            << u"price"_s << rows
            << QStringList{rows[3], rows[5], rows[4], rows[0], rows[2], rows[6], rows[1]};
        QTest::newRow("articles descending, shorter rows after")
            << u"articles"_s << rows
            << QStringList{rows[1], rows[2], rows[0], rows[5], rows[3], rows[4], rows[6]};
    }
    void orders()
    {
        QFETCH(QString, order);
        QFETCH(QStringList, rows);
        QFETCH(QStringList, expected);
        ResultQuery query;
        if (order != u"search")
            QCOMPARE(query.setOrder(order), QString());
        QCOMPARE(rowsOf(query.apply(store(rows), int(rows.size()), 360)), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ResultQuery)
#include "tst_resultquery.moc"
