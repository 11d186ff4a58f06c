#include "gui/ResultsModel.h"

#include "core/ColourMarking.h"
#include "core/GridStore.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every cell of `model` that shows something, as "row,column text
// [background/foreground]", and the header captions.
QString dump(const QAbstractItemModel &model)
{
    QStringList lines;
    QStringList captions;
    for (int c = 0; c < model.columnCount(); ++c)
        captions << u'"' + model.headerData(c, Qt::Horizontal).toString() + u'"';
    lines << captions.join(u' ');
    for (int r = 0; r < model.rowCount(); ++r) {
        for (int c = 0; c < model.columnCount(); ++c) {
            const QModelIndex cell = model.index(r, c);
            const QString text = cell.data().toString();
            const QVariant back = cell.data(Qt::BackgroundRole);
            const QVariant fore = cell.data(Qt::ForegroundRole);
            if (text.isEmpty() && !back.isValid())
                continue;
            QString line = u"%1,%2 %3"_s.arg(r).arg(c).arg(text);
            if (back.isValid() || fore.isValid()) {
                line += u" [%1/%2]"_s.arg(back.value<QColor>().name(),
                                          fore.isValid() ? fore.value<QColor>().name() : QString());
            }
            if (cell.data(Qt::EditRole).toString() != text)
                line += u" stored " + cell.data(Qt::EditRole).toString();
            lines << line;
        }
    }
    return lines.join(u'\n');
}

void setRow(GridStore &store, int row, const QStringList &cells)
{
    for (int c = 0; c < cells.size(); ++c)
        store.setCell(row, c, cells[c]);
}

} // namespace

class TstResultsModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }

    // Prices in the standard number format while the store keeps its text;
    // marked cells in piece colours, the sum and the price never.
    void shows_data()
    {
        QTest::addColumn<QList<int>>("boxes"); // check boxes ticked
        QTest::addColumn<QString>("shown");
        const QString header = u"\"L1\" \"L2\" \"L3\" \"L4\" \"L5\" \"L6\" \"L7\" \"L8\" \"L9\" "
                               "\" Länge \" \"Gl1 \" \"Gl2\" \"Gl3\" \"Gl4\" \"Gl5\" \"Gl6\" "
                               "\"Gl7\" \"Gl8\" \"Gl9\" \"Preis \"\n"_s;
        QTest::newRow("plain") << QList<int>{}
                               << header +
                                      u"0,0 360,0\n0,9 360,0\n0,10 24360\n0,19 0,00 stored ,00\n"
                                      "1,0 94,2\n1,1 64,3\n1,9 158,5\n1,10 24094\n1,11 24064\n"
                                      "1,19 1.234,50 stored 1234,50"_s;
        QTest::newRow("lengths marked")
            << QList<int>{0}
            << header +
                   u"0,0 360,0 [#c00000/#ffffff]\n0,9 360,0\n0,10 24360\n0,19 0,00 stored ,00\n"
                   "1,0 94,2 [#c0c000/]\n1,1 64,3 [#a76a21/#ffffff]\n1,9 158,5\n1,10 24094\n"
                   "1,11 24064\n1,19 1.234,50 stored 1234,50"_s;
        QTest::newRow("articles marked")
            << QList<int>{1}
            << header +
                   u"0,0 360,0\n0,9 360,0\n0,10 24360 [#c00000/#ffffff]\n0,19 0,00 stored ,00\n"
                   "1,0 94,2\n1,1 64,3\n1,9 158,5\n1,10 24094 [#c0c000/]\n"
                   "1,11 24064 [#a76a21/#ffffff]\n1,19 1.234,50 stored 1234,50"_s;
    }
    void shows()
    {
        QFETCH(QList<int>, boxes);
        GridStore store;
        store.resize(0, 0, 0, 19);
        ColourMarking marking;
        ResultsModel model(&store, &marking);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 1);
        store.resize(0, 1, 0, 19);
        setRow(store, 0, u"360,0|||||||||360,0|24360|||||||||,00"_s.split(u'|'));
        setRow(store, 1, u"94,2|64,3||||||||158,5|24094|24064||||||||1234,50"_s.split(u'|'));
        for (int box : boxes)
            marking.toggleGroup(box);
        model.reload();
        QTEST(dump(model), "shown");
        QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
    }
};

QTEST_MAIN(TstResultsModel)
#include "tst_resultsmodel.moc"
