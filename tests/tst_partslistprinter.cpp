#include "print/PartsListPage.h"
#include "print/PartsListPrinter.h"

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

using Counts = PartsListPage::Counts;

constexpr qreal pointsPerMm = 72.0 / 25.4;
// Half a millimetre, in the points pdftotext reports.
constexpr qreal tolerancePt = 0.5 * pointsPerMm;

// One line of text as poppler found it on the page: its words joined by
// single blanks, the left and top edge of its first word and the right edge of
// its last, in points from the top-left corner of the sheet.
struct FoundLine
{
    QString text;
    qreal xMin = 0;
    qreal yMin = 0;
    qreal xMax = 0;
};

// Runs `pdftotext -bbox` and groups its words into lines by their top edge.
// Also reports the number of pages. The page's texts hold no characters that
// XML would escape, so the words are taken as they stand.
bool readPdf(const QString &pdftotext, const QString &pdfPath, QList<FoundLine> *lines, int *pages)
{
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return false;
    const QString html = QString::fromUtf8(process.readAllStandardOutput());

    *pages = int(html.count(QStringLiteral("<page ")));
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const FoundLine found{m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                              m.captured(3).toDouble()};
        if (!lines->isEmpty() && qAbs(lines->last().yMin - found.yMin) < 1.0) {
            lines->last().text += u' ' + found.text;
            lines->last().xMax = found.xMax;
        } else {
            lines->append(found);
        }
    }
    return true;
}

// The advance of `text` in points when set in the page's font.
qreal widthPt(const QString &text, bool bold, QPrinter &printer)
{
    QFont font(PartsListPage::fontFamily.toString());
    font.setPointSize(PartsListPage::fontPointSize);
    font.setBold(bold);
    return QFontMetricsF(font, &printer).horizontalAdvance(text) * 72.0 / printer.logicalDpiX();
}

} // namespace

class TestPartsListPrinter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void linesOnPaper_data();
    void linesOnPaper();
    void unwritableFileFails();
};

void TestPartsListPrinter::linesOnPaper_data()
{
    QTest::addColumn<QPrinter::PrinterMode>("mode");
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    // Null keeps the margins QPrinter starts with.
    QTest::addColumn<std::optional<QMarginsF>>("marginsMm");
    QTest::addColumn<Counts>("counts");
    QTest::addColumn<QStringList>("expectedPieceLines");

    const Counts gappy{QStringLiteral("2"), QString(), QStringLiteral("1"),
                       QString(),           QString(), QString(),
                       QString(),           QString(), QStringLiteral("3")};
    const QStringList gappyLines{QStringLiteral("2 Stck 24 360"), QStringLiteral("1 Stck 24 229"),
                                 QStringLiteral("3 Stck 24 064")};
    Counts all;
    all.fill(QStringLiteral("1"));
    const QStringList allLines{QStringLiteral("1 Stck 24 360"), QStringLiteral("1 Stck 24 236"),
                               QStringLiteral("1 Stck 24 229"), QStringLiteral("1 Stck 24 188"),
                               QStringLiteral("1 Stck 24 172"), QStringLiteral("1 Stck 24 094"),
                               QStringLiteral("1 Stck 24 077"), QStringLiteral("1 Stck 24 071"),
                               QStringLiteral("1 Stck 24 064")};

    // Different resolutions catch a millimetre conversion that assumes one;
    // different margins catch an origin on the sheet instead of the
    // printable area.
    QTest::newRow("A4 high resolution, Qt's margins")
        << QPrinter::HighResolution << QPageSize::A4 << QPageLayout::Portrait
        << std::optional<QMarginsF>() << gappy << gappyLines;
    QTest::newRow("A4 screen resolution, 25 mm left and 40 mm top")
        << QPrinter::ScreenResolution << QPageSize::A4 << QPageLayout::Portrait
        << std::optional(QMarginsF(25, 40, 15, 15)) << gappy << gappyLines;
    QTest::newRow("A5 landscape, no margins, all nine pieces")
        << QPrinter::HighResolution << QPageSize::A5 << QPageLayout::Landscape
        << std::optional(QMarginsF(0, 0, 0, 0)) << all << allLines;
    QTest::newRow("Letter screen resolution, 7 mm margins, all nine pieces")
        << QPrinter::ScreenResolution << QPageSize::Letter << QPageLayout::Portrait
        << std::optional(QMarginsF(7, 7, 7, 7)) << all << allLines;
}

