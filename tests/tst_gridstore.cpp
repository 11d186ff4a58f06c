#include "core/GridStore.h"
#include "gridtext.h"

#include <QLocale>
#include <QRect>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Rows run down, columns across.
QRect bounds(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    return QRect(QPoint(firstColumn, firstRow), QPoint(lastColumn, lastRow));
}

QString label(int row, int column)
{
    return u"%1/%2"_s.arg(row).arg(column);
}

using Key = GridStore::SortKey;
constexpr auto Asc = GridStore::Direction::Ascending;
constexpr auto Desc = GridStore::Direction::Descending;
constexpr auto Text = GridStore::Comparison::Text;
constexpr auto Number = GridStore::Comparison::Number;

} // namespace

Q_DECLARE_METATYPE(QList<GridStore::SortKey>)

class tst_GridStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // The first bounds are filled with labelled cells; each further entry is
    // one resize. A cell keeps its label exactly when it lay inside every
    // bounds along the way. Writes just outside the bounds, and far outside,
    // must change nothing.
    void resize_data()
    {
        QTest::addColumn<QList<QRect>>("steps");
        QTest::newRow("shrink then grow rows")
            << QList{bounds(0, 5, 0, 3), bounds(0, 1, 0, 3), bounds(0, 5, 0, 3)};
        QTest::newRow("lower bounds up") << QList{bounds(0, 3, 0, 3), bounds(2, 6, 1, 5)};
    }
    void resize()
    {
        QFETCH(QList<QRect>, steps);
        GridStore store;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const QRect b = steps[i];
            store.resize(b.top(), b.bottom(), b.left(), b.right());
            for (int r = b.top(); i == 0 && r <= b.bottom(); ++r) { // fill the first bounds
                for (int c = b.left(); c <= b.right(); ++c)
                    store.setCell(r, c, label(r, c));
            }
        }
        const QRect last = steps.constLast(), ring = last.adjusted(-1, -1, 1, 1);
        QCOMPARE(store.rowCount(), last.height());
        // Writes in a ring of cells just outside change nothing, not even the
        // cell a row further on that a wrong index would hit.
        for (int r = ring.top(); r <= ring.bottom(); ++r) {
            for (int c = ring.left(); c <= ring.right(); ++c) {
                if (!last.contains(c, r))
                    store.setCell(r, c, u"stray"_s);
            }
        }
        for (int r = ring.top(); r <= ring.bottom(); ++r) {
            for (int c = ring.left(); c <= ring.right(); ++c) {
                const bool kept = std::all_of(steps.cbegin(), steps.cend(),
                                              [&](const QRect &b) { return b.contains(c, r); });
                QCOMPARE(store.text(r, c), kept ? label(r, c) : QString());
                QCOMPARE(store.cell(r, c).isValid(), kept);
            }
        }
    }

    // The table's rows are stored from row 1 on; "~" leaves a cell empty.
    // `expected` lists the original row indexes in their order after the sort.
    void sortRows_data()
    {
        QTest::addColumn<QStringList>("table");
        QTest::addColumn<QList<Key>>("keys");
        QTest::addColumn<QList<int>>("expected");
        const QStringList sums = u"1.000,0 360,0 94,2 3.240,0 999,9"_s.split(u' ');
        QTest::newRow("sums as numbers")
            << sums << QList<Key>{{0, Asc, Number}} << QList<int>{2, 1, 4, 0, 3};
        QTest::newRow("equal numbers keep order")
            << u"5,0|a 2,0|b 5,0|c 5|d 2|e"_s.split(u' ') << QList<Key>{{0, Desc, Number}}
            << QList<int>{0, 2, 3, 1, 4};
        QTest::newRow("number then text then number")
            << u"1,00|24188|2 ,50|24360|1 1,00|24077|9 1,00|24077|3"_s.split(u' ')
            << QList<Key>{{0, Desc, Number}, {1, Asc, Text}, {2, Asc, Number}}
            << QList<int>{3, 2, 0, 1};
        QTest::newRow("empty cells sort as empty texts")
            << u"b ~ a"_s.split(u' ') << QList<Key>{{0, Asc, Text}} << QList<int>{1, 2, 0};
    }
    void sortRows()
    {
        QFETCH(QStringList, table);
        QFETCH(QList<Key>, keys);
        QFETCH(QList<int>, expected);
        const int width = int(table.first().count(u'|')) + 1;
        GridStore store;
        store.resize(1, int(table.size()), 0, width - 1);
        for (int i = 0; i < table.size(); ++i) {
            const QStringList cells = table.at(i).split(u'|');
            for (int c = 0; c < width; ++c) {
                if (cells.at(c) != u"~")
                    store.setCell(1 + i, c, cells.at(c));
            }
        }
        store.sortRows(1, int(table.size()), keys);
        QStringList sorted;
        for (int i : expected)
            sorted << table.at(i);
        QCOMPARE(gridText(store), sorted);
    }
};

QTEST_GUILESS_MAIN(tst_GridStore)
#include "tst_gridstore.moc"
