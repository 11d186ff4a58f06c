#pragma once

// Ends the event loop once a window has been painted for the first time, so
// that a whole start, up to the first picture on the screen, can be timed
// from outside (tools/startup-bench.sh). Header-only: the bare Qt window the
// start is compared with uses it too without linking anything of Torvelin.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

class QuitAfterFirstPaint : public QObject
{
public:
    explicit QuitAfterFirstPaint(QWidget *window) : QObject(window)
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The children are painted in the same pass, before the timer
            // runs. exit() rather than quit(): quit() would close the window,
            // and closing saves the settings.
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};
