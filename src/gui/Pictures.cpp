#include "Pictures.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

// Device pixels: the picture's own size fitted into `size`.
QPixmap render(const QString &path, const QSize &size)
{
    // Only the SVG reader, without trying the other image plugins first.
    QImageReader reader(path, QByteArrayLiteral("svg"));
    reader.setAutoDetectImageFormat(false);
    QSize fitted = reader.size();
    if (fitted.isEmpty() || size.isEmpty())
        return {};
    fitted.scale(size, Qt::KeepAspectRatio);
    reader.setScaledSize(fitted);
    return QPixmap::fromImage(reader.read());
}

class SvgIconEngine : public QIconEngine
{
public:
    explicit SvgIconEngine(QString path) : m_path(std::move(path)) {}

    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const quint64 key =
            (quint64(size.width()) << 34) | (quint64(size.height()) << 4) | quint64(mode);
        const auto cached = m_pixmaps.constFind(key);
        if (cached != m_pixmaps.constEnd())
            return *cached;
        QPixmap picture = render(m_path, size);
        // Disabled and selected pictures look as the style makes them from
        // the normal one, as with Qt's own SVG icons.
        if (mode != QIcon::Normal && !picture.isNull()) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            const QPixmap generated =
                QApplication::style()->generatedIconPixmap(mode, picture, &option);
            if (!generated.isNull())
                picture = generated;
        }
        m_pixmaps.insert(key, picture);
        return picture;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap picture = pixmap(rect.size() * ratio, mode, state);
        picture.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), picture);
    }

    QIconEngine *clone() const override { return new SvgIconEngine(m_path); }
    QString key() const override { return QStringLiteral("TorvelinSvg"); }

private:
    QString m_path;
    QHash<quint64, QPixmap> m_pixmaps;
};

} // namespace

QIcon Pictures::icon(const QString &path)
{
    return QIcon(new SvgIconEngine(path));
}

QPixmap Pictures::pixmap(const QString &path, const QSize &size, qreal devicePixelRatio)
{
    QPixmap picture = render(path, size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    return picture;
}
