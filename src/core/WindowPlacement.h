#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <optional>

// Window positions and size: twips as stored, pixels as shown, a stored
// position that would put the window off every screen brought back into
// view.
namespace WindowPlacement {

inline constexpr int twipsPerPixel = 15;
// The window's outer size, frame included: 15360 x 11100 twips.
inline constexpr QSize outerSize{15360 / twipsPerPixel, 11100 / twipsPerPixel};

int toPixels(double twips);
float toTwips(int pixels);

// The client size that gives the outer size inside a frame of `frame`
// (none where nothing frames the window).
QSize clientSize(const QMargins &frame);

// The top-left corner for a window of `frame` (its stored place and outer
// size): unchanged when enough of its title bar lies on a screen, else moved
// inside the nearest screen's available area.
QPoint bringIntoView(const QRect &frame, const QList<QRect> &screens);

// A position as the settings file gave it, in twips, and the pixels that
// puts the window at (a missing coordinate counts as 0).
struct StoredPosition
{
    QPointF twips;
    QPoint pixels;

    static StoredPosition fromTwips(std::optional<float> left, std::optional<float> top);

    // The twips to store for a window whose frame stands at `now`. While it
    // still stands at `pixels` it keeps the stored twips: a pixel is 15 of
    // them, and a stored 1234 must not come back as 1230.
    QPointF twipsFor(QPoint now) const;
};

} // namespace WindowPlacement
