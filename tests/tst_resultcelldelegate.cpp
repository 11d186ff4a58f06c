#include "gui/ResultCellDelegate.h"
#include "gui/ResultsModel.h"

#include "core/ColourMarking.h"
#include "core/GridStore.h"

#include <QApplication>
#include <QHeaderView>
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
        QTest::addColumn<int>("current"); // row
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("inside"); // "piece", "highlight" or "base"
        QTest::addColumn<QString>("edge");
        QTest::newRow("marked cell of the current row")
            << true << 0 << 0 << u"piece"_s << u"highlight"_s;
        QTest::newRow("marked cell of another row") << true << 1 << 0 << u"piece"_s << u"piece"_s;
        QTest::newRow("unmarked cell of the current row")
            << true << 0 << 9 << u"highlight"_s << u"highlight"_s;
        QTest::newRow("marking off") << false << 0 << 0 << u"highlight"_s << u"highlight"_s;
        QTest::newRow("marking off, another row") << false << 1 << 0 << u"base"_s << u"base"_s;
    }
    void currentRow()
    {
        QFETCH(bool, marking);
        QFETCH(int, current);
        QFETCH(int, column);
        GridStore store;
        store.resize(0, 1, 0, 19);
        store.setCell(0, 0, u"360,0"_s);
        store.setCell(0, 9, u"360,0"_s);
        store.setCell(1, 0, u"188,3"_s);
        ColourMarking colours;
        if (marking)
            colours.toggleGroup(0);
        ResultsModel model(&store, &colours);
        model.reload();
        QTableView view;
        view.setStyle(QStyleFactory::create(u"Windows"_s)); // a flat highlight
        view.horizontalHeader()->setDefaultSectionSize(40);
        view.setModel(&model);
        view.setItemDelegate(new ResultCellDelegate(&colours, &view));
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.resize(900, 200);
        view.show();
        QApplication::setActiveWindow(&view);
        QVERIFY(QTest::qWaitForWindowActive(&view));
        view.setCurrentIndex(model.index(current, 0)); // the cell under test stands in row 0

        const QRect cell = view.visualRect(model.index(0, column));
        const QImage image = view.viewport()->grab().toImage();
        const auto named = [&](const QString &what) -> QString {
            if (what == u"piece")
                return u"#c00000"_s;
            if (what == u"highlight")
                return view.palette().color(QPalette::Active, QPalette::Highlight).name();
            return view.palette().color(QPalette::Base).name();
        };
        QFETCH(QString, inside);
        QFETCH(QString, edge);
        QCOMPARE(image.pixelColor(cell.right() - 3, cell.top() + 3).name(), named(inside));
        QCOMPARE(image.pixelColor(cell.left() + 1, cell.center().y()).name(), named(edge));
    }
};

QTEST_MAIN(TstResultCellDelegate)
#include "tst_resultcelldelegate.moc"
