#include "gui/ResultsModel.h"

#include "core/ColourMarking.h"
#include "core/GridStore.h"
#include "modeltest.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TstResultsModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Prices in the standard number format while the store keeps its text;
    // nothing editable.
    void shows()
    {
        GridStore store;
        store.resize(0, 1, 0, 19);
        ColourMarking marking;
        ResultsModel model(&store, &marking);
        const auto tester = modelTester(&model);
        const QStringList cells = u"360,0|||||||||360,0|24360|||||||||,00|94,2|64,3||||||||158,5|"
                                  "24094|24064||||||||1234,50"_s.split(u'|');
        for (int i = 0; i < 40; ++i)
            store.setCell(i / 20, i % 20, cells[i]);
        model.reload();
        QStringList captions;
        for (int c = 0; c < model.columnCount(); ++c)
            captions << model.headerData(c, Qt::Horizontal).toString();
        QCOMPARE(captions.join(u'|'), u"L1|L2|L3|L4|L5|L6|L7|L8|L9| Länge |Gl1 |Gl2|Gl3|Gl4|Gl5|"
                                      "Gl6|Gl7|Gl8|Gl9|Preis "_s);
        QCOMPARE(modelRows(model),
                 (QStringList{u"360,0|||||||||360,0|24360|||||||||0,00"_s,
                              u"94,2|64,3||||||||158,5|24094|24064||||||||1.234,50"_s}));
        QCOMPARE(store.text(1, 19), u"1234,50"_s);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }

    // A marked group's cells carry their piece's colour; the yellow and cyan
    // pieces keep the grid's text colour, all others get white text.
    void markedColours_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("colours"); // background/text, empty: the grid's own
        QTest::newRow("360,0") << 0 << 0 << u"360,0"_s << u"#c00000/#ffffff"_s;
        QTest::newRow("24094") << 1 << 10 << u"24094"_s << u"#c0c000/"_s;
        QTest::newRow("24077") << 1 << 18 << u"24077"_s << u"#00c0c0/"_s;
        QTest::newRow("24064") << 1 << 11 << u"24064"_s << u"#a76a21/#ffffff"_s;
        QTest::newRow("the other group") << 1 << 0 << u"360,0"_s << u"/"_s;
    }
    void markedColours()
    {
        QFETCH(int, group);
        QFETCH(int, column);
        QFETCH(QString, text);
        GridStore store;
        store.resize(0, 0, 0, 19);
        store.setCell(0, column, text);
        ColourMarking marking;
        marking.toggleGroup(group);
        ResultsModel model(&store, &marking);
        model.reload();
        const QModelIndex cell = model.index(0, column);
        const QString colours = cell.data(Qt::BackgroundRole).toString() + u'/' +
                                cell.data(Qt::ForegroundRole).toString();
        QTEST(colours, "colours");
    }
};

QTEST_MAIN(TstResultsModel)
#include "tst_resultsmodel.moc"
