#pragma once

#include "GridStoreModel.h"

class ColourMarking;
class PriceStore;

// The price table: the caption "Preise" and nine prices, each shown with
// grouping and two decimals while the store keeps the text as typed; a text
// that is no number is shown as it stands, and a tooltip and the accessible
// description say what such a price counts as. An edited price is stored only
// when it is a number the settings file keeps; otherwise the old price stays
// and priceRefused() says why.
class PriceModel : public GridStoreModel
{
    Q_OBJECT

public:
    PriceModel(PriceStore *prices, const ColourMarking *marking, QObject *parent = nullptr);

    // " Best. Nr." and the nine labels: the captions shared with the parts list.
    static QStringList captions();

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // An edit of `column` was refused; `message` tells the user why.
    void priceRefused(int column, const QString &message);

protected:
    QString displayText(int storeRow, int storeColumn) const override;
    QVariant background(int storeRow, int storeColumn) const override;
    QVariant foreground(int storeRow, int storeColumn) const override;

private:
    PriceStore *m_prices;
    const ColourMarking *m_marking;
};
