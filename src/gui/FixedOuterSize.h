#pragma once

#include <QObject>

class QWidget;

// Keeps a top-level window at WindowPlacement's outer size: its client area
// is what the frame leaves. The frame is known only once the window manager
// has framed the window, and may change later, so the size follows it.
class FixedOuterSize : public QObject
{
    Q_OBJECT

public:
    explicit FixedOuterSize(QWidget *window);

    // Sets the client size for the frame the window has now.
    void fit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
