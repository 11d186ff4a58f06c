#include "core/RangeFile.h"
#include "core/XtpReader.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// One part: its title line and sub-lines, inches.
QByteArray part(const char *article, const QByteArray &lines)
{
    return QByteArray("TURNOUT HO \"Maker\tStraight\t") + article + "\"\n" + lines +
           QByteArray("\tEND\n");
}

} // namespace

class tst_XtpReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Which parts count as straight pieces, and their length in mm.
    void straightPieces_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("pieces"); // article=units, search order
        const char *ends = "\tE 0.000000 0.000000 270.000000\n\tE 2.531496 0.000000 90.000000\n";
        const QByteArray straight = QByteArray(ends) + "\tS 0 0 0 0 2.531496 0\n";
        QTest::newRow("straight") << part("24064", straight) << u"24064=6430"_s;
        QTest::newRow("drawing lines do not count")
            << part("24064", straight + "\tL 1 0.03 0 0.78 2.53 0.78\n") << u"24064=6430"_s;
        QTest::newRow("curved segment")
            << part("24130", QByteArray(ends) + "\tC 0 0 14.6 0 -14.6 0 30\n") << QString();
        QTest::newRow("two segments") << part("24064", straight + "\tS 0 0 0 0 1 0\n") << QString();
        QTest::newRow("three ends") << part("24611", straight + "\tE 2.5 0.5 80\n") << QString();
        QTest::newRow("ends not facing apart")
            << part("24064", "\tE 0 0 270\n\tE 2.531496 0 270\n\tS 0 0 0 0 2.531496 0\n")
            << QString();
        QTest::newRow("diagonal") << part(
                                         "9",
                                         "\tE 0 0 216.869898\n\tE 3 4 36.869898\n\tS 0 0 0 0 3 4\n")
                                  << u"9=12700"_s;
        QTest::newRow("no article")
            << QByteArray("TURNOUT HO \"Maker\tStraight\"\n") + straight + "\tEND\n"
            << QString();
        QTest::newRow("second of an article")
            << part("1", straight) + part("1", "\tE 0 0 270\n\tE 1 0 90\n\tS 0 0 0 0 1 0\n")
            << u"1=6430"_s;
        QTest::newRow("27.75 mm kept to the hundredth")
            << part("9104", "\tE 0 0 270\n\tE 1.092520 0 90\n\tS 0 0 0 0 1.092520 0\n")
            << u"9104=2775"_s;
        QTest::newRow("latin-1 title, CRLF")
            << QByteArray("TURNOUT HO \"M\xe4rklin\tGerade\t2200\"\r\n\tE 0 0 270\r\n"
                          "\tE 7.086614 0 90\r\n\tS 0 0 0 0 7.086614 0\r\n\tEND\r\n")
            << u"2200=18000"_s;
    }
    void straightPieces()
    {
        QFETCH(QByteArray, content);
        const XtpReader::Result read = XtpReader::parse(content, u"/p/HO-Test.xtp"_s);
        QStringList found;
        if (read.range) {
            QCOMPARE(read.range->name(), u"xtrkcad:HO-Test"_s);
            for (const RangePiece &piece : read.range->pieces())
                found << piece.articleNumber + u'=' + QString::number(piece.length);
        }
        QTEST(found.join(u' '), "pieces");
    }

    // Every shipped range file names its XTrackCAD file; each of its pieces
    // has the length found there, or is listed as a deviation with the
    // length found there.
    void shippedRangesMatchXTrackCad_data()
    {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(TORVELIN_SOURCE_RANGES));
        const QStringList files = dir.entryList({u"*.txt"_s}, QDir::Files, QDir::Name);
        QVERIFY(files.size() >= 12);
        for (const QString &file : files)
            QTest::newRow(qPrintable(file)) << dir.filePath(file);
    }
    void shippedRangesMatchXTrackCad()
    {
        QFETCH(QString, path);
        if (!QDir(u"/usr/share/xtrkcad/params"_s).exists())
            QSKIP("xtrkcad-common is not installed");
        const RangeFile::Result shipped = RangeFile::read(path);
        QVERIFY2(shipped.range, qPrintable(shipped.error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const auto header = [&](const QString &name) {
            return QRegularExpression(u"^# "_s + name + u": (.+)$"_s,
                                      QRegularExpression::MultilineOption)
                .match(text)
                .captured(1);
        };
        const QString source = header(u"XTrackCAD-Datei"_s);
        const QString deviations = header(u"Abweichung von XTrackCAD"_s);
        QVERIFY2(!source.isEmpty() && !deviations.isEmpty(),
                 "no XTrackCAD file or deviations named");
        QHash<QString, qint64> deviating;
        if (deviations != u"keine") {
            for (const QString &entry : deviations.split(u", "_s)) {
                const QStringList pair = entry.split(u'=');
                deviating.insert(pair.at(0), *RangeUnits::parse(pair.at(1)));
            }
        }
        const XtpReader::Result xtp = XtpReader::read(u"/usr/share/xtrkcad/params/"_s + source);
        QVERIFY2(xtp.range, qPrintable(xtp.error));
        for (const RangePiece &piece : shipped.range->pieces()) {
            const int there = xtp.range->indexOf(piece.articleNumber);
            QVERIFY2(there >= 0, qPrintable(piece.articleNumber));
            const qint64 xtpLength = xtp.range->piece(there).length;
            const qint64 expected = deviating.value(piece.articleNumber, piece.length);
            QCOMPARE(std::pair(piece.articleNumber, xtpLength),
                     std::pair(piece.articleNumber, expected));
            if (deviating.contains(piece.articleNumber))
                QVERIFY(piece.length != xtpLength);
        }
    }
};

QTEST_GUILESS_MAIN(tst_XtpReader)
#include "tst_xtpreader.moc"
