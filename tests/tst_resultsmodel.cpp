#include "gui/ResultsModel.h"

#include "core/ColourMarking.h"
#include "core/GridStore.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The captions, then every cell that has `role`, as "row,column value".
QString dump(const QAbstractItemModel &model, int role)
{
    QString text;
    for (int c = 0; c < model.columnCount(); ++c)
        text += u'"' + model.headerData(c, Qt::Horizontal).toString() + u"\" "_s;
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            if (const QString value = model.index(r, c).data(role).toString(); !value.isEmpty())
                text += u"\n%1,%2 %3"_s.arg(r).arg(c).arg(value);
        }
    }
    return text;
}

} // namespace

class TstResultsModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Prices in the standard number format while the store keeps its text;
    // marked cells in piece colours, the sum never; nothing editable.
    void shows()
    {
        GridStore store;
        store.resize(0, 0, 0, 19);
        ColourMarking marking;
        ResultsModel model(&store, &marking);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 1);
        store.resize(0, 1, 0, 19);
        const QStringList rows{u"360,0|||||||||360,0|24360|||||||||,00"_s,
                               u"94,2|64,3||||||||158,5|24094|24064||||||||1234,50"_s};
        for (int r = 0; r < 2; ++r) {
            for (int c = 0; c < 20; ++c)
                store.setCell(r, c, rows[r].split(u'|')[c]);
        }
        model.reload();
        QString shown = dump(model, Qt::DisplayRole);
        marking.toggleGroup(0);
        model.reload();
        shown += u"\n--\n" + dump(model, Qt::BackgroundRole).section(u'\n', 1) + u"\n--\n" +
                 dump(model, Qt::ForegroundRole).section(u'\n', 1);
        QCOMPARE(
            shown,
            u"\"L1\" \"L2\" \"L3\" \"L4\" \"L5\" \"L6\" \"L7\" \"L8\" \"L9\" \" Länge \" \"Gl1 \" "
            "\"Gl2\" \"Gl3\" \"Gl4\" \"Gl5\" \"Gl6\" \"Gl7\" \"Gl8\" \"Gl9\" \"Preis \" \n"
            "0,0 360,0\n0,9 360,0\n0,10 24360\n0,19 0,00\n1,0 94,2\n1,1 64,3\n"
            "1,9 158,5\n1,10 24094\n1,11 24064\n1,19 1.234,50\n"
            "--\n0,0 #c00000\n1,0 #c0c000\n1,1 #a76a21\n--\n0,0 #ffffff\n1,1 #ffffff"_s);
        QCOMPARE(store.text(1, 19), u"1234,50"_s);
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }
};

QTEST_MAIN(TstResultsModel)
#include "tst_resultsmodel.moc"
