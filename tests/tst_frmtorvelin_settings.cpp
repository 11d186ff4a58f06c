#include "testinteraction.h"

#include "app/FrmTorvelin.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Written by hand as a user might: blanks around a price, an empty price, a
// price with a decimal comma, the number form of the program for the rest.
const QByteArray handMade =
    "[Preise]\r\n 3,95 \r\n12,50\r\n\r\n7\r\n1,10\r\n0,99\r\n0,85\r\n 0,80\r\n"
    "0,75\r\n\r\n[Toleranzen]\r\n3\r\n5\r\n\r\n[Position]\r\n 1200 \r\n 600 \r\n"
    "\r\n[farbige Tabelle]\r\n 1 \r\n 0 \r\n\r\n";
const QStringList handMadePrices{u" 3,95 "_s, u"12,50"_s, {},         u"7"_s,   u"1,10"_s,
                                 u"0,99"_s,   u"0,85"_s,  u" 0,80"_s, u"0,75"_s};
const QByteArray defaults = "[Preise]\r\n" + QByteArray("\r\n").repeated(9) +
                            "\r\n[Toleranzen]\r\n0\r\n0\r\n\r\n[Position]\r\n 0 \r\n 0 \r\n"
                            "\r\n[farbige Tabelle]\r\n 0 \r\n 0 \r\n\r\n";

// The hand-made file with lines (1-based) replaced; a null text cuts the
// file before that line.
QByteArray handMadeWith(const QList<std::pair<int, QByteArray>> &changes)
{
    QList<QByteArray> lines = handMade.split('\n');
    lines.removeLast();
    for (const auto &[number, text] : changes) {
        if (text.isNull())
            lines = lines.first(number - 1);
        else
            lines[number - 1] = text + '\r';
    }
    return lines.join('\n') + '\n';
}

} // namespace

class TstFrmTorvelinSettings : public QObject, WindowFixture
{
    Q_OBJECT

    // Starts the window on `file`, or on no file at all when it is null.
    void start(const QByteArray &file)
    {
        if (!file.isNull()) {
            QFile out(iniPath());
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file);
        }
        openWindow(iniPath());
    }
    QByteArray saved() const
    {
        QFile in(iniPath());
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { makeFolder(); }
    void cleanup() { dropAll(); }

    void loadAndSave_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file
        QTest::addColumn<bool>("pricesRead");
        QTest::addColumn<QString>("minus");
        QTest::addColumn<QString>("plus");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("exitButton");    // else the close box
        QTest::addColumn<QByteArray>("written"); // empty: only its 23 lines are checked
        QTest::newRow("close box")
            << handMade << true << u"3"_s << u"5"_s << true << false << handMade;
        QTest::newRow("exit button")
            << handMade << true << u"3"_s << u"5"_s << true << true << handMade;
        QTest::newRow("missing") << QByteArray() << false << u"0"_s << u"0"_s << false << false
                                 << defaults;
        QTest::newRow("empty") << QByteArray("") << false << u"0"_s << u"0"_s << false << false
                               << defaults;
        // What cannot be read keeps its value from before the load.
        QTest::newRow("fourteen lines") << handMadeWith({{15, {}}}) << true << u"3"_s << u"5"_s
                                        << false << false << QByteArray();
        QTest::newRow("letters on line 13") << handMadeWith({{13, "ab"}}) << true << u"0"_s
                                            << u"5"_s << true << false << QByteArray();
        QTest::newRow("empty line 14") << handMadeWith({{14, ""}}) << true << u"3"_s << u"0"_s
                                       << true << false << QByteArray();
        QTest::newRow("7 on line 21") << handMadeWith({{21, " 7 "}}) << true << u"3"_s << u"5"_s
                                      << false << false << QByteArray();
        QTest::newRow("other headers")
            << handMadeWith({{1, "Preise"}, {12, "[x]"}, {16, ""}, {20, "[farbig]"}}) << true
            << u"3"_s << u"5"_s << true << false << handMade;
        QTest::newRow("beyond line 23") << handMade + "[mehr]\r\n1\r\n"
                                        << true << u"3"_s << u"5"_s << true << false << handMade;
    }
    void loadAndSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, pricesRead);
        QFETCH(QString, minus);
        QFETCH(QString, plus);
        QFETCH(bool, marked);
        QFETCH(QByteArray, written);
        start(file);
        for (int p = 1; p <= 9; ++p)
            QCOMPARE(m_w->priceStore().price(p), pricesRead ? handMadePrices[p - 1] : QString());
        QCOMPARE(child(u"txtToleranz(0)"_s)->text(), minus);
        QCOMPARE(child(u"txtToleranz(1)"_s)->text(), plus);
        QCOMPARE(child<QScrollBar>(u"scrToleranz(0)"_s)->value(), minus.toInt());
        QCOMPARE(child<QScrollBar>(u"scrToleranz(1)"_s)->value(), plus.toInt());
        QCOMPARE(child<QCheckBox>(u"chkCellStyle(0)"_s)->isChecked(), marked);
        QCOMPARE(m_w->colourMarking().cellStyleRequested(0), marked);
        QVERIFY(!child<QCheckBox>(u"chkCellStyle(1)"_s)->isChecked());
        QVERIFY(!m_w->colourMarking().cellStyleRequested(10));

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

    void openPriceEditReachesTheFile()
    {
        start(handMade);
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
        QCOMPARE(saved().split('\n').at(2), QByteArray("8,75\r"));
        QCOMPARE(m_w->priceStore().price(2), u"8,75"_s);
    }

    void positionIsBroughtIntoView_data()
    {
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<QByteArray>("top");
        QTest::addColumn<QPoint>("kept"); // null: anywhere in view
        QTest::newRow("on screen") << QByteArray(" 1200 ") << QByteArray(" 600 ") << QPoint(80, 40);
        QTest::newRow("far right") << QByteArray(" 9999999 ") << QByteArray(" 600 ") << QPoint();
        QTest::newRow("far below") << QByteArray(" 1200 ") << QByteArray(" 9999999 ") << QPoint();
        QTest::newRow("far up left")
            << QByteArray("-9999999 ") << QByteArray("-9999999 ") << QPoint();
    }
    void positionIsBroughtIntoView()
    {
        QFETCH(QByteArray, left);
        QFETCH(QByteArray, top);
        QFETCH(QPoint, kept);
        start(handMadeWith({{17, left}, {18, top}}));
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        const QRect frame = m_w->frameGeometry();
        const QRect screen = m_w->screen()->availableGeometry();
        QVERIFY2(screen.contains(frame.topLeft()),
                 qPrintable(u"%1,%2"_s.arg(frame.x()).arg(frame.y())));
        // Enough of the title bar to take hold of it.
        QVERIFY(screen.intersected(QRect(frame.topLeft(), QSize(frame.width(), 20))).width() >=
                100);
        if (!kept.isNull())
            QCOMPARE(frame.topLeft(), kept);
    }
};

QTEST_MAIN(TstFrmTorvelinSettings)
#include "tst_frmtorvelin_settings.moc"
