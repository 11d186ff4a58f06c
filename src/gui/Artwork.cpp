#include "Artwork.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

namespace {

const QColor windowBlue(128, 128, 255);
const QColor buttonFace(212, 208, 200);

// Two rails and sleepers seen from above, the program's own mark.
void drawTrack(QPainter &p, const QRectF &area, const QColor &rail, const QColor &sleeper)
{
    const int sleepers = std::max(3, int(area.width() / 5));
    const double step = area.width() / sleepers;
    p.setPen(Qt::NoPen);
    p.setBrush(sleeper);
    for (int i = 0; i < sleepers; ++i)
        p.drawRect(
            QRectF(area.left() + i * step + step * 0.2, area.top(), step * 0.6, area.height()));
    p.setBrush(rail);
    const double railHeight = std::max(1.0, area.height() / 7);
    p.drawRect(QRectF(area.left(), area.top() + area.height() * 0.25, area.width(), railHeight));
    p.drawRect(QRectF(area.left(), area.top() + area.height() * 0.75 - railHeight, area.width(),
                      railHeight));
}

} // namespace

QIcon Artwork::windowIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setBrush(windowBlue);
    p.setPen(QColor(0, 0, 192));
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
    drawTrack(p, QRectF(2, 3, 12, 10), QColor(40, 40, 40), QColor(140, 90, 40));
    return QIcon(pixmap);
}

QPixmap Artwork::sortPicture()
{
    QPixmap pixmap(23, 25);
    pixmap.fill(buttonFace);
    QPainter p(&pixmap);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 255));
    p.drawText(QRect(1, 1, 10, 11), Qt::AlignCenter, QStringLiteral("0"));
    p.setPen(QColor(255, 0, 0));
    p.drawText(QRect(1, 13, 10, 11), Qt::AlignCenter, QStringLiteral("9"));
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(16.5, 3), QPointF(16.5, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPolygon(QPolygonF({QPointF(12.5, 17), QPointF(20.5, 17), QPointF(16.5, 23)}));
    return pixmap;
}

QPixmap Artwork::printerSymbol()
{
    QPixmap pixmap(16, 14);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(4, 0, 7, 5); // paper going in
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(0, 5, 15, 6); // the printer's body
    p.setBrush(Qt::white);
    p.drawRect(3, 9, 9, 4); // the printed page
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(13, 7);
    return pixmap;
}

QPixmap Artwork::doorSymbol()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(90, 60, 30));
    p.drawRect(2, 1, 10, 14); // the frame, dark inside
    p.setBrush(QColor(190, 140, 80));
    p.drawPolygon(
        QPolygon({QPoint(2, 1), QPoint(8, 3), QPoint(8, 15), QPoint(2, 15)})); // open leaf
    p.setPen(QColor(255, 220, 0));
    p.drawPoint(7, 9);
    return pixmap;
}

QPixmap Artwork::logo()
{
    QPixmap pixmap(51, 33);
    pixmap.fill(windowBlue);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawTrack(p, QRectF(1, 20, 49, 11), QColor(220, 220, 220), QColor(110, 70, 30));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, 51, 19), Qt::AlignCenter, QStringLiteral("TV"));
    return pixmap;
}
