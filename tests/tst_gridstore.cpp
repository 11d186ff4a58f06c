#include "grid/GridStore.h"

#include <QLocale>
#include <QTest>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

struct Bounds
{
    int firstRow;
    int lastRow;
    int firstColumn;
    int lastColumn;

    bool contains(int row, int column) const
    {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
};

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

Q_DECLARE_METATYPE(QList<Bounds>)
Q_DECLARE_METATYPE(QList<GridStore::SortKey>)

class tst_GridStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    void resize_data();
    void resize();
    void outside_data();
    void outside();
    void sortRows_data();
    void sortRows();
};

void tst_GridStore::resize_data()
{
    // The first bounds are filled with labelled cells; each further entry is
    // one resize. A cell keeps its label exactly when it lay inside every
    // bounds along the way.
    QTest::addColumn<QList<Bounds>>("steps");

    QTest::newRow("grow rows") << QList<Bounds>{{0, 2, 0, 3}, {0, 5, 0, 3}};
    QTest::newRow("shrink then grow rows")
        << QList<Bounds>{{0, 5, 0, 3}, {0, 1, 0, 3}, {0, 5, 0, 3}};
    QTest::newRow("no rows then grow")
        << QList<Bounds>{{0, 3, 0, 19}, {0, -1, 0, 19}, {0, 3, 0, 19}};
    QTest::newRow("shrink columns") << QList<Bounds>{{0, 2, 0, 6}, {0, 2, 0, 2}};
    QTest::newRow("grow both") << QList<Bounds>{{1, 1, 0, 9}, {1, 4, 0, 12}};
    QTest::newRow("shift lower bounds up") << QList<Bounds>{{0, 3, 0, 3}, {2, 6, 1, 5}};
    QTest::newRow("negative lower bounds") << QList<Bounds>{{0, 3, 0, 3}, {-2, 1, -1, 2}};
    QTest::newRow("results reset and refill")
        << QList<Bounds>{{0, 6, 0, 19}, {0, 0, 0, 19}, {0, 1, 0, 19}, {0, 2, 0, 19}};
}

void tst_GridStore::resize()
{
    QFETCH(QList<Bounds>, steps);

    GridStore store;
    const Bounds &initial = steps.first();
    store.resize(initial.firstRow, initial.lastRow, initial.firstColumn, initial.lastColumn);
    for (int r = initial.firstRow; r <= initial.lastRow; ++r) {
        for (int c = initial.firstColumn; c <= initial.lastColumn; ++c)
            store.setCell(r, c, label(r, c));
    }
    for (const Bounds &b : steps.sliced(1))
        store.resize(b.firstRow, b.lastRow, b.firstColumn, b.lastColumn);

    const Bounds &last = steps.last();
    QCOMPARE(store.rowCount(), std::max(0, last.lastRow - last.firstRow + 1));
    if (store.rowCount() > 0) {
        QCOMPARE(store.firstRow(), last.firstRow);
        QCOMPARE(store.lastRow(), last.lastRow);
    }
    // One cell beyond each bound must read empty as well.
    for (int r = last.firstRow - 1; r <= last.lastRow + 1; ++r) {
        for (int c = last.firstColumn - 1; c <= last.lastColumn + 1; ++c) {
            const bool kept = std::all_of(steps.cbegin(), steps.cend(),
                                          [&](const Bounds &b) { return b.contains(r, c); });
            const QVariant cell = store.cell(r, c);
            if (kept)
                QCOMPARE(cell, QVariant(label(r, c)));
            else
                QVERIFY2(!cell.isValid(), qPrintable(label(r, c) + u" holds "_s + cell.toString()));
        }
    }
}

void tst_GridStore::outside_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    // The price table's bounds: row 1, columns 0 to 9.
    QTest::newRow("row above") << 0 << 1;
    QTest::newRow("column right") << 1 << 10;
    QTest::newRow("far away") << 100000 << 100000;
    QTest::newRow("most negative") << std::numeric_limits<int>::min() << 0;
}

void tst_GridStore::outside()
{
    QFETCH(int, row);
    QFETCH(int, column);

    GridStore store;
    store.resize(1, 1, 0, 9);
    for (int c = 0; c <= 9; ++c)
        store.setCell(1, c, label(1, c));

    store.setCell(row, column, u"stray"_s);
    QVERIFY(!store.cell(row, column).isValid());
    QCOMPARE(store.text(row, column), QString());
    QCOMPARE(store.rowCount(), 1);
    for (int c = 0; c <= 9; ++c)
        QCOMPARE(store.cell(1, c), QVariant(label(1, c)));
}

