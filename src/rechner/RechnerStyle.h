#pragma once

#include <QProxyStyle>

// The platform's own style, but for the two symbols Qt's widgets ask for
// while the window is built: the line edit's clear button and the menu
// bar's overflow button.
//
// Qt keeps its own symbols as PNG files and reads each by file name. A read
// by file name first loads every image plugin installed, only to ask each
// whether it reads PNG; the menu bar alone did that before anything was on
// the screen. The clear symbol is drawn here instead, sharp at any scale;
// the overflow symbol, shown only when the menus do not fit, is the base
// style's own, read the first time it is drawn.
class RechnerStyle : public QProxyStyle
{
    Q_OBJECT

public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
