#include "gui/ResultCellDelegate.h"
#include "gui/ResultsModel.h"

#include "core/ColourMarking.h"
#include "core/GridStore.h"

#include <QStyleFactory>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

// The current row is highlighted as a whole. While marking is on, its marked
// cells keep their piece colour and show the highlight as a frame.
class TstResultCellDelegate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    // The first cell of the current row and of the row below, each as
    // inside/edge.
    void markedCurrentRowFramed()
    {
        GridStore store;
        store.resize(0, 1, 0, 19);
        store.setCell(0, 0, u"360,0"_s);
        store.setCell(1, 0, u"360,0"_s);
        ColourMarking colours;
        colours.toggleGroup(0);
        ResultsModel model(&store, &colours);
        model.reload();
        QTableView view;
        view.setStyle(QStyleFactory::create(u"Windows"_s)); // a flat highlight
        view.setModel(&model);
        view.setItemDelegate(new ResultCellDelegate(&colours, &view));
        view.show();
        view.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.setCurrentIndex(model.index(0, 0));
        const QImage image = view.viewport()->grab().toImage();
        QString shown;
        for (int row = 0; row < 2; ++row) {
            const QRect cell = view.visualRect(model.index(row, 0));
            shown += image.pixelColor(cell.right() - 3, cell.top() + 3).name() + u'/' +
                     image.pixelColor(cell.left() + 1, cell.center().y()).name() + u' ';
        }
        const QString highlight =
            view.palette().color(QPalette::Active, QPalette::Highlight).name();
        QCOMPARE(shown.replace(highlight, u"highlight"_s), u"#c00000/highlight #c00000/#c00000 "_s);
    }
};

QTEST_MAIN(TstResultCellDelegate)
#include "tst_resultcelldelegate.moc"
