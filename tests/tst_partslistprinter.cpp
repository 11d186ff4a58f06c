#include "core/PartsListPage.h"
#include "gui/PartsListPrinter.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Counts = PartsListPage::Counts;
constexpr qreal pointsPerMm = 72.0 / 25.4;

// One line of text as poppler found it: its words joined by single blanks,
// the left and top edge of its first word and the right edge of its last,
// in points from the sheet's top-left corner.
struct FoundLine
{
    QString text;
    qreal xMin, yMin, xMax;
};

// Groups the words `pdftotext -bbox` finds into lines by their top edge.
// The page holds no characters that XML would escape.
QList<FoundLine> linesOnPage(const QString &pdftotext, const QString &pdfPath)
{
    QProcess process;
    process.start(pdftotext, {u"-bbox"_s, pdfPath, u"-"_s});
    process.waitForFinished(-1);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re"));
    QList<FoundLine> lines;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const FoundLine found{m.captured(4), m.captured(1).toDouble(), m.captured(2).toDouble(),
                              m.captured(3).toDouble()};
        if (!lines.isEmpty() && qAbs(lines.last().yMin - found.yMin) < 1.0) {
            lines.last().text += u' ' + found.text;
            lines.last().xMax = found.xMax;
        } else {
            lines.append(found);
        }
    }
    return lines;
}

} // namespace

class TestPartsListPrinter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A resolution other than the common 300 dpi catches a millimetre
    // conversion that assumes one; margins catch an origin on the sheet
    // instead of the printable area.
    void linesOnPaper()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; tools/setup.sh installs it");

        QTemporaryDir dir;
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(u"stueckliste.pdf"_s));
        QVERIFY(
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A5), QPageLayout::Landscape,
                                              QMarginsF(25, 40, 15, 15), QPageLayout::Millimeter)));
        const QPointF originMm = printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
        const PartsListPage page(u"1.234,5"_s,
                                 Counts{{u"2"_s, {}, u"1"_s, {}, {}, {}, {}, {}, u"3"_s}});
        QVERIFY(PartsListPrinter::print(printer, page));

        const QList<FoundLine> found = linesOnPage(pdftotext, printer.outputFileName());
        QCOMPARE(found.size(), page.lines().size());
        // poppler's yMin is the baseline less the font's ascent, the ascent
        // the printer adds to the line's top to place the baseline; xMin is
        // where the pen starts. The weight shows in the width: it is nearer
        // the text's width in its own weight than in the other one.
        const auto widthPt = [&](const QString &text, bool bold) {
            QFont font(PartsListPage::fontFamily.toString(), PartsListPage::fontPointSize);
            font.setBold(bold);
            return QFontMetricsF(font, &printer).horizontalAdvance(text) * 72.0 /
                   printer.logicalDpiX();
        };
        for (qsizetype i = 0; i < found.size(); ++i) {
            const PartsListPage::Line &line = page.lines().at(i);
            const FoundLine &got = found.at(i);
            QCOMPARE(got.text, line.text.simplified());
            const QPointF expected = (originMm + QPointF(line.xMm, line.yMm)) * pointsPerMm;
            const QPointF off = QPointF(got.xMin, got.yMin) - expected;
            QVERIFY2(qAbs(off.x()) <= 0.5 * pointsPerMm && qAbs(off.y()) <= 0.5 * pointsPerMm,
                     qPrintable(u"%1: off by %2, %3 pt"_s.arg(got.text).arg(off.x()).arg(off.y())));
            const qreal width = got.xMax - got.xMin;
            QVERIFY2(qAbs(width - widthPt(line.text, line.bold)) <
                         qAbs(width - widthPt(line.text, !line.bold)),
                     qPrintable(got.text));
        }
    }

    void unwritableFileFails()
    {
        QTemporaryDir dir;
        QPrinter printer;
        printer.setOutputFileName(dir.filePath(u"fehlt/stueckliste.pdf"_s));
        QString error;
        QVERIFY(!PartsListPrinter::print(printer, PartsListPage(u"360,0"_s, {}), &error));
        // The user has to learn which file could not be written.
        QVERIFY2(error.contains(printer.outputFileName()), qPrintable(error));
    }
};

QTEST_MAIN(TestPartsListPrinter)
#include "tst_partslistprinter.moc"
