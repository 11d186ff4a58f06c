#include "rechner/RangePage.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_RangePage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The tables' columns on a page 300 wide, each character 10 wide and a
    // gap of 5: as wide as their widest cell, the widest one cut when they
    // do not fit, the lines of one or two cells (title, range, gap) left out.
    void columns_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<double>>("left");
        QTest::addColumn<QList<double>>("width");
        QTest::newRow("as wide as the widest cell")
            << QStringList{u"Stückliste"_s, u"Sortiment:\tein sehr langer Name von Sortiment"_s,
                           u"Anzahl\tBez.\tPreis"_s, u"1\t24 360\t12,50"_s}
            << QList<double>{0, 65, 130} << QList<double>{60, 60, 50};
        QTest::newRow("a long text cut to the page")
            << QStringList{u"Anzahl\tBezeichnung\tPreis"_s,
                           u"2\tGerades Gleis 188,3 mm mit Klemmen\t2.469,00"_s}
            << QList<double>{0, 65, 220} << QList<double>{60, 150, 80};
        QTest::newRow("no table") << QStringList{u"Einkaufsliste"_s, u"Alles vorhanden."_s}
                                  << QList<double>{} << QList<double>{};
    }
    void columns()
    {
        QFETCH(QStringList, lines);
        const RangePage::Columns columns = RangePage::columns(
            lines, [](const QString &text) { return 10.0 * double(text.size()); }, 300.0, 5.0);
        QTEST(columns.left, "left");
        QTEST(columns.width, "width");
    }
};

QTEST_APPLESS_MAIN(tst_RangePage)
#include "tst_rangepage.moc"
