#pragma once

#include "Interaction.h"

// Real message boxes, the real beep and the real printer dialog.
class QtInteraction : public Interaction
{
public:
    void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                     const QString &text) override;
    void beep() override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
    QString chooseSaveFile(QWidget *parent, const QString &title, const QString &suggestedName,
                           const QString &filter) override;
};
