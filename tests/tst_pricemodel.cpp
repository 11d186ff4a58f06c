#include "gui/PriceModel.h"

#include "core/ColourMarking.h"
#include "core/PriceStore.h"
#include "modeltest.h"

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

    // One role of every cell, "|" between; -1: the captions.
    QString dump(int role) const
    {
        QStringList cells;
        for (int c = 0; c < m_model->columnCount(); ++c)
            cells << (role < 0 ? m_model->headerData(c, Qt::Horizontal)
                               : m_model->index(0, c).data(role))
                         .toString();
        return cells.join(u'|') + u'\n';
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init()
    {
        m_prices = PriceStore(), m_marking = ColourMarking();
        for (int p = 1; p <= 9; ++p)
            m_prices.setPrice(p, u"12,5| 3,95 ||1234,5|abc|0,10|7|0|-1"_s.split(u'|')[p - 1]);
        m_model = std::make_unique<PriceModel>(&m_prices, &m_marking);
        m_tester = modelTester(m_model.get());
    }
    void cleanup() { m_tester.reset(), m_model.reset(); }

    // What the grid shows and gives the editor, and for a price that is not
    // plainly a number here, what the tooltip and the screen reader tell it
    // counts as; an edit is stored, or refused with the reason and the old
    // price kept; the caption cannot be edited.
    void showsAndEdits()
    {
        const QString shown = dump(-1) + dump(Qt::DisplayRole) + dump(Qt::EditRole);
        QCOMPARE(shown,
                 u" Best. Nr.|24 360|24 236|24 229|24 188|24 172|24 094|24 077|24 071|24 064\n"
                 "Preise|12,50|3,95||1.234,50|abc|0,10|7,00|0,00|-1,00\n"
                 "Preise|12,5| 3,95 ||1234,5|abc|0,10|7|0|-1\n"_s);
        const QString told = u"|||||"_s + m_prices.doubt(5) + u"||||\n"_s;
        QCOMPARE(dump(Qt::ToolTipRole) + dump(Qt::AccessibleDescriptionRole), told + told);
        QSignalSpy refused(m_model.get(), &PriceModel::priceRefused);
        QVERIFY(m_model->setData(m_model->index(0, 3), u"7,99"_s));
        QVERIFY(!m_model->setData(m_model->index(0, 1), u"abc"_s));
        QVERIFY(!m_model->setData(m_model->index(0, 0), u"7"_s));
        // A cleared cell is an empty price, which counts as 0.
        QVERIFY(m_model->setData(m_model->index(0, 2), QString()));
        QCOMPARE(dump(Qt::EditRole), u"Preise|12,5||7,99|1234,5|abc|0,10|7|0|-1\n"_s);
        QCOMPARE(m_prices.Preis(u"24236"), 0.0f);
        QVERIFY(refused.size() == 1 && refused[0][1].toString().startsWith(u"„abc“ ist kein"_s));
    }

    // However long a price line, what the view lays out stays short, and
    // the editor (at most 32767 characters) is given the price without
    // the blanks around it, so that confirming it keeps the price.
    void longPricesShownShort()
    {
        m_prices.setPrice(1, QString(400'000, u' ') + u"7,25");
        m_prices.setPrice(2, QString(400'000, u'9'));
        m_model->refresh();
        QCOMPARE(dump(Qt::DisplayRole).section(u'|', 1, 2), u"7,25|"_s + QString(200, u'9') + u'…');
        QCOMPARE(dump(Qt::EditRole).section(u'|', 1, 2), u"7,25|"_s + m_prices.price(2));
    }
};

QTEST_MAIN(tst_PriceModel)
#include "tst_pricemodel.moc"
