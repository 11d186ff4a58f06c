#include "RechnerStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QPointer>

namespace {

// A white cross on a dark grey disc, the common clear symbol, drawn as
// vectors into whatever rectangle the button asks for.
class ClearSymbol : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override
    {
        const qreal side = qMin(rect.width(), rect.height());
        const QRectF disc(QPointF(rect.center()) - QPointF(side, side) / 2 + QPointF(0.5, 0.5),
                          QSizeF(side, side));
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0x50, 0x50, 0x50));
        painter->drawEllipse(disc.adjusted(side / 16, side / 16, -side / 16, -side / 16));
        const qreal arm = side * 0.19;
        const QPointF c = disc.center();
        painter->setPen(QPen(Qt::white, side / 8, Qt::SolidLine, Qt::RoundCap));
        painter->drawLine(c + QPointF(-arm, -arm), c + QPointF(arm, arm));
        painter->drawLine(c + QPointF(-arm, arm), c + QPointF(arm, -arm));
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // `size` in device pixels, as QIcon asks for them.
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), pixmap.size()), mode, state);
        painter.end();
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    QIconEngine *clone() const override { return new ClearSymbol; }
    QString key() const override { return QStringLiteral("torvelin-clear"); }
};

// The base style's symbol, read on first use.
class OnFirstUse : public QIconEngine
{
public:
    OnFirstUse(QStyle *style, QStyle::StandardPixmap which) : m_style(style), m_which(which) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override
    {
        return icon().pixmap(size / scale, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    QIconEngine *clone() const override { return new OnFirstUse(*this); }

private:
    const QIcon &icon()
    {
        if (!m_read && m_style) {
            m_icon = m_style->standardIcon(m_which);
            m_read = true;
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_read = false;
};

} // namespace

QIcon RechnerStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                 const QWidget *widget) const
{
    switch (standardIcon) {
    case SP_LineEditClearButton:
        return QIcon(new ClearSymbol);
    case SP_ToolBarHorizontalExtensionButton:
    case SP_ToolBarVerticalExtensionButton:
        return QIcon(new OnFirstUse(baseStyle(), standardIcon));
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}
