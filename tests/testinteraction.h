#pragma once

#include "app/FrmTorvelin.h"
#include "app/Interaction.h"

#include <QLineEdit>
#include <QList>
#include <QPrinter>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Stands in for the user: records every message and beep, and answers the
// printer dialog by choosing a PDF file (or by cancelling).
class TestInteraction : public Interaction
{
public:
    struct Message
    {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };

    QList<Message> messages;
    int beeps = 0;
    bool acceptPrinter = true;
    QString pdfPath; // where the chosen "printer" writes

    void showMessage(QWidget *, QMessageBox::Icon icon, const QString &title,
                     const QString &text) override
    {
        messages.append({icon, title, text});
    }
    void beep() override { ++beeps; }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        if (!acceptPrinter)
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
};

// What each window test starts from: a folder of its own for the settings
// file and the printout, the fake in place of the user, a fresh window.
class WindowFixture
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    TestInteraction m_ui;
    std::unique_ptr<FrmTorvelin> m_w;

    void makeFolder()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }
    QString iniPath() const { return m_dir->filePath(QStringLiteral("Torvelin.ini")); }
    // Opens the window on the settings at `readPath` (none when empty); it
    // saves to iniPath() when closed.
    void openWindow(const QString &readPath)
    {
        m_ui = TestInteraction();
        m_ui.pdfPath = m_dir->filePath(QStringLiteral("page.pdf"));
        m_w = std::make_unique<FrmTorvelin>(m_ui, SettingsLocation::Paths{readPath, iniPath()});
    }
    void dropAll()
    {
        m_w.reset();
        m_dir.reset();
    }
    template <typename T = QLineEdit> T *child(const QString &name) const
    {
        T *widget = m_w->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
};
