#include "core/Shopping.h"
#include "locales.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QList<Shopping::Piece> pieces()
{
    // used, owned, price in cents
    return {{u"24360"_s, u"24 360"_s, 3, 1, 1249},
            {u"24236"_s, u"24 236"_s, 1, 4, 899},
            {u"24064"_s, u"24 064"_s, 0, 2, 349},
            {u"20-091B"_s, u"Kato; kurz"_s, 2, 0, 0}};
}

} // namespace

class tst_Shopping : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Counts and costs: what is used, and only what is used beyond the
    // stock is bought; a piece without a price costs nothing.
    void lists()
    {
        const QList<Shopping::Line> parts = Shopping::parts(pieces());
        const QList<Shopping::Line> buy = Shopping::toBuy(pieces());
        QCOMPARE(parts, (QList<Shopping::Line>{{u"24360"_s, u"24 360"_s, 3, 3747},
                                               {u"24236"_s, u"24 236"_s, 1, 899},
                                               {u"20-091B"_s, u"Kato; kurz"_s, 2, 0}}));
        QCOMPARE(buy, (QList<Shopping::Line>{{u"24360"_s, u"24 360"_s, 2, 2498},
                                             {u"20-091B"_s, u"Kato; kurz"_s, 2, 0}}));
        QCOMPARE(Shopping::totalCents(parts), 4646);
        QCOMPARE(Shopping::totalCount(buy), 4);
    }

    // The table as a spreadsheet pastes it and as a CSV file: header, one
    // line per piece, the sum; ";" and quoting where the locale's decimal
    // comma needs it.
    void texts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("csv");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tabs, German") << german << false
                                      << u"Anzahl\tArtikel\tBezeichnung\tStückpreis\tPreis\n"
                                         u"2\t24360\t24 360\t12,49\t24,98\n"
                                         u"2\t20-091B\tKato; kurz\t0,00\t0,00\n"
                                         u"4\t\tSumme\t\t24,98\n"_s;
        QTest::newRow("CSV, German: ; and the label quoted")
            << german << true
            << u"Anzahl;Artikel;Bezeichnung;Stückpreis;Preis\r\n"
               u"2;24360;24 360;12,49;24,98\r\n"
               u"2;20-091B;\"Kato; kurz\";0,00;0,00\r\n"
               u"4;;Summe;;24,98\r\n"_s;
        QTest::newRow("CSV, English: , and the grouped sum quoted")
            << english << true
            << u"Anzahl,Artikel,Bezeichnung,Stückpreis,Preis\r\n"
               u"2,24360,24 360,12.49,24.98\r\n"
               u"2,20-091B,Kato; kurz,0.00,0.00\r\n"
               u"4,,Summe,,24.98\r\n"_s;
    }
    void texts()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, csv);
        const auto table = Shopping::table(Shopping::toBuy(pieces()), pieces(), locale);
        QTEST(csv ? Shopping::csv(table, locale) : Shopping::tabSeparated(table), "expected");
    }

    void readMoney_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("cents"); // -1: refused
        QTest::newRow("empty is free") << u""_s << qint64(0);
        QTest::newRow("one decimal") << u"12,5"_s << qint64(1250);
        QTest::newRow("grouped") << u"1.234,56"_s << qint64(123456);
        QTest::newRow("float tail rounds to the cent") << u"4,35"_s << qint64(435);
        QTest::newRow("negative") << u"-1"_s << qint64(-1);
        QTest::newRow("word") << u"gratis"_s << qint64(-1);
    }
    void readMoney()
    {
        QFETCH(QString, text);
        QLocale::setDefault(german);
        QTEST(Shopping::readMoney(text).value_or(-1), "cents");
    }
};

QTEST_APPLESS_MAIN(tst_Shopping)
#include "tst_shopping.moc"
