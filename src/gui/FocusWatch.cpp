#include "FocusWatch.h"

#include <QFocusEvent>
#include <QWidget>

FocusWatch::FocusWatch(QWidget *control, std::function<void()> gotFocus)
    : QObject(control), m_gotFocus(std::move(gotFocus))
{
    control->installEventFilter(this);
}

bool FocusWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        m_gotFocus();
        m_clickGaveFocus = static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason;
    } else if (event->type() == QEvent::MouseButtonPress && m_clickGaveFocus) {
        m_clickGaveFocus = false;
        watched->event(event);
        m_gotFocus();
        return true;
    }
    return false;
}
