#include "core/ResultExport.h"
#include "locales.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString german360 = u"188,3|94,2|77,5|||||||360,0|24188|24094|24077|||||||1,75"_s;
const QString german1000 = u"360,0|360,0|229,3|||||||1.000,0|24360|24360|24229|||||||,50"_s;
const QString english360 = u"188.3|94.2|77.5|||||||360.0|24188|24094|24077|||||||1.75"_s;
const QString english1000 = u"360.0|360.0|229.3|||||||1,000.0|24360|24360|24229|||||||.50"_s;

} // namespace

class tst_ResultExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Numbers for programs, read from the texts the locale wrote; the
    // article numbers and empty slots stay as they are.
    void plainNumbers_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("plain");
        const QString plain1000 = u"360.0|360.0|229.3|||||||1000.0|24360|24360|24229|||||||0.50"_s;
        QTest::newRow("German") << german << german1000 << plain1000;
        QTest::newRow("English") << english << english1000 << plain1000;
        QTest::newRow("C") << QLocale::c() << english1000 << plain1000;
        const QString plain360 = u"188.3|94.2|77.5|||||||360.0|24188|24094|24077|||||||"_s;
        QTest::newRow("negative price")
            << german << german360.section(u'|', 0, 18) + u"|-,50"_s << plain360 + u"-0.50"_s;
        QTest::newRow("price beyond 1e30")
            << german << german360.section(u'|', 0, 18) + u"|1000000015047466219876688855040,00"_s
            << plain360 + u"1000000015047466219876688855040.00"_s;
    }
    void plainNumbers()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, cells);
        QFETCH(QString, plain);
        QCOMPARE(ResultExport::plainNumbers({cells.split(u'|')}, locale),
                 QList<ResultExport::Row>{plain.split(u'|')});
    }

    void csv_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("cells");
        QTest::addColumn<QString>("line");
        QTest::newRow("German: semicolons")
            << german << german1000
            << u"360,0;360,0;229,3;;;;;;;1.000,0;24360;24360;24229;;;;;;;,50\r\n"_s;
        QTest::newRow("English: commas, grouped sum quoted")
            << english << english1000
            << u"360.0,360.0,229.3,,,,,,,\"1,000.0\",24360,24360,24229,,,,,,,.50\r\n"_s;
        QTest::newRow("quotes doubled")
            << german << u"a\"b|c;d|e\nf"_s << u"\"a\"\"b\";\"c;d\";\"e\nf\"\r\n"_s;
    }
    void csv()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, cells);
        QFETCH(QString, line);
        QString header = u"L1;L2;L3;L4;L5;L6;L7;L8;L9;Länge;Gl1;Gl2;Gl3;Gl4;Gl5;Gl6;Gl7;Gl8;"
                         "Gl9;Preis\r\n"_s;
        if (locale.decimalPoint() != u","_s)
            header.replace(u';', u',');
        QCOMPARE(ResultExport::write(ResultExport::Format::Csv, {cells.split(u'|')}, locale),
                 header + line);
    }

    void table()
    {
        QCOMPARE(ResultExport::table({german360.split(u'|'), german1000.split(u'|')}),
                 u"  Länge  Preis  Gleise  Stückliste\n"
                 "  360,0   1,75       3  1 × 24 188, 1 × 24 094, 1 × 24 077\n"
                 "1.000,0    ,50       3  2 × 24 360, 1 × 24 229\n"_s);
        QCOMPARE(ResultExport::table({}), u"Länge  Preis  Gleise  Stückliste\n"_s);
    }

    void json()
    {
        // One object to a line; numbers as numbers, article numbers as texts.
        const QString expected = uR"([
  {"artikel":["24188","24094","24077"],"gleise":3,"laenge":360,"laengen":[188.3,94.2,77.5],"preis":1.75,"stueckliste":[{"anzahl":1,"artikel":"24188"},{"anzahl":1,"artikel":"24094"},{"anzahl":1,"artikel":"24077"}]},
  {"artikel":["24360","24360","24229"],"gleise":3,"laenge":1000,"laengen":[360,360,229.3],"preis":0.5,"stueckliste":[{"anzahl":2,"artikel":"24360"},{"anzahl":1,"artikel":"24229"}]}
]
)"_s;
        QCOMPARE(ResultExport::json({german360.split(u'|'), german1000.split(u'|')}, german),
                 expected);
        QCOMPARE(ResultExport::json({english360.split(u'|'), english1000.split(u'|')}, english),
                 expected);
        QCOMPARE(ResultExport::json({}, german), u"[]\n"_s);
        // Prices from hand-edited unit prices keep their sign and size; a
        // total that is no number is null, which JSON can write.
        const auto preis = [](const QString &price) {
            QStringList row = german360.split(u'|');
            row.last() = price;
            return ResultExport::json({row}, german)
                .section(u"\"preis\":"_s, 1)
                .section(u',', 0, 0);
        };
        QCOMPARE(preis(u"-5,00"_s), u"-5"_s);
        QCOMPARE(preis(u"-,50"_s), u"-0.5"_s);
        QCOMPARE(preis(u"1000000015047466219876688855040,00"_s), u"1.0000000150474662e+30"_s);
        QCOMPARE(preis(u"inf"_s), u"null"_s);
    }

    void partsList()
    {
        const PartsListPage::Counts counts{u"2"_s, {}, u"1"_s};
        const QString expected = u"Stückliste märklin C-Gleis\nDistanz:\t1.000,0\tmm\n"
                                 "2\tStck\t24 360\n1\tStck\t24 229\n"_s;
        QCOMPARE(ResultExport::partsList(u"1.000,0"_s, counts), expected);
    }
};

QTEST_GUILESS_MAIN(tst_ResultExport)
#include "tst_resultexport.moc"
