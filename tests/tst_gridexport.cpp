#include "testinteraction.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTest>

using namespace Qt::StringLiterals;

// Copying and saving from the window's grids, driven through the real
// window's keys and context-menu actions.
class tst_GridExport : public QObject, WindowFixture
{
    Q_OBJECT

    QTableView *grid(const QString &name = u"grdTabelle"_s) const
    {
        return child<QTableView>(name);
    }
    QAction *action(const QString &gridName, const QString &name) const
    {
        auto *found = grid(gridName)->findChild<QAction *>(name);
        return found ? found : (qFatal("no action %s", qPrintable(name)), nullptr);
    }
    void search(const QString &length, const QString &minus = u"0"_s)
    {
        child(u"txtToleranz(0)"_s)->setText(minus);
        child(u"txtToleranz(1)"_s)->setText(u"0"_s);
        child(u"txtLaenge"_s)->setText(length);
        QTest::mouseClick(m_w->findChild<QPushButton *>(u"btnStart"_s), Qt::LeftButton);
    }
    // A results row as the grid displays it, read cell by cell.
    QString shown(int row) const
    {
        QStringList cells;
        for (int c = 0; c < 20; ++c)
            cells << grid()->model()->index(row, c).data().toString();
        return cells.join(u'\t') + u'\n';
    }
    void pressCopy(QWidget *widget)
    {
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    const QString header = u"L1\tL2\tL3\tL4\tL5\tL6\tL7\tL8\tL9\tLänge\tGl1\tGl2\tGl3\tGl4\tGl5\t"
                           "Gl6\tGl7\tGl8\tGl9\tPreis\n"_s;

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        openWindow();
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QGuiApplication::clipboard()->setText(u"untouched"_s);
    }
    void cleanup() { dropAll(); }

    void menus_data()
    {
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("results") << u"grdTabelle"_s
                                 << QStringList{u"Zeile kopieren"_s, u"Alle Zeilen kopieren"_s,
                                                u"Als CSV speichern …"_s};
        QTest::newRow("parts list") << u"grdStck"_s << QStringList{u"Stückliste kopieren"_s};
        QTest::newRow("prices: none") << u"grdPreise"_s << QStringList();
    }
    void menus()
    {
        QFETCH(QString, gridName);
        QFETCH(QStringList, texts);
        QStringList actual;
        for (const QAction *action : grid(gridName)->actions())
            actual << action->text();
        QCOMPARE(actual, texts);
        QCOMPARE(grid(gridName)->contextMenuPolicy(),
                 texts.isEmpty() ? Qt::DefaultContextMenu : Qt::ActionsContextMenu);
    }

    void copyRows()
    {
        search(u"1000"_s);
        QCOMPARE(grid()->currentIndex().row(), 0);
        pressCopy(grid());
        QVERIFY(clipboard().startsWith(
            u"360,0\t171,7\t171,7\t77,5\t77,5\t70,8\t70,8\t\t\t1.000,0\t24360\t24172\t24172\t"
            "24077\t24077\t24071\t24071\t\t\t"_s));
        QCOMPARE(clipboard(), shown(0));

        grid()->setCurrentIndex(grid()->model()->index(3, 5));
        pressCopy(grid());
        QCOMPARE(clipboard(), shown(3));

        action(u"grdTabelle"_s, u"actAlleZeilenKopieren"_s)->trigger();
        QCOMPARE(clipboard(), header + shown(0) + shown(1) + shown(2) + shown(3) + shown(4));
        // Copying moved neither the current row nor the order.
        QCOMPARE(grid()->currentIndex().row(), 3);
    }

    // The start-up row and a search that finds nothing are no rows to take.
    void nothingToCopy()
    {
        pressCopy(grid());
        action(u"grdTabelle"_s, u"actAlleZeilenKopieren"_s)->trigger();
        pressCopy(grid(u"grdStck"_s));
        search(u"110"_s);
        pressCopy(grid());
        QCOMPARE(clipboard(), u"untouched"_s);
    }

    void copyPartsList()
    {
        search(u"1000"_s);
        grid()->setCurrentIndex(grid()->model()->index(2, 0));
        pressCopy(grid(u"grdStck"_s));
        QCOMPARE(clipboard(), u"Stückliste märklin C-Gleis\nDistanz:\t1.000,0\tmm\n"
                              "1\tStck\t24 188\n3\tStck\t24 172\n2\tStck\t24 077\n"
                              "2\tStck\t24 071\n"_s);
        // The parts list and the focus order are the window's as before.
        QCOMPARE(grid(u"grdStck"_s)->model()->index(0, 5).data().toString(), u"3"_s);
    }

    // Ctrl+C belongs to the grids only while they have the focus.
    void textBoxKeepsItsCopy()
    {
        search(u"1000"_s, u"3"_s);
        QLineEdit *minus = child(u"txtToleranz(0)"_s);
        pressCopy(minus);
        minus->selectAll();
        QTest::keyClick(minus, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard(), u"3"_s);
    }

    void saveCsv()
    {
        search(u"360"_s);
        const QString path = m_dir->filePath(u"rows.csv"_s);
        m_ui.savePath = path;
        action(u"grdTabelle"_s, u"actAlsCsvSpeichern"_s)->trigger();
        QCOMPARE(m_ui.saveDialogs,
                 QStringList{u"Als CSV speichern: Torvelin.csv: CSV-Dateien (*.csv)"_s});
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QStringList lines = text.split(u"\r\n"_s);
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QString(header).replace(u'\t', u';').chopped(1));
        for (int row = 0; row < 3; ++row)
            QCOMPARE(lines.at(row + 1), shown(row).replace(u'\t', u';').chopped(1));
        QVERIFY(lines.at(1).startsWith(u"360,0;;;;;;;;;360,0;24360;;"_s));
        QVERIFY(m_ui.messages.isEmpty());
    }

    void saveCsvCancelledOrFailing()
    {
        search(u"360"_s);
        m_ui.savePath.clear();
        action(u"grdTabelle"_s, u"actAlsCsvSpeichern"_s)->trigger();
        QCOMPARE(m_ui.saveDialogs.size(), 1);
        QCOMPARE(QDir(m_dir->path()).entryList({u"*.csv"_s}), QStringList());
        QVERIFY(m_ui.messages.isEmpty());

        m_ui.savePath = m_dir->filePath(u"no such folder/rows.csv"_s);
        action(u"grdTabelle"_s, u"actAlsCsvSpeichern"_s)->trigger();
        QCOMPARE(m_ui.messages.size(), 1);
        QVERIFY2(m_ui.messages.first().startsWith(
                     u"Warning: Torvelin: Die Tabelle wurde nicht gespeichert.\n"_s),
                 qPrintable(m_ui.messages.first()));
    }
};

QTEST_MAIN(tst_GridExport)
#include "tst_gridexport.moc"
