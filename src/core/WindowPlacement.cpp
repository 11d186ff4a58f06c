#include "WindowPlacement.h"

#include <algorithm>
#include <cmath>
#include <limits>

int WindowPlacement::toPixels(double twips)
{
    const double pixels = std::round(twips / twipsPerPixel);
    return int(std::clamp(pixels, -1e6, 1e6));
}

float WindowPlacement::toTwips(int pixels)
{
    return float(pixels) * twipsPerPixel;
}

QSize WindowPlacement::clientSize(const QMargins &frame)
{
    const QSize client =
        outerSize.shrunkBy(QMargins(std::max(frame.left(), 0), std::max(frame.top(), 0),
                                    std::max(frame.right(), 0), std::max(frame.bottom(), 0)));
    return client.expandedTo(QSize(1, 1));
}

QPoint WindowPlacement::bringIntoView(const QRect &frame, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return frame.topLeft();
    // The title bar is what the user needs to reach to move the window: ask
    // for a strip of it, 100 by 20 pixels, to be on some screen.
    constexpr int grip = 20;
    const QRect titleBar(frame.left(), frame.top(), frame.width(), grip);
    for (const QRect &screen : screens) {
        const QRect visible = screen.intersected(titleBar);
        if (visible.width() >= std::min(100, frame.width()) && visible.height() >= grip)
            return frame.topLeft();
    }

    const QRect *nearest = &screens.first();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect &screen : screens) {
        const qint64 dx = qint64(screen.center().x()) - frame.center().x();
        const qint64 dy = qint64(screen.center().y()) - frame.center().y();
        const qint64 distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    const int x = std::clamp(frame.left(), nearest->left(),
                             std::max(nearest->left(), nearest->right() - frame.width() + 1));
    const int y = std::clamp(frame.top(), nearest->top(),
                             std::max(nearest->top(), nearest->bottom() - frame.height() + 1));
    return QPoint(x, y);
}

WindowPlacement::StoredPosition
WindowPlacement::StoredPosition::fromTwips(std::optional<float> left, std::optional<float> top)
{
    const QPointF twips(left.value_or(0.0f), top.value_or(0.0f));
    return {twips, QPoint(toPixels(twips.x()), toPixels(twips.y()))};
}

QPointF WindowPlacement::StoredPosition::twipsFor(QPoint now) const
{
    if (now == pixels)
        return twips;
    return QPointF(toTwips(now.x()), toTwips(now.y()));
}
