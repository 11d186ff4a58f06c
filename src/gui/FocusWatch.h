#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Runs `gotFocus` whenever `control` receives the keyboard focus, by Tab or
// by mouse. A mouse press that gives the focus goes on to place the cursor,
// which would undo a selection made on focus, so `gotFocus` runs once more
// after that press.
class FocusWatch : public QObject
{
    Q_OBJECT

public:
    FocusWatch(QWidget *control, std::function<void()> gotFocus);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> m_gotFocus;
    bool m_clickGaveFocus = false;
};
