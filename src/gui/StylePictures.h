#pragma once

// Header-only, for both windows: the Gleisrechner links nothing of the main
// window's library.

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>
#include <QString>

namespace StylePictures {

// Qt's Fusion style draws every group-box frame from a PNG of its own,
// loaded by file name: Qt's image reader would then load and ask every image
// plugin before its own PNG reader. Read here with the PNG reader named, it
// goes into the pixmap cache under the key QPixmap::load() looks for, where
// the style finds it. Should that key ever differ, the style loads the file
// itself as before.
inline void preloadGroupBoxFrame()
{
    const QFileInfo file(
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"));
    QImageReader reader(file.absoluteFilePath(), QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return;
    // Qt writes each number's bytes from the lowest, low half-byte first.
    const auto hex = [](quint64 value, int digits) {
        QString text;
        for (int d = 0; d < digits; d += 2, value >>= 8)
            text += QLatin1Char("0123456789abcdef"[value & 0xf]) +
                    QLatin1Char("0123456789abcdef"[(value >> 4) & 0xf]);
        return text;
    };
    // Path, date, size and the pixel type (0: a pixmap, not a bitmap).
    QPixmapCache::insert(u"qt_pixmap" + file.absoluteFilePath() +
                             hex(quint32(file.lastModified().toSecsSinceEpoch()), 8) +
                             hex(quint64(file.size()), 16) + hex(0, 8),
                         QPixmap::fromImage(image));
}

} // namespace StylePictures
