#include "ToleranceBar.h"

#include <QKeyEvent>

ToleranceBar::ToleranceBar(QWidget *parent) : QScrollBar(Qt::Horizontal, parent) {}

void ToleranceBar::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key != Qt::Key_Left && key != Qt::Key_Right) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    // The value grows to the right unless the bar is mirrored, by its layout
    // direction or by an inverted appearance (both together cancel out).
    const bool growsRight = isRightToLeft() == invertedAppearance();
    triggerAction((key == Qt::Key_Right) == growsRight ? SliderSingleStepAdd : SliderSingleStepSub);
    event->accept();
}
