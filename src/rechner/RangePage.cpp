#include "RangePage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

RangePage::Columns RangePage::columns(const QStringList &lines,
                                      const std::function<double(const QString &)> &widthOf,
                                      double pageWidth, double gap)
{
    Columns result;
    for (const QString &line : lines) {
        const QStringList cells = line.split(u'\t');
        if (cells.size() < 3)
            continue;
        if (result.width.size() < cells.size())
            result.width.resize(cells.size(), 0.0);
        for (qsizetype i = 0; i < cells.size(); ++i)
            result.width[i] = qMax(result.width[i], widthOf(cells[i]));
    }
    if (result.width.isEmpty())
        return result;
    double needed = gap * double(result.width.size() - 1);
    for (const double width : std::as_const(result.width))
        needed += width;
    if (needed > pageWidth) {
        double &widest = *std::max_element(result.width.begin(), result.width.end());
        widest = qMax(0.0, widest - (needed - pageWidth));
    }
    double x = 0.0;
    for (const double width : std::as_const(result.width)) {
        result.left << x;
        x += width + gap;
    }
    return result;
}

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
    // The tables' columns as wide as their texts, so that a long piece text
    // never runs into the prices beside it.
    const Columns table = columns(
        lines, [&metrics](const QString &text) { return metrics.horizontalAdvance(text); },
        area.width(), metrics.horizontalAdvance(QStringLiteral("MMM")));
    const double labelColumn = area.width() / 5.0 * 1.5;
    double y = metrics.ascent();
    for (const QString &line : lines) {
        const QStringList cells = line.split(u'\t');
        QFont lineFont = font;
        lineFont.setBold(cells.size() == 1 && !line.isEmpty());
        painter.setFont(lineFont);
        for (int i = 0; i < cells.size(); ++i) {
            if (cells.size() < 3) {
                painter.drawText(QPointF(i * labelColumn, y), cells[i]);
                continue;
            }
            const QString text =
                metrics.elidedText(cells[i], Qt::ElideRight, table.width.value(i) + 0.5);
            painter.drawText(QPointF(table.left.value(i), y), text);
        }
        y += metrics.lineSpacing();
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("Der Drucker hat die Seite nicht angenommen.");
        return false;
    }
    return true;
}
