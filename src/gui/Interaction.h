#pragma once

#include <QMessageBox>
#include <QString>

class QPrinter;
class QWidget;

// The window's one way to the user's attention and to the printer: message
// boxes, the beep and the printer dialog. The program uses QtInteraction;
// tests put a recording double in its place.
class Interaction
{
public:
    virtual ~Interaction() = default;

    virtual void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                             const QString &text) = 0;
    virtual void beep() = 0;
    // Lets the user choose where `printer` prints; false when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
    // Lets the user choose a file to save into, starting from `suggestedName`;
    // the empty text when cancelled (all a double that never saves needs).
    virtual QString chooseSaveFile(QWidget * /*parent*/, const QString & /*title*/,
                                   const QString & /*suggestedName*/, const QString & /*filter*/)
    {
        return QString();
    }
};
