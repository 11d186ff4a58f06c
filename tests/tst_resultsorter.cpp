#include "core/Combination.h"
#include "core/ResultSorter.h"
#include "gridtext.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Result rows as the search writes them, each named by a letter: the name,
// the sum, the price and the first article numbers. Letters make the
// expected orders short.
const QStringList rows{
    u"a 360,0 16,20 24188 24172"_s,         u"b 454,2 9,95 24360 24094"_s,
    u"c 1.080,0 37,50 24360 24360 24360"_s, u"d 518,5 101,00 24360 24094 24064"_s,
    u"e 171,7 ,95 24094 24077"_s,           u"f 360,0 12,50 24360"_s};

// The rows named by `names`, stored from row 0 on; column 0 holds the name
// so that the order after a sort can be read back.
GridStore store(const QString &names)
{
    GridStore results;
    results.resize(0, int(names.size()) - 1, 0, Combination::columnCount - 1);
    for (int r = 0; r < names.size(); ++r) {
        const QStringList row = rows.at(names.at(r).unicode() - u'a').split(u' ');
        results.setCell(r, 0, row.at(0));
        results.setCell(r, Combination::sumColumn, row.at(1));
        results.setCell(r, Combination::priceColumn, row.at(2));
        for (int k = 3; k < row.size(); ++k)
            results.setCell(r, Combination::firstArticleColumn + k - 3, row.at(k));
    }
    return results;
}

QString names(const GridStore &results)
{
    QString order;
    for (int r = results.firstRow(); r <= results.lastRow(); ++r)
        order += results.text(r, 0);
    return order;
}

} // namespace

class tst_ResultSorter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void sortByHeader_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("column");
        QTest::addColumn<ResultSorter::Outcome>("outcome");
        QTest::addColumn<QString>("after");
        using O = ResultSorter::Outcome;
        // Sums compare as numbers: as text "1.080,0" would come first.
        // Equal sums keep their order.
        QTest::newRow("sum") << u"abcdef"_s << 9 << O::Sorted << u"eafbdc"_s;
        // Prices ascending as numbers: ",95" first, "101,00" last.
        QTest::newRow("price") << u"abcdef"_s << 19 << O::Sorted << u"ebfacd"_s;
        // Article numbers descending, ties broken by the next article
        // number; an empty article cell sorts after every article number.
        QTest::newRow("first article") << u"abcdef"_s << 10 << O::Sorted << u"cdbfae"_s;
        QTest::newRow("length column") << u"abcdef"_s << 0 << O::NotSortable << u"abcdef"_s;
        QTest::newRow("one row") << u"c"_s << 9 << O::NothingToSort << u"c"_s;
    }
    void sortByHeader()
    {
        QFETCH(QString, before);
        QFETCH(int, column);
        GridStore results = store(before);
        QTEST(ResultSorter::sortByHeader(results, column), "outcome");
        QTEST(names(results), "after");
        // Whole rows move: each name still stands beside its own cells.
        QCOMPARE(gridText(results), gridText(store(names(results))));
        // A second click sorts the same way again.
        ResultSorter::sortByHeader(results, column);
        QTEST(names(results), "after");
    }
};

QTEST_GUILESS_MAIN(tst_ResultSorter)
#include "tst_resultsorter.moc"
