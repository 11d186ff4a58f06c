#include "QtInteraction.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrinter>

void QtInteraction::showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                                const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtInteraction::beep()
{
    QApplication::beep();
}

bool QtInteraction::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    // One page of a parts list: there is no selection to print. Printing to
    // a file stays on, since on a machine without printers it is the only
    // way to keep the page (as a PDF).
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    printer.setCopyCount(1);
    return dialog.exec() == QDialog::Accepted;
}

QString QtInteraction::chooseSaveFile(QWidget *parent, const QString &title,
                                      const QString &suggestedName, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(suggestedName),
                                        filter);
}