void TestPartsListPrinter::linesOnPaper()
{
    QFETCH(QPrinter::PrinterMode, mode);
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QPageLayout::Orientation, orientation);
    using OptionalMargins = std::optional<QMarginsF>;
    QFETCH(OptionalMargins, marginsMm);
    QFETCH(Counts, counts);
    QFETCH(QStringList, expectedPieceLines);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed; tools/setup.sh installs it");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdfPath = dir.filePath(QStringLiteral("stueckliste.pdf"));

    QPrinter printer(mode);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageSize(QPageSize(paper));
    printer.setPageOrientation(orientation);
    if (marginsMm)
        QVERIFY(printer.setPageMargins(*marginsMm, QPageLayout::Millimeter));
    const QPointF originMm = printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();

    const PartsListPage page(QStringLiteral("1.234,5"), counts);
    QString error;
    QVERIFY2(PartsListPrinter().print(printer, page, &error), qPrintable(error));
    QVERIFY(error.isEmpty());

    QList<FoundLine> found;
    int pages = 0;
    QVERIFY(readPdf(pdftotext, pdfPath, &found, &pages));
    QCOMPARE(pages, 1);

    QStringList expectedTexts{QStringLiteral("Stückliste märklin C-Gleis"),
                              QStringLiteral("Distanz: 1.234,5 mm")};
    expectedTexts += expectedPieceLines;
    QStringList foundTexts;
    for (const FoundLine &line : std::as_const(found))
        foundTexts.append(line.text);
    QCOMPARE(foundTexts, expectedTexts);

    // poppler's yMin is the baseline minus the font's ascent, the same ascent
    // the printer adds to place the baseline below the line's top (Liberation
    // Sans, standing in for Arial, gives 0.905 em to both), so yMin is the
    // line's top and is compared with it directly. xMin is the left edge of
    // the first glyph's advance box, which starts at the pen position.
    // The weight shows in the line's width: it has to be nearer the width of
    // the text in its own weight than in the other one.
    for (qsizetype i = 0; i < found.size(); ++i) {
        const PartsListPage::Line &line = page.lines().at(i);
        const FoundLine &got = found.at(i);
        const qreal expectedX = (originMm.x() + line.xMm) * pointsPerMm;
        const qreal expectedY = (originMm.y() + line.yMm) * pointsPerMm;
        QVERIFY2(qAbs(got.xMin - expectedX) <= tolerancePt,
                 qPrintable(QStringLiteral("%1: x %2 pt, expected %3 pt")
                                .arg(got.text)
                                .arg(got.xMin)
                                .arg(expectedX)));
        QVERIFY2(qAbs(got.yMin - expectedY) <= tolerancePt,
                 qPrintable(QStringLiteral("%1: y %2 pt, expected %3 pt")
                                .arg(got.text)
                                .arg(got.yMin)
                                .arg(expectedY)));

        const qreal width = got.xMax - got.xMin;
        const qreal ownWeight = widthPt(line.text, line.bold, printer);
        const qreal otherWeight = widthPt(line.text, !line.bold, printer);
        QVERIFY2(qAbs(width - ownWeight) < qAbs(width - otherWeight),
                 qPrintable(QStringLiteral("%1: %2 pt wide, %3 pt expected for its weight")
                                .arg(got.text)
                                .arg(width)
                                .arg(ownWeight)));
    }
}

void TestPartsListPrinter::unwritableFileFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString pdfPath = dir.filePath(QStringLiteral("fehlt/stueckliste.pdf"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);

    const PartsListPage page(QStringLiteral("360,0"), Counts{QStringLiteral("1")});
    QString error;
    QVERIFY(!PartsListPrinter().print(printer, page, &error));
    // The user has to learn which file could not be written.
    QVERIFY2(error.contains(pdfPath), qPrintable(error));
    QVERIFY(!QFile::exists(pdfPath));
}

QTEST_MAIN(TestPartsListPrinter)
#include "tst_partslistprinter.moc"
