#include "gui/GridStoreModel.h"

#include "core/GridStore.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_GridStoreModel : public QObject
{
    Q_OBJECT

    // Captions (a column without one shows its number), then each row's cells as shown, "|"
    // between; "*" marks a cell that can be edited.
    static QString dump(const QAbstractItemModel &model)
    {
        QStringList lines;
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.headerData(c, Qt::Horizontal).toString();
        lines << cells.join(u'|');
        for (int r = 0; r < model.rowCount(); ++r) {
            cells.clear();
            for (int c = 0; c < model.columnCount(); ++c) {
                const QModelIndex index = model.index(r, c);
                cells << index.data().toString() +
                             (model.flags(index) & Qt::ItemIsEditable ? u"*"_s : QString());
            }
            lines << cells.join(u'|');
        }
        return lines.join(u'\n');
    }

private Q_SLOTS:
    // The model shows the rows the store had at the last re-read; cells are
    // read live, so rows the store has lost since show empty. Nothing can be
    // edited through it.
    void showsTheStoreAsLastRead()
    {
        GridStore store;
        store.resize(1, 2, 0, 2);
        store.setCell(1, 0, u"a"_s);
        store.setCell(1, 2, 2.5);
        store.setCell(2, 1, u"b"_s);
        GridStoreModel model(&store, {u"A"_s, u"B"_s});
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QVERIFY(!model.setData(model.index(0, 0), u"x"_s));
        QString shown = dump(model);
        store.resize(1, 3, 0, 2);
        store.setCell(3, 0, u"c"_s);
        shown += u"\n--\n" + dump(model);
        model.reload();
        shown += u"\n--\n" + dump(model);
        store.resize(1, 1, 0, 2);
        shown += u"\n--\n" + dump(model);
        model.reload();
        shown += u"\n--\n" + dump(model);
        QCOMPARE(shown, u"A|B|3\na||2.5\n|b|\n--\n"
                        "A|B|3\na||2.5\n|b|\n--\n"
                        "A|B|3\na||2.5\n|b|\nc||\n--\n"
                        "A|B|3\na||2.5\n||\n||\n--\n"
                        "A|B|3\na||2.5"_s);
    }
};

QTEST_GUILESS_MAIN(tst_GridStoreModel)
#include "tst_gridstoremodel.moc"
