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
    void currentRow_data()
    {
        QTest::addColumn<bool>("marking");
        QTest::addColumn<int>("current");   // row; the cell under test is the first
        QTest::addColumn<QString>("shown"); // inside/edge
        QTest::newRow("marked, current row") << true << 0 << u"piece/highlight"_s;
        QTest::newRow("marked, another row") << true << 1 << u"piece/piece"_s;
        QTest::newRow("marking off") << false << 0 << u"highlight/highlight"_s;
    }
    void currentRow()
    {
        QFETCH(bool, marking);
        QFETCH(int, current);
        QFETCH(QString, shown);
        GridStore store;
        store.resize(0, 1, 0, 19);
        store.setCell(0, 0, u"360,0"_s);
        ColourMarking colours;
        if (marking)
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
        view.setCurrentIndex(model.index(current, 0));
        const QRect cell = view.visualRect(model.index(0, 0));
        const QImage image = view.viewport()->grab().toImage();
        const QString highlight =
            view.palette().color(QPalette::Active, QPalette::Highlight).name();
        QCOMPARE(image.pixelColor(cell.right() - 3, cell.top() + 3).name() + u'/' +
                     image.pixelColor(cell.left() + 1, cell.center().y()).name(),
                 shown.replace(u"piece"_s, u"#c00000"_s).replace(u"highlight"_s, highlight));
    }
};

QTEST_MAIN(TstResultCellDelegate)
#include "tst_resultcelldelegate.moc"
