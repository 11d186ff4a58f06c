#pragma once

#include <QTableView>

// The price grid's view: a table that can be told to finish an edit still
// open, so that a price being typed when the window closes is kept.
class PriceGridView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

    // Commits and closes the open editor, if any.
    void endEdit();
};
