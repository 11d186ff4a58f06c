#include "Pictures.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

namespace {

// Device pixels: the picture's own size fitted into `size`.
QPixmap render(const QString &path, const QSize &size)
{
    // Qt's SVG renderer itself: its image plugin would first have Qt search
    // and load the image plugins, which costs more of the start than
    // drawing the pictures.
    QSvgRenderer renderer(path);
    QSize fitted = renderer.defaultSize();
    if (!renderer.isValid() || fitted.isEmpty() || size.isEmpty())
        return {};
    fitted.scale(size, Qt::KeepAspectRatio);
    QImage image(fitted, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
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
