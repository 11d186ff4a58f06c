#include "LengthBox.h"

#include <QEvent>

bool LengthBox::event(QEvent *event)
{
    // QLineEdit's only step on activation is the one that deselects; the
    // widget's own (a repaint in the active colours) still runs. Passing
    // QLineEdit by is the point here.
    if (event->type() == QEvent::WindowActivate)
        // NOLINTNEXTLINE(bugprone-parent-virtual-call)
        return QWidget::event(event);
    return QLineEdit::event(event);
}
