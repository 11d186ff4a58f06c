#include "core/OwnedList.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_OwnedList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // What spreadsheets export: each row a file and the counts and problems
    // it must give, written as "article=count" and "line number" lists.
    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("counts");
        QTest::addColumn<QString>("problemLines");
        QTest::newRow("German export with header and BOM")
            << u"\uFEFFArtikel;Anzahl\r\n24360;2\r\n24236;1\r\n"_s << u"24236=1 24360=2"_s << u""_s;
        QTest::newRow("copied column, tabs, no header")
            << u"24 360\t3\n"_s << u"24360=3"_s << u""_s;
        QTest::newRow("quoted fields, comma")
            << u"\"20-091B\",\"4\"\n"_s << u"20-091B=4"_s << u""_s;
        QTest::newRow("one piece in two boxes, empty lines")
            << u"\n24360;2\n\n24360;1\n"_s << u"24360=3"_s << u""_s;
        QTest::newRow("empty rows of the sheet, as separators or quotes")
            << u"Artikel;Anzahl\r\n;\r\n24360;2\r\n\"\";\"\"\r\n;;\r\n"_s << u"24360=2"_s << u""_s;
        QTest::newRow("word as count after data")
            << u"24360;2\n24236;zwei\n"_s << u"24360=2"_s << u"2"_s;
        QTest::newRow("negative and decimal counts refused")
            << u"24360;-1\n24236;1,5\n24229;1\n"_s << u"24229=1"_s << u"1 2"_s;
        QTest::newRow("missing count") << u"24360\n24236;1\n"_s << u"24236=1"_s << u"1"_s;
        QTest::newRow("count of zero is a count") << u"24360;0\n"_s << u"24360=0"_s << u""_s;
        QTest::newRow("more than the table takes, alone or added up")
            << u"24360;1000\n24236;999\n24229;600\n24229;400\n24229;399\n"_s
            << u"24229=999 24236=999"_s << u"1 4"_s;
    }
    void read()
    {
        QFETCH(QString, text);
        const OwnedList::Reading reading = OwnedList::read(text);
        QStringList actual;
        for (auto it = reading.counts.cbegin(); it != reading.counts.cend(); ++it)
            actual << it.key() + u'=' + QString::number(it.value());
        actual.sort();
        QTEST(actual.join(u' '), "counts");
        QStringList lines;
        for (const QString &problem : reading.problems)
            lines << problem.section(u':', 0, 0).section(u' ', 1);
        QTEST(lines.join(u' '), "problemLines");
    }
};

QTEST_APPLESS_MAIN(tst_OwnedList)
#include "tst_ownedlist.moc"
