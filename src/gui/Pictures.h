#pragma once

#include <QIcon>

class QPixmap;
class QSize;
class QString;

// The window's pictures, drawn from their SVG files in the resources.
//
// They are drawn by Qt's SVG renderer directly: Qt's generic loading would
// first search and load the image plugins and the SVG icon engine, which
// costs more of the start than drawing the pictures. Each is drawn when it is
// first painted, at the pixel ratio of the screen it is painted on.
namespace Pictures {

// An icon of the SVG picture at `path`, for any size and pixel ratio.
QIcon icon(const QString &path);

// The picture at `path`, fitted into `size` (device-independent pixels) with
// its proportions kept, drawn for `devicePixelRatio`; null where it cannot be
// read.
QPixmap pixmap(const QString &path, const QSize &size, qreal devicePixelRatio);

} // namespace Pictures
