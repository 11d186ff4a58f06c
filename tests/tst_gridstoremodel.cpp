#include "gui/GridStoreModel.h"

#include "core/GridStore.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_GridStoreModel : public QObject
{
    Q_OBJECT

    // Captions (a column without one shows its number), then each row's cells.
    static QString dump(const QAbstractItemModel &model)
    {
        QString text;
        for (int r = -1; r < model.rowCount(); ++r) {
            for (int c = 0; c < model.columnCount(); ++c)
                text += (r < 0 ? model.headerData(c, Qt::Horizontal) : model.index(r, c).data())
                            .toString() +
                        u'|';
            text += u'\n';
        }
        return text + u"--\n";
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
        store.resize(1, 1, 0, 2);
        shown += dump(model);
        model.reload();
        QCOMPARE(shown + dump(model), u"A|B|3|\na||2.5|\n|b||\n--\nA|B|3|\na||2.5|\n|||\n--\n"
                                      "A|B|3|\na||2.5|\n--\n"_s);
    }
};

QTEST_GUILESS_MAIN(tst_GridStoreModel)
#include "tst_gridstoremodel.moc"
