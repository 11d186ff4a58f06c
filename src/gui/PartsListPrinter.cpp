#include "PartsListPrinter.h"

#include "core/PartsListPage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <QPrinter>

namespace {

// Why the printer could not be opened, naming what the user chose: the file
// when printing to a file, else the printer.
QString openFailure(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return u"Die Datei „" % printer.outputFileName() %
               u"“ konnte nicht zum Schreiben geöffnet werden.";
    if (!printer.printerName().isEmpty())
        return u"Der Drucker „" % printer.printerName() % u"“ konnte nicht geöffnet werden.";
    return QStringLiteral("Der Drucker konnte nicht geöffnet werden.");
}

QString printFailure(const QPrinter &printer)
{
    if (!printer.outputFileName().isEmpty())
        return u"Die Datei „" % printer.outputFileName() % u"“ konnte nicht geschrieben werden.";
    if (!printer.printerName().isEmpty())
        return u"Beim Drucken auf „" % printer.printerName() % u"“ ist ein Fehler aufgetreten.";
    return QStringLiteral("Beim Drucken ist ein Fehler aufgetreten.");
}

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

QFont lineFont(bool bold)
{
    QFont font(PartsListPage::fontFamily.toString());
    font.setPointSize(PartsListPage::fontPointSize);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

} // namespace

bool PartsListPrinter::print(QPrinter &printer, const PartsListPage &page, QString *error)
{
    // The printer stays in its default page mode, so the painter's origin is
    // the top-left corner of the printable area, where the page's coordinates
    // start.
    QPainter painter;
    if (!painter.begin(&printer)) {
        setError(error, openFailure(printer));
        return false;
    }

    const qreal dotsPerMmX = printer.logicalDpiX() / 25.4;
    const qreal dotsPerMmY = printer.logicalDpiY() / 25.4;

    for (const PartsListPage::Line &line : page.lines()) {
        const QFont font = lineFont(line.bold);
        painter.setFont(font);
        // The page places a line by its top-left corner, drawText() by its
        // baseline, which lies one ascent below the top.
        const qreal ascent = QFontMetricsF(font, &printer).ascent();
        painter.drawText(QPointF(line.xMm * dotsPerMmX, line.yMm * dotsPerMmY + ascent), line.text);

        if (printer.printerState() == QPrinter::Error) {
            // Ending the document would hand the half-printed page over as
            // finished. Aborted, the job is dropped by the engines that can
            // drop one, before the painter releases the printer.
            printer.abort();
            setError(error, printFailure(printer));
            return false;
        }
    }

    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        setError(error, printFailure(printer));
        return false;
    }
    return true;
}
