#include "gui/PriceModel.h"

#include "core/ColourMarking.h"
#include "core/PriceStore.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

class tst_PriceModel : public QObject
{
    Q_OBJECT

    PriceStore m_prices;
    ColourMarking m_marking;
    std::unique_ptr<PriceModel> m_model;
    std::unique_ptr<QAbstractItemModelTester> m_tester;

    // The caption, shown text, edit text, editability and colours of every
    // cell, one cell a line.
    QString dump() const
    {
        QString text;
        const auto colour = [&](int column, int role) {
            const QVariant value = m_model->index(0, column).data(role);
            return value.isValid() ? value.value<QColor>().name() : u"-"_s;
        };
        for (int c = 0; c < m_model->columnCount(); ++c) {
            const QModelIndex cell = m_model->index(0, c);
            text += m_model->headerData(c, Qt::Horizontal).toString() + u'|' +
                    cell.data().toString() + u'|' + cell.data(Qt::EditRole).toString() + u'|' +
                    (m_model->flags(cell) & Qt::ItemIsEditable ? u"edit"_s : u"-"_s) + u'|' +
                    colour(c, Qt::BackgroundRole) + u'/' + colour(c, Qt::ForegroundRole) + u'\n';
        }
        return text;
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_prices = PriceStore();
        m_marking = ColourMarking();
        const QStringList prices = u"12,5| 3,95 ||1234,5|abc|0,10|7|0|-1"_s.split(u'|');
        for (int p = 1; p <= 9; ++p)
            m_prices.setPrice(p, prices[p - 1]);
        m_model = std::make_unique<PriceModel>(&m_prices, &m_marking);
        m_tester = std::make_unique<QAbstractItemModelTester>(
            m_model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup() { m_tester.reset(), m_model.reset(); }

    void shows()
    {
        QCOMPARE(m_model->rowCount(), 1);
        QCOMPARE(dump(), u" Best. Nr.|Preise|Preise|-|-/-\n"
                         "24 360|12,50|12,5|edit|-/-\n"
                         "24 236|3,95| 3,95 |edit|-/-\n"
                         "24 229|||edit|-/-\n"
                         "24 188|1.234,50|1234,5|edit|-/-\n"
                         "24 172|abc|abc|edit|-/-\n"
                         "24 094|0,10|0,10|edit|-/-\n"
                         "24 077|7,00|7|edit|-/-\n"
                         "24 071|0,00|0|edit|-/-\n"
                         "24 064|-1,00|-1|edit|-/-\n"_s);
        m_marking.toggleGroup(1);
        m_model->refresh();
        QCOMPARE(
            dump().section(u'\n', 0, 1),
            u" Best. Nr.|Preise|Preise|-|#808080/#ffffff\n24 360|12,50|12,5|edit|#c00000/#ffffff"_s);
    }

    // An edit is stored, blanks the settings file cannot keep made plain, or
    // refused with the reason and the old price kept.
    void edit_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message"); // its first words; empty: stored
        QTest::newRow("price") << 3 << u"7,99"_s << u"7,99"_s << u"7,99"_s << QString();
        QTest::newRow("letters") << 1 << u"abc"_s << u"12,5"_s << u"12,50"_s
                                 << u"„abc“ ist kein Preis."_s;
        QTest::newRow("minus sign") << 1 << u"\u22125"_s << u"12,5"_s << u"12,50"_s
                                    << u"„\u22125“ enthält ein Zeichen, das die "
                                       "Einstellungsdatei nicht speichern kann."_s;
        QTest::newRow("caption") << 0 << u"7"_s << u"Preise"_s << u"Preise"_s << QString();
    }
    void edit()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QSignalSpy refused(m_model.get(), &PriceModel::priceRefused);
        QSignalSpy changed(m_model.get(), &PriceModel::dataChanged);
        const bool stored = m_model->setData(m_model->index(0, column), typed);
        QCOMPARE(stored, message.isEmpty() && column != 0);
        QCOMPARE(changed.size(), stored ? 1 : 0);
        QTEST(m_prices.table().text(PriceStore::row, column), "stored");
        QTEST(m_model->index(0, column).data().toString(), "shown");
        QCOMPARE(refused.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(refused[0][0].toInt(), column);
            const QString text = refused[0][1].toString();
            QVERIFY2(text.startsWith(message), qPrintable(text));
            QVERIFY(text.endsWith(u"z. B. 12,50.\nDer bisherige Preis bleibt erhalten."_s));
        }
    }

    // However long a price line, what the view lays out stays short.
    void longPricesShownShort()
    {
        const QString blanks(400'000, u' ');
        m_prices.setPrice(1, blanks + u"7,25");
        m_prices.setPrice(2, QString(400'000, u'9'));
        m_prices.setPrice(3, u"x" + blanks);
        m_prices.setPrice(4, blanks);
        m_model->refresh();
        QCOMPARE(m_model->index(0, 1).data().toString(), u"7,25"_s);
        for (int c = 2; c <= 4; ++c) {
            const QString shown = m_model->index(0, c).data().toString();
            QCOMPARE(shown, m_prices.price(c).first(200) + u'…');
            QCOMPARE(m_model->index(0, c).data(Qt::EditRole).toString(),
                     c == 2 ? m_prices.price(c) : m_prices.price(c).trimmed());
        }
        // The editor holds at most 32767 characters: it is given the price
        // without the blanks around it, so that confirming it keeps the price.
        QCOMPARE(m_model->index(0, 1).data(Qt::EditRole).toString(), u"7,25"_s);
        m_prices.setPrice(1, QString(32'763, u' ') + u"7,25");
        QCOMPARE(m_model->index(0, 1).data(Qt::EditRole).toString(), m_prices.price(1));
    }
};

QTEST_MAIN(tst_PriceModel)
#include "tst_pricemodel.moc"
