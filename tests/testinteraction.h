#pragma once

#include "gui/FrmTorvelin.h"
#include "gui/Interaction.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

// Stands in for the user: records every message as "Icon: title: text" and
// every beep, answers the printer dialog by choosing a PDF file (or by
// cancelling) and the save-file dialog with `savePath`.
class TestInteraction : public Interaction
{
public:
    QStringList messages;
    int beeps = 0;
    bool acceptPrinter = true;
    QString pdfPath;
    QString savePath; // the save-file dialog's answer; empty: cancelled
    QStringList saveDialogs;

    void showMessage(QWidget *, QMessageBox::Icon icon, const QString &title,
                     const QString &text) override
    {
        const char *iconName = QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(icon);
        messages << QString::fromLatin1(iconName) + u": " + title + u": " + text;
    }
    void beep() override { ++beeps; }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return acceptPrinter;
    }
    QString chooseSaveFile(QWidget *, const QString &title, const QString &suggestedName,
                           const QString &filter) override
    {
        saveDialogs << title + u": " + suggestedName + u": " + filter;
        return savePath;
    }
};

class WindowFixture
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    TestInteraction m_ui;
    std::unique_ptr<FrmTorvelin> m_w;

    QString iniPath() const { return m_dir->filePath(QStringLiteral("Torvelin.ini")); }
    // A fresh window in a folder of its own, started on `settings` as its
    // settings file (no file when null); it saves to `savePath`, by default
    // the same file.
    void openWindow(const QByteArray &settings = {}, const QString &savePath = {})
    {
        m_dir = std::make_unique<QTemporaryDir>();
        if (QFile file(iniPath()); !settings.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(settings) == settings.size());
        m_ui = TestInteraction();
        m_ui.pdfPath = m_dir->filePath(QStringLiteral("page.pdf"));
        restart(savePath);
    }
    // A new window on the same folder, as a new start of the program.
    void restart(const QString &savePath = {})
    {
        m_w.reset();
        m_w = std::make_unique<FrmTorvelin>(
            m_ui, SettingsLocation::Paths{iniPath(), savePath.isEmpty() ? iniPath() : savePath});
    }
    void showWindow()
    {
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
    }
    void dropAll() { m_w.reset(), m_dir.reset(); }
    QByteArray saved() const
    {
        QFile in(iniPath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    template <typename T = QLineEdit> T *child(const QString &name) const
    {
        T *widget = m_w->findChild<T *>(name);
        return widget ? widget : (qFatal("no control %s", qPrintable(name)), nullptr);
    }
    QTableView *grid(const QString &name = QStringLiteral("grdTabelle")) const
    {
        return child<QTableView>(name);
    }
    QString cell(int row, int column, const QString &gridName = QStringLiteral("grdTabelle")) const
    {
        return grid(gridName)->model()->index(row, column).data().toString();
    }
    // `text` typed into a box in place of what it held.
    void type(const QString &box, const QString &text)
    {
        child(box)->selectAll();
        if (text.isEmpty())
            QTest::keyClick(child(box), Qt::Key_Backspace);
        QTest::keyClicks(child(box), text);
    }
    // A search as the user starts it; a null tolerance leaves both boxes as
    // they stand.
    void search(const QString &length, const QString &tolerance = QStringLiteral("0"))
    {
        if (!tolerance.isNull()) {
            type(QStringLiteral("txtToleranz(0)"), tolerance);
            type(QStringLiteral("txtToleranz(1)"), tolerance);
        }
        type(QStringLiteral("txtLaenge"), length);
        QTest::mouseClick(child<QPushButton>(QStringLiteral("btnStart")), Qt::LeftButton);
    }
};
