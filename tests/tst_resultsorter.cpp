#include "core/ResultSorter.h"
#include "gridtext.h"
#include "resultrows.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Result rows as the search writes them, each named by a letter: the sum, the
// price and the first article numbers. Letters make the expected orders short.
GridStore store(const QString &names)
{
    const QStringList rows{
        u"a 360,0 16,20 24188 24172"_s,         u"b 454,2 9,95 24360 24094"_s,
        u"c 1.080,0 37,50 24360 24360 24360"_s, u"d 518,5 101,00 24360 24094 24064"_s,
        u"e 171,7 ,95 24094 24077"_s,           u"f 360,0 12,50 24360"_s};
    QStringList named;
    for (const QChar name : names)
        named << rows.at(name.unicode() - u'a');
    return resultRows(named);
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
        QTEST(rowNames(results), "after");
        // Whole rows move: each name still stands beside its own cells.
        QCOMPARE(gridText(results), gridText(store(rowNames(results))));
        // A second click sorts the same way again.
        ResultSorter::sortByHeader(results, column);
        QTEST(rowNames(results), "after");
    }
};

QTEST_GUILESS_MAIN(tst_ResultSorter)
#include "tst_resultsorter.moc"
