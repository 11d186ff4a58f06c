#include "testinteraction.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

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

class TstFrmTorvelinSettings : public QObject, WindowFixture
{
    Q_OBJECT

    QByteArray saved() const
    {
        QFile in(iniPath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void cleanup() { dropAll(); }

    // What cannot be read keeps its value from before the load. The window
    // shows at the position read, but never out of reach.
    void loadAndSave_data()
    {
        QTest::addColumn<QByteArray>("file");    // null: no file
        QTest::addColumn<QString>("shown");      // prices, tolerance boxes and bars, check boxes
        QTest::addColumn<QPoint>("position");    // null: anywhere in reach
        QTest::addColumn<QByteArray>("written"); // empty: only its 23 lines are checked
        QTest::addColumn<bool>("exitButton");    // closed by it, else by the close box
        const QString handMadeShown =
            u"[ 3,95 ][12,50][][7][1,10][0,99][0,85][ 0,80][0,75] 3/3 5/5 on off"_s;
        QTest::newRow("close box")
            << handMade << handMadeShown << QPoint(80, 40) << handMade << false;
        QTest::newRow("exit button")
            << handMade << handMadeShown << QPoint(80, 40) << handMade << true;
        // Twips that are no whole number of pixels come back as they were.
        const QByteArray oddTwips = handMadeWith({{17, " 1234 "}, {18, " 607 "}});
        QTest::newRow("odd twips")
            << oddTwips << handMadeShown << QPoint(82, 40) << oddTwips << false;
        QTest::newRow("missing") << QByteArray() << u"[][][][][][][][][] 0/0 0/0 off off"_s
                                 << QPoint()
                                 << "[Preise]\r\n" + QByteArray("\r\n").repeated(9) +
                                        "\r\n[Toleranzen]\r\n0\r\n0\r\n\r\n[Position]\r\n 0 \r\n"
                                        " 0 \r\n\r\n[farbige Tabelle]\r\n 0 \r\n 0 \r\n\r\n"
                                 << false;
        QTest::newRow("fourteen lines") << handMade.first(handMade.indexOf("\r\n[Position]"))
                                        << QString(handMadeShown).replace(u" on "_s, u" off "_s)
                                        << QPoint() << QByteArray() << false;
        QTest::newRow("far right") << handMadeWith({{17, " 9999999 "}}) << handMadeShown << QPoint()
                                   << QByteArray() << false;
        QTest::newRow("far up left") << handMadeWith({{17, "-9999999 "}, {18, "-9999999 "}})
                                     << handMadeShown << QPoint() << QByteArray() << false;
    }
    void loadAndSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(QPoint, position);
        QFETCH(QByteArray, written);
        openWindow(file);
        QString shown;
        for (int p = 1; p <= 9; ++p)
            shown += u'[' + m_w->priceStore().price(p) + u']';
        for (int i = 0; i < 2; ++i) {
            shown += u' ' + child(u"txtToleranz(%1)"_s.arg(i))->text() + u'/' +
                     QString::number(child<QScrollBar>(u"scrToleranz(%1)"_s.arg(i))->value());
        }
        for (int i = 0; i < 2; ++i) {
            const bool on = child<QCheckBox>(u"chkCellStyle(%1)"_s.arg(i))->isChecked();
            QCOMPARE(m_w->colourMarking().cellStyleRequested(i * 10), on);
            shown += on ? u" on"_s : u" off"_s;
        }
        QTEST(shown, "shown");

        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        const QRect frame = m_w->frameGeometry();
        const QRect screen = m_w->screen()->availableGeometry();
        QVERIFY2(screen.contains(frame.topLeft()),
                 qPrintable(u"%1,%2"_s.arg(frame.x()).arg(frame.y())));
        // Enough of the title bar to take hold of it.
        QVERIFY(screen.intersected(QRect(frame.topLeft(), QSize(frame.width(), 20))).width() >=
                100);
        if (!position.isNull())
            QCOMPARE(frame.topLeft(), position);

        QFETCH(bool, exitButton);
        if (exitButton)
            child<QPushButton>(u"btnBeenden"_s)->click();
        else
            m_w->close();
        const QByteArray out = saved();
        QCOMPARE(out.count("\r\n"), 23);
        QVERIFY(out.endsWith("\r\n\r\n"));
        if (!written.isEmpty())
            QCOMPARE(out, written);
        QVERIFY(m_ui.messages.isEmpty());
    }

    // An edit still open when the window closes is saved with the rest.
    void openPriceEditReachesTheFile()
    {
        openWindow(handMade);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        auto *prices = child<QTableView>(u"grdPreise"_s);
        const QModelIndex cell = prices->model()->index(0, 2);
        prices->setCurrentIndex(cell);
        prices->edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(prices->indexWidget(cell));
        QVERIFY(editor);
        editor->selectAll();
        QTest::keyClicks(editor, u"8,75"_s);
        m_w->close();
        QCOMPARE(saved(), handMadeWith({{3, "8,75"}}));
    }
};

QTEST_MAIN(TstFrmTorvelinSettings)
#include "tst_frmtorvelin_settings.moc"
