#include "core/GridStore.h"
#include "gridtext.h"

#include <QLocale>
#include <QRect>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_GridStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // The first bounds (x: columns, y: rows) are filled with cells labelled
    // "row/column"; each further entry is one resize. Writes just outside the
    // corners change nothing, not even the cell a row further on that a
    // wrong index would hit.
    void resize_data()
    {
        QTest::addColumn<QList<QRect>>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("shrink then grow rows")
            << QList{QRect(0, 0, 4, 6), QRect(0, 0, 4, 2), QRect(0, 0, 4, 6)}
            << QStringList{u"0/0|0/1|0/2|0/3"_s, u"1/0|1/1|1/2|1/3"_s} +
                   QStringList(4, u"~|~|~|~"_s);
        QTest::newRow("lower bounds up")
            << QList{QRect(0, 0, 4, 4), QRect(1, 2, 5, 5)}
            << QStringList{u"2/1|2/2|2/3|~|~"_s, u"3/1|3/2|3/3|~|~"_s} +
                   QStringList(3, u"~|~|~|~|~"_s);
    }
    void resize()
    {
        QFETCH(QList<QRect>, steps);
        GridStore store;
        for (qsizetype i = 0; i < steps.size(); ++i) {
            const QRect b = steps[i];
            store.resize(b.top(), b.bottom(), b.left(), b.right());
            for (int r = b.top(); i == 0 && r <= b.bottom(); ++r) {
                for (int c = b.left(); c <= b.right(); ++c)
                    store.setCell(r, c, u"%1/%2"_s.arg(r).arg(c));
            }
        }
        const QRect ring = steps.constLast().adjusted(-1, -1, 1, 1);
        for (const int r : {ring.top(), ring.bottom()}) {
            for (const int c : {ring.left(), ring.right()})
                store.setCell(r, c, u"stray"_s);
        }
        QTEST(gridText(store), "expected");
    }
};

QTEST_GUILESS_MAIN(tst_GridStore)
#include "tst_gridstore.moc"
