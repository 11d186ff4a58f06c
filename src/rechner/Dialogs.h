#pragma once

#include <QString>

class QPrinter;
class QWidget;

// Everything of the Gleisrechner that waits for the user outside its window:
// messages, file choosers and the printer dialog. The program uses
// QtDialogs; tests put a double in its place that answers at once.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    virtual void tell(QWidget *parent, const QString &title, const QString &text) = 0;
    // A file to read; the empty text when cancelled.
    virtual QString openFile(QWidget *parent, const QString &title, const QString &filter) = 0;
    // A file to write, starting from `suggestedName`; the empty text when cancelled.
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &suggestedName,
                             const QString &filter) = 0;
    // Lets the user choose a printer or a PDF file; false when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
};

class QtDialogs : public Dialogs
{
public:
    void tell(QWidget *parent, const QString &title, const QString &text) override;
    QString openFile(QWidget *parent, const QString &title, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &suggestedName,
                     const QString &filter) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
};
