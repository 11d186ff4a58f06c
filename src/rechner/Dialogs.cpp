#include "Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

void QtDialogs::tell(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    box.exec();
}

QString QtDialogs::openFile(QWidget *parent, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, QDir::homePath(), filter);
}

QString QtDialogs::saveFile(QWidget *parent, const QString &title, const QString &suggestedName,
                            const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(suggestedName),
                                        filter);
}

bool QtDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    // Printing to a file is how a page is kept as a PDF, and the only way on
    // a machine without printers.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}
