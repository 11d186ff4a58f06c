#pragma once

#include <QScrollBar>

// A tolerance's horizontal scroll bar. A stock horizontal QScrollBar inverts
// its controls, so that the wheel scrolls as it does in a scroll area; in
// Qt that also turns the Left and Right keys round. Here Left and Right move
// the thumb the way the arrow points, whichever way the bar runs; the
// wheel, the mouse and the other keys stay as the stock bar has them.
class ToleranceBar : public QScrollBar
{
    Q_OBJECT

public:
    explicit ToleranceBar(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
