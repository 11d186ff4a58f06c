#pragma once

#include <QLineEdit>

// The length box. A stock QLineEdit drops the selection of a box without
// the focus whenever its window is activated again, as it is when a message
// box closes. This box keeps it: a refused length stays selected for the
// next entry however the search was started, without taking the focus.
class LengthBox : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *event) override;
};
