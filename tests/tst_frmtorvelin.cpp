#include "testinteraction.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleOptionSlider>
#include <QTimer>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {
const QString row360 = u"360,0 360,0 24360 0,00"_s;
} // namespace

// The window's wiring: what each control starts, and what the user sees of
// it. The rules behind (search, sorting, colours, parsing) have unit tests.
class TstFrmTorvelin : public QObject, WindowFixture
{
    Q_OBJECT

    // The count as shown, provided a screen reader hears the same.
    QString count() const
    {
        const auto *label = child<QLabel>(u"lblCount"_s);
        return label->accessibleDescription() == label->text()
                   ? label->text()
                   : u"heard: "_s + label->accessibleDescription();
    }
    // The count and the first row's non-empty cells.
    QString shown() const
    {
        QStringList cells;
        for (int c = 0; c < 20; ++c)
            cells << cell(0, c);
        cells.removeAll(QString());
        return count() + u": " + cells.join(u' ');
    }
    // Where the bar's thumb is drawn.
    static QRect thumb(const QScrollBar *bar)
    {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.subControls = QStyle::SC_All;
        option.orientation = bar->orientation();
        option.state |= QStyle::State_Horizontal;
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        option.upsideDown = bar->invertedAppearance();
        return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                            QStyle::SC_ScrollBarSlider, bar);
    }
    // Makes `row` the current row, as a click into it does.
    void choose(int row)
    {
        grid()->selectionModel()->setCurrentIndex(grid()->model()->index(row, 0),
                                                  QItemSelectionModel::ClearAndSelect |
                                                      QItemSelectionModel::Rows);
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { openWindow(); }
    void cleanup() { m_w.reset(), m_dir.reset(); }

    // Painting the whole window takes no image plugin: Qt would search and
    // load each of them, which costs more of the start than the pictures.
    // First, before any message box draws the style's own icons.
    void paintsWithoutImagePlugins()
    {
        QFile maps(u"/proc/self/maps"_s);
        if (!maps.open(QIODevice::ReadOnly))
            QSKIP("no /proc/self/maps to see the loaded libraries in");
        (void)m_w->grab();
        QVERIFY2(!maps.readAll().contains("/imageformats/"), "an image plugin was loaded");
    }

    // A refused key beeps, Enter searches, a paste by any means is refused;
    // a mouse click into the box selects its whole text.
    void lengthBox()
    {
        QGuiApplication::clipboard()->setText(u"77"_s);
        QLineEdit *box = child(u"txtLaenge"_s);
        box->setFocus();
        QTest::keyClicks(box, u"a360"_s);
        QTest::keyClick(box, Qt::Key_Return);
        box->insert(u",5"_s);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_V, QString(), Qt::ControlModifier);
        QCOMPARE(count(), u"3"_s);
        QCOMPARE(m_ui.beeps, 2);
        QVERIFY(!box->hasFocus());
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QCOMPARE(box->selectedText(), u"360"_s);
    }

    // Every way to start the search runs it. A refused length leaves the
    // box's whole text selected, once the window is active again after the
    // message, and the focus where it was.
    void startingTheSearch_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("length");
        for (const char *how : {"Return in the box", "keypad Enter in the box", "Alt+S",
                                "click on suchen", "Space on suchen"}) {
            QTest::addRow("%s, 360", how) << QString::fromLatin1(how) << u"360"_s;
            QTest::addRow("%s, 59", how) << QString::fromLatin1(how) << u"59"_s;
        }
    }
    void startingTheSearch()
    {
        QFETCH(QString, how);
        QFETCH(QString, length);
        QLineEdit *box = child(u"txtLaenge"_s);
        auto *button = child<QPushButton>(u"btnStart"_s);
        box->setFocus();
        QTest::keyClicks(box, length);
        if (how.endsWith(u"suchen"))
            button->setFocus(Qt::TabFocusReason);
        QWidget *const focus = QApplication::focusWidget();
        if (how == u"Return in the box")
            QTest::keyClick(box, Qt::Key_Return);
        else if (how == u"keypad Enter in the box")
            QTest::keyClick(box, Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == u"Alt+S")
            QTest::keyClick(box, Qt::Key_S, Qt::AltModifier);
        else if (how == u"click on suchen")
            QTest::mouseClick(button, Qt::LeftButton);
        else
            QTest::keyClick(button, Qt::Key_Space);
        // Alt+S clicks the button a moment later, as the button is seen down.
        QTRY_VERIFY(!m_ui.messages.isEmpty() || count() != u"0");
        QCoreApplication::processEvents();
        if (length == u"360") {
            QCOMPARE(count(), u"3"_s);
            QCOMPARE(m_w->focusWidget(), grid());
        } else {
            QCOMPARE(m_ui.messages,
                     QStringList{u"Warning: Stückzahl ermitteln...: Die minimal anzugebende Länge "
                                 "beträgt 60 mm !       "_s});
            QCOMPARE(box->selectedText(), u"59"_s);
            QCOMPARE(QApplication::focusWidget(), focus);
        }
    }

    // Each bar from 4: keys move the thumb the way the arrow points, a click
    // on an arrow or beside the thumb moves it that way, the wheel moves it
    // as on any scroll bar; the box follows. The minus bar runs from 9 at its
    // left end to 0 at its right end.
    void toleranceBars_data()
    {
        QTest::addColumn<int>("bar");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("thumb"); // the way it moved
        const struct
        {
            const char *input;
            const char *minus, *plus, *thumb; // box of each bar; the thumb of both
        } rows[] = {
            {"Right key", "3", "5", "right"},          {"Left key", "5", "3", "left"},
            {"right arrow", "3", "5", "right"},        {"left arrow", "5", "3", "left"},
            {"right of the thumb", "3", "5", "right"}, {"left of the thumb", "5", "3", "left"},
        };
        for (const auto &row : rows) {
            QTest::addRow("minus, %s", row.input)
                << 0 << QString::fromLatin1(row.input) << QString::fromLatin1(row.minus)
                << QString::fromLatin1(row.thumb);
            QTest::addRow("plus, %s", row.input)
                << 1 << QString::fromLatin1(row.input) << QString::fromLatin1(row.plus)
                << QString::fromLatin1(row.thumb);
        }
        // The wheel turns the value: down widens on both bars.
        QTest::newRow("minus, wheel down") << 0 << u"wheel down"_s << u"5"_s << u"left"_s;
        QTest::newRow("minus, wheel up") << 0 << u"wheel up"_s << u"3"_s << u"right"_s;
        QTest::newRow("plus, wheel down") << 1 << u"wheel down"_s << u"5"_s << u"right"_s;
        QTest::newRow("plus, wheel up") << 1 << u"wheel up"_s << u"3"_s << u"left"_s;
    }
    void toleranceBars()
    {
        QFETCH(int, bar);
        QFETCH(QString, input);
        QLineEdit *box = child(u"txtToleranz(%1)"_s.arg(bar));
        auto *scroll = child<QScrollBar>(u"scrToleranz(%1)"_s.arg(bar));
        box->selectAll();
        QTest::keyClicks(box, u"4"_s);
        const QRect before = thumb(scroll);
        const int y = scroll->height() / 2;
        scroll->setFocus(Qt::TabFocusReason);
        if (input.endsWith(u"key")) {
            QTest::keyClick(scroll, input.startsWith(u"Right") ? Qt::Key_Right : Qt::Key_Left);
        } else if (input.endsWith(u"arrow")) {
            const int x = input.startsWith(u"right") ? scroll->width() - 3 : 2;
            QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(x, y));
        } else if (input.endsWith(u"thumb")) {
            const int x = input.startsWith(u"right") ? before.right() + 3 : before.left() - 3;
            QTest::mouseClick(scroll, Qt::LeftButton, {}, QPoint(x, y));
        } else {
            const QPoint at(scroll->width() / 2, y);
            QWheelEvent wheel(at, scroll->mapToGlobal(at), QPoint(),
                              QPoint(0, input.endsWith(u"down") ? -120 : 120), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(scroll, &wheel);
        }
        const QRect after = thumb(scroll);
        QTEST(box->text(), "box");
        QTEST(after.left() > before.left()   ? u"right"_s
              : after.left() < before.left() ? u"left"_s
                                             : u"still"_s,
              "thumb");
    }

    // A search focuses the first result; a refusal changes nothing and
    // selects the box. `during` is typed and started at the first pump.
    void searchFromTheInputs_data()
    {
        QTest::addColumn<QString>("length");
        QTest::addColumn<QString>("during");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("shown"); // null: as before
        QTest::newRow("360") << u"360"_s << QString() << false << u"3: "_s + row360;
        QTest::newRow("restarted during a search")
            << u"1000"_s << u"360"_s << false << u"3: "_s + row360;
        QTest::newRow("refused during a search, which goes on")
            << u"1000"_s << u"59"_s << true
            << u"5: 360,0 171,7 171,7 77,5 77,5 70,8 70,8 1.000,0 24360 24172 24172 "
               "24077 24077 24071 24071 0,00"_s;
    }
    void searchFromTheInputs()
    {
        QFETCH(QString, during);
        QFETCH(QString, shown);
        QFETCH(bool, refused);
        search(u"64"_s, u"1"_s);
        const QString before = this->shown();
        child(u"txtLaenge"_s)->setFocus();
        if (!during.isNull()) {
            QTimer::singleShot(0, m_w.get(), [&] { search(during, QString()); });
        }
        QFETCH(QString, length);
        search(length);
        QCOMPARE(this->shown(), shown.isNull() ? before : shown);
        QCOMPARE(m_ui.messages.size(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(child(u"txtLaenge"_s)->selectedText(), u"59"_s);
        } else {
            QCOMPARE(m_w->focusWidget(), grid());
            QCOMPARE(grid()->currentIndex(), grid()->model()->index(0, 0));
            QCOMPARE(grid()->selectionModel()->selectedRows(),
                     QModelIndexList{grid()->currentIndex()});
        }
    }

    // A header click sorts; the current row keeps its place and the parts
    // list follows the row that now stands there.
    void headerClickSorts()
    {
        for (int p = 1; p <= 9; ++p) // the three results of 360: 9,00, 2,00 and 3,00
            m_w->priceStore().setPrice(p, p == 1 ? u"9"_s : u"1"_s);
        search(u"360"_s);
        choose(1);
        QHeaderView *header = grid()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(19) + 5, header->height() / 2));
        QString parts = cell(0, 0, u"grdStck"_s);
        for (int c = 1; c < 10; ++c) {
            if (const QString n = cell(0, c, u"grdStck"_s); !n.isEmpty())
                parts += u' ' + n + u'@' + TrackCatalogue::pieces()[c - 1].articleNumber;
        }
        QCOMPARE(cell(0, 19) + cell(1, 19) + cell(2, 19), u"2,003,009,00"_s);
        QCOMPARE(grid()->currentIndex().row(), 1);
        QCOMPARE(parts, u"Stück 1@24188 1@24094 1@24077"_s);
    }

    // A check box marks its column of the results and the price grid, and
    // unmarks both again.
    void colourMarking()
    {
        const auto colours = [this]() -> QString {
            const auto background = [this](const QString &gridName, int column) {
                return grid(gridName)
                    ->model()
                    ->index(0, column)
                    .data(Qt::BackgroundRole)
                    .toString();
            };
            return background(u"grdTabelle"_s, 0) + u' ' + background(u"grdTabelle"_s, 10) + u' ' +
                   background(u"grdPreise"_s, 1);
        };
        auto *check = child<QCheckBox>(u"chkCellStyle(1)"_s);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        search(u"360"_s);
        QCOMPARE(colours(), u" #c00000 #c00000"_s);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
        QCOMPARE(colours(), u"  #ffffff"_s);
    }

    // The page holds the current row, not the first one.
    void printingTheChosenRow()
    {
        const QString pdftotext = QStandardPaths::findExecutable(u"pdftotext"_s);
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed; tools/setup.sh installs it");
        search(u"360"_s, u"9"_s);
        choose(2);
        QCOMPARE_NE(cell(2, 9), cell(0, 9));
        m_ui.pdfPath = m_dir->filePath(u"page.pdf"_s);
        QTest::mouseClick(child<QPushButton>(u"btnDrucken"_s), Qt::LeftButton);
        QProcess text;
        text.start(pdftotext, {u"-layout"_s, m_ui.pdfPath, u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY2(page.contains(cell(2, 9) + u" mm") && !page.contains(cell(0, 9) + u" mm"),
                 qPrintable(page));
        QVERIFY(m_ui.messages.isEmpty());
    }

    // Closing while a search runs saves the settings once, stops the
    // search at once and ends the program.
    void closingDuringASearch()
    {
        // Saving fails here, and says so: each save shows one message.
        QVERIFY(QFile(m_dir->filePath(u"blocker"_s)).open(QIODevice::WriteOnly));
        restart(m_dir->filePath(u"blocker/Torvelin.ini"_s));
        m_w->show();
        QTimer::singleShot(0, m_w.get(), [this] {
            QTimer::singleShot(0, m_w.get(), [this] {
                QTest::mouseClick(child<QPushButton>(u"btnBeenden"_s), Qt::LeftButton);
            });
            search(u"1265"_s, u"9"_s);
        });
        QTimer guard; // only for a program that would never end
        guard.callOnTimeout([] { QCoreApplication::exit(1); });
        guard.start(60'000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!m_w->isVisible());
        QCOMPARE(grid()->model()->rowCount(), 1); // the results of no finished search
        QVERIFY(count().toInt() < 929);
        QCloseEvent again; // a further close request, as the window system may send
        QCoreApplication::sendEvent(m_w.get(), &again);
        QCOMPARE(m_ui.messages.size(), 1);
    }
};

QTEST_MAIN(TstFrmTorvelin)
#include "tst_frmtorvelin.moc"
