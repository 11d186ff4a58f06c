#pragma once

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>
#include <QStringList>

#include <memory>

// Qt's own checks of `model` against the item-model rules, run on every
// change for as long as the tester lives; a broken rule fails the test.
inline std::unique_ptr<QAbstractItemModelTester> modelTester(QAbstractItemModel *model)
{
    return std::make_unique<QAbstractItemModelTester>(
        model, QAbstractItemModelTester::FailureReportingMode::QtTest);
}

// Each row of `model` in one line, the cells' `role` joined by "|".
inline QStringList modelRows(const QAbstractItemModel &model, int role = Qt::DisplayRole)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data(role).toString();
        rows << cells.join(u'|');
    }
    return rows;
}
