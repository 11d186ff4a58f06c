#include "FixedOuterSize.h"

#include "core/WindowPlacement.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

FixedOuterSize::FixedOuterSize(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
    fit();
}

void FixedOuterSize::fit()
{
    QWindow *handle = m_window->windowHandle();
    const QSize client = WindowPlacement::clientSize(handle ? handle->frameMargins() : QMargins());
    if (client != m_window->size() || m_window->minimumSize() != m_window->maximumSize())
        m_window->setFixedSize(client);
}

bool FixedOuterSize::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        // The platform window exists from now on; it learns of the frame.
        if (watched == m_window)
            m_window->windowHandle()->installEventFilter(this);
        fit();
        break;
    case QEvent::Move:
    case QEvent::Expose:
        fit();
        break;
    default:
        break;
    }
    return false;
}
