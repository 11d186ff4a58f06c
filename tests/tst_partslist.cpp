#include "core/Combination.h"
#include "core/GridStore.h"
#include "core/PartsList.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_PartsList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Result row 0 holds "first", row 1 the row under test; each is the
    // article numbers of its pieces, "~" for an empty cell. `counts` are the
    // nine count cells joined by "|".
    void stueckliste_data()
    {
        QTest::addColumn<QStringList>("row");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<QString>("counts");
        QTest::newRow("two and one")
            << QStringList{u"24360"_s, u"24360"_s, u"24236"_s} << 1 << u"2|1|||||||"_s;
        QTest::newRow("nine of the last") << QStringList(9, u"24064"_s) << 1 << u"||||||||9"_s;
        QTest::newRow("empty row") << QStringList{} << 1 << u"||||||||"_s;
        QTest::newRow("no current row reads row 0")
            << QStringList{u"24360"_s} << -1 << u"|1||||||2|"_s;
        QTest::newRow("no such row") << QStringList{u"24360"_s} << 7 << u"||||||||"_s;
        // Only the whole article number counts; the label and other texts not.
        QTest::newRow("not article numbers")
            << QStringList{u"24 360"_s, u"24360 "_s, u"360,0"_s, u"24188"_s} << 1 << u"|||1|||||"_s;
    }
    void stueckliste()
    {
        QFETCH(QStringList, row);
        QFETCH(int, currentRow);
        GridStore results;
        results.resize(0, 1, 0, Combination::columnCount - 1);
        const QStringList first{u"24236"_s, u"24071"_s, u"24071"_s};
        for (int k = 0; k < first.size(); ++k)
            results.setCell(0, Combination::firstArticleColumn + k, first.at(k));
        for (int k = 0; k < row.size(); ++k)
            results.setCell(1, Combination::firstArticleColumn + k, row.at(k));
        // Lengths that disagree with the article numbers are not read.
        for (int k = 0; k < Combination::pieceSlots; ++k)
            results.setCell(1, Combination::firstLengthColumn + k, u"24094"_s);

        GridStore parts;
        PartsList::initialise(parts);
        // Counts of an earlier row must all be replaced.
        PartsList::Stueckliste(results, 0, parts);
        PartsList::Stueckliste(results, currentRow, parts);
        QCOMPARE(parts.rowCount(), 1);
        QCOMPARE(parts.text(PartsList::row, 0), u"Stück"_s);
        const auto counts = PartsList::counts(parts);
        QTEST(QStringList(counts.cbegin(), counts.cend()).join(u'|'), "counts");
    }
};

QTEST_GUILESS_MAIN(tst_PartsList)
#include "tst_partslist.moc"
