#include "testinteraction.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QRandomGenerator>
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

    // Types `text` into the price cell of `column` as a paste brings it and
    // ends the edit with Enter.
    void typePrice(int column, const QString &text)
    {
        auto *prices = child<QTableView>(u"grdPreise"_s);
        const QModelIndex cell = prices->model()->index(0, column);
        prices->setCurrentIndex(cell);
        prices->edit(cell);
        auto *editor = qobject_cast<QLineEdit *>(prices->indexWidget(cell));
        QVERIFY(editor);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits and closes a moment later.
        QTRY_VERIFY(!prices->indexWidget(cell));
    }

    // The price column of every result for 1265 mm, 9 mm either way: each
    // piece is used in some of them.
    QStringList searchedPrices()
    {
        child(u"txtToleranz(0)"_s)->setText(u"9"_s);
        child(u"txtToleranz(1)"_s)->setText(u"9"_s);
        child(u"txtLaenge"_s)->setText(u"1265"_s);
        child<QPushButton>(u"btnStart"_s)->click();
        const QAbstractItemModel *results = child<QTableView>(u"grdTabelle"_s)->model();
        QStringList prices;
        for (int r = 0; r < results->rowCount(); ++r)
            prices << results->index(r, 19).data().toString();
        return prices;
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

    // A tolerance line gives the digit it converts to, in the box and on
    // the bar; a line that gives no digit keeps the start-up value.
    void toleranceLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("shown"); // box text / bar value
        QTest::newRow("blanks around") << QByteArray(" 0 ") << u"0/0"_s;
        QTest::newRow("leading zero") << QByteArray("05") << u"5/5"_s;
        QTest::newRow("half down to even") << QByteArray("2,5") << u"2/2"_s;
        QTest::newRow("half up to even") << QByteArray("3,5") << u"4/4"_s;
        QTest::newRow("ten") << QByteArray("9,5") << u"0/0"_s;
    }
    void toleranceLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, shown);
        openWindow(handMadeWith({{13, line}, {14, line}}));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(child(u"txtToleranz(%1)"_s.arg(i))->text() + u'/' +
                         QString::number(child<QScrollBar>(u"scrToleranz(%1)"_s.arg(i))->value()),
                     shown);
        }
        // The search takes the box as it stands.
        child(u"txtLaenge"_s)->setText(u"360"_s);
        child<QPushButton>(u"btnStart"_s)->click();
        QVERIFY2(m_ui.messages.isEmpty(), qPrintable(m_ui.messages.join(u'\n')));
        m_w->close();
        const QByteArray digit = shown.first(1).toLatin1();
        QCOMPARE(saved(), handMadeWith({{13, digit}, {14, digit}}));
    }

    // Whatever the price grid takes is the same price after a save and a new
    // start; what the settings file could not give back is refused.
    void pricesSurviveANewStart_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("line"); // as saved; empty: refused, the old price stays
        QTest::newRow("em space before") << u"\u200312,5"_s << QByteArray(" 12,5");
        QTest::newRow("ideographic space after") << u"12,5\u3000"_s << QByteArray("12,5 ");
        QTest::newRow("NBSP") << u"\u00a012,5"_s
                              << QByteArray("\xa0"
                                            "12,5");
        QTest::newRow("tab") << u"12,5\t"_s << QByteArray("12,5\t");
        QTest::newRow("line breaks around") << u"\r\n12,5\n"_s << QByteArray("  12,5 ");
        QTest::newRow("line break inside") << u"12\n,5"_s << QByteArray();
        QTest::newRow("control character") << u"\u000112,5"_s << QByteArray();
        QTest::newRow("euro sign") << u"12,5 €"_s << QByteArray();
        QTest::newRow("minus sign") << u"\u22125"_s << QByteArray();
    }
    void pricesSurviveANewStart()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, line);
        openWindow(handMade);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        typePrice(1, typed);
        QCOMPARE(m_ui.messages.size(), line.isEmpty() ? 1 : 0);
        if (line.isEmpty())
            QVERIFY(m_ui.messages[0].startsWith(u"Warning: Preise: „"_s + typed + u"“ "));
        const QStringList before = searchedPrices();
        QCOMPARE(before.size(), 929);
        m_w->close();
        QCOMPARE(saved(),
                 handMadeWith({{2, line.isEmpty() ? " 3,95 " : line}, {13, "9"}, {14, "9"}}));

        m_w = std::make_unique<FrmTorvelin>(m_ui, SettingsLocation::Paths{iniPath(), iniPath()});
        QCOMPARE(searchedPrices(), before);
    }

    // A price line longer than the editor holds is offered without its
    // blanks, so that opening and confirming the cell keeps the price.
    void longPriceLineThroughTheEditor()
    {
        openWindow(handMadeWith({{2, QByteArray(100'000, ' ') + "7,25"}}));
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        const QStringList before = searchedPrices();
        auto *prices = child<QTableView>(u"grdPreise"_s);
        const QModelIndex cell = prices->model()->index(0, 1);
        QCOMPARE(cell.data().toString(), u"7,25"_s);
        prices->setCurrentIndex(cell);
        prices->edit(cell);
        QTest::keyClick(prices->indexWidget(cell), Qt::Key_Return);
        QTRY_VERIFY(!prices->indexWidget(cell));
        QCOMPARE(searchedPrices(), before);
        QVERIFY(m_ui.messages.isEmpty());
    }

    // Random texts, pasted into every price cell: after a save and a new
    // start, the search prices every result as before.
    void randomPricesSurviveANewStart()
    {
        QRandomGenerator rng(20261207);
        const QString pool =
            u"0123456789,,..--  \t\n\r\u00a0\u2003\u3000\u2028\u202f\u2212€a\u0001"_s;
        openWindow(handMade);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        for (int round = 0; round < 12; ++round) {
            for (int column = 1; column <= 9; ++column) {
                QString text;
                for (int n = int(rng.bounded(7)); n > 0; --n)
                    text += pool.at(rng.bounded(int(pool.size())));
                typePrice(column, text);
            }
            const QStringList before = searchedPrices();
            m_w->close();
            m_w =
                std::make_unique<FrmTorvelin>(m_ui, SettingsLocation::Paths{iniPath(), iniPath()});
            m_w->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
            QCOMPARE(searchedPrices(), before);
        }
    }

    // A save that fails says where and why; here the folder's path runs
    // through a plain file, which stops root as well.
    void saveFailureMessage()
    {
        openWindow(handMade);
        const QString path = iniPath() + u"/folder/Torvelin.ini";
        m_w = std::make_unique<FrmTorvelin>(m_ui, SettingsLocation::Paths{iniPath(), path});
        m_w->close();
        QCOMPARE(m_ui.messages.size(), 1);
        const QString prefix = u"Warning: Torvelin: Die Einstellungen konnten nicht in „"_s +
                               QDir::toNativeSeparators(path) + u"“ gespeichert werden:\n";
        QVERIFY2(m_ui.messages[0].startsWith(prefix), qPrintable(m_ui.messages[0]));
        QVERIFY(m_ui.messages[0].size() > prefix.size() + 2);
        QCOMPARE(saved(), handMade);
    }
};

QTEST_MAIN(TstFrmTorvelinSettings)
#include "tst_frmtorvelin_settings.moc"
