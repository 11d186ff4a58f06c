#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Window positions: twips as stored, pixels as shown, and a stored position
// that would put the window off every screen brought back into view.
class WindowPlacement
{
public:
    static constexpr int twipsPerPixel = 15;

    static int toPixels(double twips);
    static float toTwips(int pixels);

    // The top-left corner for a window of `frame` (its stored place and
    // outer size): unchanged when enough of its title bar lies on a screen,
    // else moved inside the nearest screen's available area.
    static QPoint bringIntoView(const QRect &frame, const QList<QRect> &screens);
};