void tst_GridStore::sortRows_data()
{
    // Each row of the table is one string, cells separated by "|"; "~" leaves
    // a cell empty. The store's rows start at `first`. `expected` lists the
    // original row indexes in their order after the sort.
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("first");
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<Key>>("keys");
    QTest::addColumn<QList<int>>("expected");

    const QLocale de(QLocale::German, QLocale::Germany);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QStringList letters{u"b|x"_s, u"a|y"_s, u"c|z"_s, u"a|w"_s};
    const QStringList sums{u"1.000,0|1"_s, u"360,0|2"_s, u"94,2|3"_s, u"3.240,0|4"_s, u"999,9|5"_s};

    QTest::newRow("text ascending")
        << de << 0 << letters << 0 << 3 << QList<Key>{{0, Asc, Text}} << QList<int>{1, 3, 0, 2};
    QTest::newRow("text descending keeps tie order")
        << de << 0 << letters << 0 << 3 << QList<Key>{{0, Desc, Text}} << QList<int>{2, 0, 1, 3};
    QTest::newRow("second key breaks ties")
        << de << 0 << letters << 0 << 3 << QList<Key>{{0, Asc, Text}, {1, Asc, Text}}
        << QList<int>{3, 1, 0, 2};
    QTest::newRow("sums as text") << de << 0 << sums << 0 << 4 << QList<Key>{{0, Asc, Text}}
                                  << QList<int>{0, 3, 1, 2, 4};
    QTest::newRow("sums as numbers")
        << de << 0 << sums << 0 << 4 << QList<Key>{{0, Asc, Number}} << QList<int>{2, 1, 4, 0, 3};
    QTest::newRow("English sums as numbers")
        << en << 0 << QStringList{u"1,000.0"_s, u"360.0"_s, u"94.2"_s} << 0 << 2
        << QList<Key>{{0, Asc, Number}} << QList<int>{2, 1, 0};
    QTest::newRow("equal numbers keep order both ways")
        << de << 0 << QStringList{u"5,0|a"_s, u"2,0|b"_s, u"5,0|c"_s, u"5|d"_s, u"2|e"_s} << 0 << 4
        << QList<Key>{{0, Desc, Number}} << QList<int>{0, 2, 3, 1, 4};
    QTest::newRow("number then text then number")
        << de << 0
        << QStringList{u"1,00|24188|2"_s, u",50|24360|1"_s, u"1,00|24077|9"_s, u"1,00|24077|3"_s}
        << 0 << 3 << QList<Key>{{0, Desc, Number}, {1, Asc, Text}, {2, Asc, Number}}
        << QList<int>{3, 2, 0, 1};
    QTest::newRow("empty cells sort as empty texts")
        << de << 0 << QStringList{u"b"_s, u"~"_s, u"a"_s} << 0 << 2 << QList<Key>{{0, Asc, Text}}
        << QList<int>{1, 2, 0};
    QTest::newRow("part of the rows")
        << de << 0 << QStringList{u"z"_s, u"c"_s, u"b"_s, u"a"_s, u"0"_s} << 1 << 3
        << QList<Key>{{0, Asc, Text}} << QList<int>{0, 3, 2, 1, 4};
    QTest::newRow("rows from one") << de << 1 << QStringList{u"c"_s, u"a"_s, u"b"_s} << 0 << 2
                                   << QList<Key>{{0, Asc, Text}} << QList<int>{1, 2, 0};
    QTest::newRow("range beyond the rows clamped")
        << de << 0 << QStringList{u"c"_s, u"a"_s, u"b"_s} << -5 << 50 << QList<Key>{{0, Asc, Text}}
        << QList<int>{1, 2, 0};
}

void tst_GridStore::sortRows()
{
    QFETCH(QLocale, locale);
    QFETCH(int, first);
    QFETCH(QStringList, table);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<Key>, keys);
    QFETCH(QList<int>, expected);
    QLocale::setDefault(locale);

    // The last column holds each row's original index, so that the test can
    // see that whole rows moved.
    qsizetype width = 0;
    for (const QString &line : std::as_const(table))
        width = std::max(width, line.split(u'|').size());
    const int idColumn = int(width);

    GridStore store;
    store.resize(first, first + int(table.size()) - 1, 0, idColumn);
    for (int i = 0; i < table.size(); ++i) {
        const QStringList cells = table.at(i).split(u'|');
        for (int c = 0; c < cells.size(); ++c) {
            if (cells.at(c) != u"~")
                store.setCell(first + i, c, cells.at(c));
        }
        store.setCell(first + i, idColumn, i);
    }

    store.sortRows(first + from, first + to, keys);

    QCOMPARE(store.rowCount(), int(table.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const int row = first + i;
        const int original = expected.at(i);
        QCOMPARE(store.cell(row, idColumn).toInt(), original);
        const QStringList cells = table.at(original).split(u'|');
        for (int c = 0; c < cells.size(); ++c) {
            if (cells.at(c) == u"~")
                QVERIFY(!store.cell(row, c).isValid());
            else
                QCOMPARE(store.text(row, c), cells.at(c));
        }
    }
}

QTEST_GUILESS_MAIN(tst_GridStore)
#include "tst_gridstore.moc"
