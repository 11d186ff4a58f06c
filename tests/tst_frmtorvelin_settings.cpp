#include "filesizelimit.h"
#include "modeltest.h"
#include "testinteraction.h"

#include <QDir>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

// Written by hand as a user might: blanks around a price, an empty price, a
// price with a decimal comma, the program's own number form for the rest.
const QByteArray handMade =
    "[Preise]\r\n 3,95 \r\n12,50\r\n\r\n7\r\n1,10\r\n0,99\r\n0,85\r\n 0,80\r\n"
    "0,75\r\n\r\n[Toleranzen]\r\n3\r\n5\r\n\r\n[Position]\r\n 1200 \r\n 600 \r\n"
    "\r\n[farbige Tabelle]\r\n 1 \r\n 0 \r\n\r\n";

// The hand-made file with lines (1-based) replaced.
QByteArray handMadeWith(const QList<std::pair<int, QByteArray>> &changes)
{
    QList<QByteArray> lines = handMade.split('\n');
    for (const auto &[number, text] : changes)
        lines[number - 1] = text + '\r';
    return lines.join('\n');
}

} // namespace

// What the window takes from the settings file and gives back to it; the
// file's format itself has its own tests.
class TstFrmTorvelinSettings : public QObject, WindowFixture
{
    Q_OBJECT

    QByteArray saved() const
    {
        QFile in(iniPath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // Every result for 1265 mm, 9 mm either way: each piece is used in some
    // of them.
    QStringList searched()
    {
        search(u"1265"_s, u"9"_s);
        return modelRows(*grid()->model());
    }

private Q_SLOTS:
    void cleanup() { m_w.reset(), m_dir.reset(); }

    // Whatever the price grid takes is the same price after a save and a new
    // start; what the settings file could not give back is refused. The
    // tolerances come back as saved, at their largest here.
    void pricesSurviveANewStart_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("line"); // as saved; empty: refused, the old price stays
        QTest::newRow("NBSP") << u"\u00a012,5"_s << QByteArray(1, '\xa0') + "12,5";
        QTest::newRow("minus sign") << u"\u22125"_s << QByteArray();
    }
    void pricesSurviveANewStart()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, line);
        openWindow(handMade);
        // 24360's price cell opened, given the text as a paste brings it, and
        // closed with Enter.
        QTableView *prices = grid(u"grdPreise"_s);
        const QModelIndex cell = prices->model()->index(0, 1);
        prices->setCurrentIndex(cell);
        prices->edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(prices->indexWidget(cell));
        QVERIFY(editor);
        editor->setText(typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!prices->indexWidget(cell)); // closed a moment later
        QCOMPARE(m_ui.messages.size(), line.isEmpty() ? 1 : 0);
        const QStringList before = searched();
        QCOMPARE(before.size(), 929);
        m_w->close();
        QCOMPARE(saved(),
                 handMadeWith({{2, line.isEmpty() ? " 3,95 " : line}, {13, "9"}, {14, "9"}}));
        restart();
        for (const QString &i : {u"(0)"_s, u"(1)"_s})
            QCOMPARE(child(u"txtToleranz"_s + i)->text() + u'/' +
                         QString::number(child<QScrollBar>(u"scrToleranz"_s + i)->value()),
                     u"9/9"_s);
        QCOMPARE(searched(), before);
    }

    // A save that fails says where and why and leaves the old file as it
    // was: where the folder's path runs through a plain file (which stops
    // root as well), and on a full disk (a file-size limit here).
    void saveFailureMessage_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("folder under a plain file") << false;
        QTest::newRow("full disk") << true;
    }
    void saveFailureMessage()
    {
        QFETCH(bool, fullDisk);
        openWindow(handMade);
        const QString path = fullDisk ? iniPath() : iniPath() + u"/folder/Torvelin.ini";
        restart(path);
        {
            FileSizeLimit full(fullDisk ? 64 : RLIM_INFINITY);
            if (!full.ok())
                QSKIP("no file-size limit can be set here");
            m_w->close();
        }
        QCOMPARE(m_ui.messages.size(), 1);
        const QString prefix = u"Warning: Torvelin: Die Einstellungen konnten nicht in „"_s +
                               QDir::toNativeSeparators(path) + u"“ gespeichert werden:\n";
        QVERIFY2(m_ui.messages[0].startsWith(prefix) && m_ui.messages[0].size() > prefix.size() + 2,
                 qPrintable(m_ui.messages[0]));
        QCOMPARE(saved(), handMade);
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{u"Torvelin.ini"_s});
    }
};

QTEST_MAIN(TstFrmTorvelinSettings)
#include "tst_frmtorvelin_settings.moc"
