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
#include <QTimer>

// Stands in for the user: records every message as "Icon: title: text",
// takes the window's activation away and back as a message box does, counts
// every beep, prints to a PDF file and answers the save-file dialog with
// `savePath` (empty: cancelled).
class TestInteraction : public Interaction
{
public:
    QStringList messages;
    int beeps = 0;
    QString pdfPath;
    QString savePath;
    bool activationReturnsLater = false;

    void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title,
                     const QString &text) override
    {
        const char *iconName = QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(icon);
        messages << QString::fromLatin1(iconName) + u": " + title + u": " + text;
        // A modal box takes the activation from its window while it is open
        // and gives it back as it closes; under a window manager, only once
        // the event loop runs again.
        if (QWidget *window = parent ? parent->window() : nullptr;
            window && window->isActiveWindow()) {
            QApplication::setActiveWindow(nullptr);
            if (activationReturnsLater)
                QTimer::singleShot(0, window, [window] { QApplication::setActiveWindow(window); });
            else
                QApplication::setActiveWindow(window);
        }
    }
    void beep() override { ++beeps; }
    bool choosePrinter(QWidget *, QPrinter &printer) override
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        return true;
    }
    QString chooseSaveFile(QWidget *, const QString &, const QString &, const QString &) override
    {
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
    // A fresh window in the German locale, shown, in a folder of its own,
    // started on `settings` as its settings file (no file when null).
    void openWindow(const QByteArray &settings = {})
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_dir = std::make_unique<QTemporaryDir>();
        if (QFile file(iniPath()); !settings.isNull())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(settings) == settings.size());
        m_ui = TestInteraction();
        restart();
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
    }
    // A new window on the same folder, as a new start of the program; it
    // saves to `savePath`, by default the file it read.
    void restart(const QString &savePath = {})
    {
        m_w.reset();
        m_w = std::make_unique<FrmTorvelin>(
            m_ui, SettingsLocation::Paths{iniPath(), savePath.isEmpty() ? iniPath() : savePath});
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
    // A search as the user starts it, each box's text replaced by typing; a
    // null tolerance leaves both tolerance boxes as they stand.
    void search(const QString &length, const QString &tolerance = QStringLiteral("0"))
    {
        const QString boxes[] = {QStringLiteral("txtToleranz(0)"), QStringLiteral("txtToleranz(1)"),
                                 QStringLiteral("txtLaenge")};
        for (int i = tolerance.isNull() ? 2 : 0; i < 3; ++i) {
            child(boxes[i])->selectAll();
            QTest::keyClicks(child(boxes[i]), i < 2 ? tolerance : length);
        }
        QTest::mouseClick(child<QPushButton>(QStringLiteral("btnStart")), Qt::LeftButton);
    }
};
