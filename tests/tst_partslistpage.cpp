#include "core/PartsListPage.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestPartsListPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each line as "x/y text" in millimetres, "B" before the text of a bold one.
    void lines_data()
    {
        QTest::addColumn<QString>("sum");
        QTest::addColumn<PartsListPage::Counts>("counts");
        QTest::addColumn<QStringList>("expected");
        const QString title = u"10/10 B Stückliste märklin C-Gleis"_s;
        QTest::newRow("start-up row")
            << QString() << PartsListPage::Counts{} << QStringList{title, u"10/18 Distanz:  mm"_s};
        QTest::newRow("last piece only")
            << u"578,7"_s << PartsListPage::Counts{{{}, {}, {}, {}, {}, {}, {}, {}, u"9"_s}}
            << QStringList{title, u"10/18 Distanz: 578,7 mm"_s, u"10/26 9  Stck   24 064"_s};
        // Unused pieces leave no gap; a count is copied as it stands.
        QTest::newRow("gaps closed")
            << u"1.100,2"_s
            << PartsListPage::Counts{{u"2"_s, {}, u"1"_s, {}, {}, {}, {}, {}, u"07"_s}}
            << QStringList{title, u"10/18 Distanz: 1.100,2 mm"_s, u"10/26 2  Stck   24 360"_s,
                           u"10/34 1  Stck   24 229"_s, u"10/42 07  Stck   24 064"_s};
    }
    void lines()
    {
        QFETCH(QString, sum);
        QFETCH(PartsListPage::Counts, counts);
        const PartsListPage page(sum, counts);
        QStringList shown;
        for (const PartsListPage::Line &line : page.lines()) {
            shown << QString::number(line.xMm) + u'/' + QString::number(line.yMm) +
                         (line.bold ? u" B "_s : u" "_s) + line.text;
        }
        QTEST(shown, "expected");
    }
};

QTEST_APPLESS_MAIN(TestPartsListPage)
#include "tst_partslistpage.moc"
