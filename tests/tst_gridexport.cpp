#include "filesizelimit.h"
#include "modeltest.h"
#include "testinteraction.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>

using namespace Qt::StringLiterals;

// Copying and saving from the window's grids, driven through the real
// window's keys and context-menu actions; the texts' format has its own tests.
class tst_GridExport : public QObject, WindowFixture
{
    Q_OBJECT

    void trigger(const QString &name) const
    {
        auto *found = grid()->findChild<QAction *>(name);
        QVERIFY2(found, qPrintable(name));
        found->trigger();
    }
    // Results rows `first` to `last` as the grid displays them, read cell
    // by cell, tab-separated.
    QString shown(int first, int last) const
    {
        const QStringList rows = modelRows(*grid()->model()).mid(first, last - first + 1);
        return QString(rows.join(u'\n') + u'\n').replace(u'|', u'\t');
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }

    const QString header = u"L1\tL2\tL3\tL4\tL5\tL6\tL7\tL8\tL9\tLänge\tGl1\tGl2\tGl3\tGl4\tGl5\t"
                           "Gl6\tGl7\tGl8\tGl9\tPreis\n"_s;

private Q_SLOTS:
    void init() { openWindow(); }
    void cleanup() { m_w.reset(), m_dir.reset(); }

    // Ctrl+C copies the current row, the menu all rows; neither moves the
    // current row. Ctrl+C belongs to the grids only while they have the focus.
    void copyRows()
    {
        search(u"1000"_s);
        grid()->setCurrentIndex(grid()->model()->index(3, 5));
        grid()->setFocus();
        QTRY_VERIFY(grid()->hasFocus());
        QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard(), shown(3, 3));
        trigger(u"actAlleZeilenKopieren"_s);
        QCOMPARE(clipboard(), header + shown(0, 4));
        QCOMPARE(grid()->currentIndex().row(), 3);
        QLineEdit *minus = child(u"txtToleranz(0)"_s);
        minus->setFocus();
        minus->selectAll();
        QTest::keyClick(minus, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard(), u"0"_s);
    }

    // The rows saved with ";" between cells. A cancelled dialog saves
    // nothing; a save that fails says so and leaves the file that was there
    // as it was.
    void saveCsv_data()
    {
        QTest::addColumn<QString>("name"); // empty: the dialog cancelled
        QTest::addColumn<qint64>("limit"); // the largest file size allowed, 0 for none
        QTest::addColumn<QString>("file"); // afterwards: "none", "rows" or "old"
        QTest::newRow("cancelled") << QString() << 0ll << u"none"_s;
        QTest::newRow("saved") << u"rows.csv"_s << 0ll << u"rows"_s;
        QTest::newRow("missing folder") << u"no such folder/rows.csv"_s << 0ll << u"none"_s;
        QTest::newRow("full disk") << u"rows.csv"_s << 64ll << u"old"_s;
    }
    void saveCsv()
    {
        QFETCH(QString, name);
        QFETCH(qint64, limit);
        QFETCH(QString, file);
        const QByteArray old = "L1;Länge\n360,0;360,0\n";
        m_ui.savePath = name.isEmpty() ? QString() : m_dir->filePath(name);
        if (QFile out(m_ui.savePath); limit > 0)
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(old) == old.size());
        search(u"360"_s);
        {
            FileSizeLimit full(limit > 0 ? rlim_t(limit) : RLIM_INFINITY);
            if (!full.ok())
                QSKIP("no file-size limit can be set here");
            trigger(u"actAlsCsvSpeichern"_s);
        }
        const QString rows = QString(header + shown(0, 2)).replace(u'\t', u';');
        QFile in(m_dir->filePath(name.isEmpty() ? u"rows.csv"_s : name));
        QCOMPARE(in.open(QIODevice::ReadOnly | QIODevice::Text) ? in.readAll() : "none",
                 file == u"rows"  ? rows.toUtf8()
                 : file == u"old" ? old
                                  : "none");
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 file == u"none" ? QStringList() : QStringList{u"rows.csv"_s});
        const QString told = m_ui.messages.join(u'\n');
        if (file == u"old" || name.contains(u'/'))
            QVERIFY2(m_ui.messages.size() == 1 &&
                         told.startsWith(
                             u"Warning: Torvelin: Die Tabelle wurde nicht gespeichert.\n"_s) &&
                         !told.endsWith(u'\n'),
                     qPrintable(told));
        else
            QVERIFY2(m_ui.messages.isEmpty(), qPrintable(told));
    }
};

QTEST_MAIN(tst_GridExport)
#include "tst_gridexport.moc"
