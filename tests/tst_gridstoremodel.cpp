#include "gui/GridStoreModel.h"

#include "core/GridStore.h"
#include "modeltest.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_GridStoreModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The model shows the rows the store had at the last re-read; cells are
    // read live, so rows the store has lost since show empty. Nothing can be
    // edited through it. A column without a caption shows its number.
    void showsTheStoreAsLastRead()
    {
        GridStore store;
        store.resize(1, 2, 0, 2);
        store.setCell(1, 2, 2.5);
        store.setCell(2, 1, u"b"_s);
        GridStoreModel model(&store, {u"A"_s, u"B"_s}); // the third column has no caption
        const auto tester = modelTester(&model);
        QVERIFY(!model.setData(model.index(0, 0), u"x"_s));
        QString shown = model.headerData(2, Qt::Horizontal).toString();
        for (int state = 0; state < 3; ++state) { // as read, rows lost, re-read
            for (int i = 0; i < model.rowCount() * 3; ++i)
                shown += QChar(u"\n||"[i % 3]) + model.index(i / 3, i % 3).data().toString();
            state == 0 ? store.resize(1, 1, 0, 2) : model.reload();
        }
        QCOMPARE(shown, u"3\n||2.5\n|b|\n||2.5\n||\n||2.5"_s);
    }
};

QTEST_GUILESS_MAIN(tst_GridStoreModel)
#include "tst_gridstoremodel.moc"
