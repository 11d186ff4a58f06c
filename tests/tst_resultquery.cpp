#include "core/Combination.h"
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

// Each row as "sum|price|article article ...".
QStringList rowsOf(const GridStore &results)
{
    QStringList rows;
    for (int row = 0; row < results.rowCount(); ++row) {
        QStringList articles;
        for (int k = 0; k < Combination::pieceSlots; ++k)
            articles << results.text(row, Combination::firstArticleColumn + k);
        rows << results.text(row, Combination::sumColumn) + u'|' +
                    results.text(row, Combination::priceColumn) + u'|' +
                    articles.join(u' ').trimmed();
    }
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

    // The five rows the search finds for 1000 mm, each priced with its index:
    // the indexes of the rows kept, or the refusal.
    void filters_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no options") << QStringList() << u"01234"_s;
        QTest::newRow("without two")
            << QStringList{u"without=24360"_s, u"without=24094"_s} << u"2"_s;
        QTest::newRow("one 24172 in stock") << QStringList{u"stock=24172=1"_s} << u"13"_s;
        QTest::newRow("one short") << QStringList{u"stock=24077=3,24071=2"_s} << u"0124"_s;
        QTest::newRow("stock only, all named")
            << QStringList{u"stock=24360=1,24094=2,24077=4,24071=2"_s, u"stock-only"_s} << u"3"_s;
        QTest::newRow("unknown piece")
            << QStringList{u"without=24360,24 236"_s}
            << u"Unbekannte Artikelnummer: 24 236 (bekannt sind 24360, 24236, 24229, 24188, "
               "24172, 24094, 24077, 24071, 24064)"_s;
        QTest::newRow("stock negative")
            << QStringList{u"stock=24360=-1"_s}
            << u"Der Bestand von 24360 muss eine Zahl von 0 bis 9 sein, nicht: -1"_s;
        QTest::newRow("without and stock")
            << QStringList{u"stock=24094=2"_s, u"without=24064,24094"_s}
            << u"24094 steht in --without und in --stock; bitte nur in einem."_s;
    }
    void filters()
    {
        QFETCH(QStringList, options);
        const QStringList all{u"|0|24360 24172 24172 24077 24077 24071 24071"_s,
                              u"|1|24360 24172 24094 24077 24077 24077 24071 24071"_s,
                              u"|2|24188 24172 24172 24172 24077 24077 24071 24071"_s,
                              u"|3|24360 24094 24094 24077 24077 24077 24077 24071 24071"_s,
                              u"|4|24188 24172 24172 24094 24077 24077 24077 24071 24071"_s};
        ResultQuery query;
        QString result = applyOptions(query, options);
        if (result.isEmpty()) {
            for (const QString &row : rowsOf(query.apply(store(all), int(all.size()), 1000)))
                result += row.section(u'|', 1, 1);
        }
        QTEST(result, "expected");
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
        QTest::newRow("pieces") << u"pieces"_s << rows
                                << QStringList{rows[2], rows[6], rows[5], rows[4],
                                               rows[0], rows[3], rows[1]};
        // Prices as the search writes them from hand-edited unit prices: a
        // negative one, one beyond any integer of cents, one no number
        // (a total beyond the float range).
        const QStringList priced{
            u"360,0|1000000015047466219876688855040,00|24360"_s,
            u"360,0|1,00|24360"_s,
            u"360,0|inf|24360"_s,
            u"360,0|-1,00|24360"_s,
            u"360,0|-,50|24360"_s,
        };
        QTest::newRow("pieces, then the cheaper")
            << u"pieces"_s << priced
            << QStringList{priced[3], priced[4], priced[1], priced[0], priced[2]};
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
        QCOMPARE(query.setOrder(order), QString());
        QCOMPARE(rowsOf(query.apply(store(rows), int(rows.size()), 360)), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ResultQuery)
#include "tst_resultquery.moc"
