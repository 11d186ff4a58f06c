#include "core/RangeFile.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_RangeFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A sound file (comments, blank lines, tabs, CRLF, a byte-order mark, a
    // text with blanks inside, a piece without a text) gives its pieces in
    // search order whatever the file's order, as "article=units:text";
    // every malformed line is refused with the file, its line and why.
    void parse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("read");
        QTest::newRow("sound file")
            << QByteArray("\xEF\xBB\xBF# Märklin K\r\n"
                          "\r\n"
                          "2200\t180   22 00 gerade  # das lange\r\n"
                          "  2204 22.5\n"
                          "2206 168.90 Gleis 2206\n")
            << u"2204=2250:2204|2206=16890:Gleis 2206|2200=18000:22 00 gerade"_s;
        QTest::newRow("no length")
            << QByteArray("# x\n2200\n")
            << u"/x/f.txt:2: nach der Artikelnummer 2200 fehlt die Länge in mm"_s;
        const QString noNumber =
            u"ist keine Zahl wie 64.3 (Punkt, höchstens zwei Nachkommastellen)"_s;
        const QString outside = u"liegt nicht über 0 und bis 10000 mm"_s;
        const auto length = [](int line, const QString &text, const QString &why) {
            return u"/x/f.txt:%1: Länge %2 %3"_s.arg(line).arg(text, why);
        };
        QTest::newRow("decimal comma")
            << QByteArray("2200 180,5\n") << length(1, u"180,5"_s, noNumber);
        QTest::newRow("three decimals")
            << QByteArray("\n\n2200 180.125\n") << length(3, u"180.125"_s, noNumber);
        QTest::newRow("negative") << QByteArray("2200 -5\n") << length(1, u"-5"_s, noNumber);
        QTest::newRow("zero") << QByteArray("2200 0.0\n") << length(1, u"0.0"_s, outside);
        QTest::newRow("too long") << QByteArray("2200 10000.01\n")
                                  << length(1, u"10000.01"_s, outside);
        QTest::newRow("twice") << QByteArray("2200 180\n2201 90\n2200 90\n")
                               << u"/x/f.txt:3: Artikelnummer 2200 steht schon weiter oben"_s;
        QTest::newRow("comma in article")
            << QByteArray("22,00 180\n")
            << u"/x/f.txt:1: Artikelnummer 22,00 enthält \",\" oder \"=\""_s;
        QTest::newRow("latin-1") << QByteArray("2200 180 M\xe4rklin\n")
                                 << u"/x/f.txt:1: kein gültiges UTF-8"_s;
        QTest::newRow("only comments")
            << QByteArray("# nichts\n") << u"/x/f.txt:2: die Datei nennt kein Gleis"_s;
    }
    void parse()
    {
        QFETCH(QByteArray, content);
        const RangeFile::Result read = RangeFile::parse(content, u"/x/f.txt"_s);
        QStringList pieces;
        for (const RangePiece &p : read.range ? read.range->pieces() : QList<RangePiece>())
            pieces << p.articleNumber + u'=' + QString::number(p.length) + u':' + p.label;
        QTEST(read.range ? pieces.join(u'|') : read.error, "read");
        if (read.range)
            QCOMPARE(read.range->name() + u' ' + read.range->source(), u"f /x/f.txt"_s);
    }
};

QTEST_GUILESS_MAIN(tst_RangeFile)
#include "tst_rangefile.moc"
