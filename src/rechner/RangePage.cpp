#include "RangePage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

bool RangePage::print(QPrinter &printer, const QStringList &lines, QString *error)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("Der Drucker ließ sich nicht öffnen.");
        return false;
    }
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(0, 0, page.width(), page.height());
    QFont font(QStringLiteral("Sans Serif"));
    font.setPointSizeF(11.0);
    // Shrinks the text until every line fits on the one page.
    for (;;) {
        const QFontMetricsF metrics(font, &printer);
        if (metrics.lineSpacing() * (lines.size() + 1) <= area.height() || font.pointSizeF() <= 4.0)
            break;
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);
    const double column = area.width() / 5.0;
    double y = metrics.ascent();
    for (const QString &line : lines) {
        const QStringList cells = line.split(u'\t');
        QFont lineFont = font;
        lineFont.setBold(cells.size() == 1 && !line.isEmpty());
        painter.setFont(lineFont);
        for (int i = 0; i < cells.size(); ++i)
            painter.drawText(QPointF(i * (cells.size() == 2 ? column * 1.5 : column), y), cells[i]);
        y += metrics.lineSpacing();
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("Der Drucker hat die Seite nicht angenommen.");
        return false;
    }
    return true;
}
