#pragma once

#include "GridStoreModel.h"

class ColourMarking;
class PriceStore;

// The price table: the caption "Preise" and nine prices, each shown with
// grouping and two decimals while the store keeps the text as typed; a text
// that is no number is shown as it stands.
class PriceModel : public GridStoreModel
{
    Q_OBJECT

public:
    PriceModel(PriceStore *prices, const ColourMarking *marking, QObject *parent = nullptr);

    // " Best. Nr." and the nine labels: the captions shared with the parts list.
    static QStringList captions();

protected:
    QString displayText(int storeRow, int storeColumn) const override;
    QVariant background(int storeRow, int storeColumn) const override;
    QVariant foreground(int storeRow, int storeColumn) const override;

private:
    const ColourMarking *m_marking;
};
