#include "PriceGridView.h"

#include <QApplication>

void PriceGridView::endEdit()
{
    if (state() != EditingState)
        return;
    // The open editor is the one child of the viewport that has the focus,
    // or failing that the one at the current index.
    QWidget *editor = indexWidget(currentIndex());
    if (!editor) {
        QWidget *focus = QApplication::focusWidget();
        if (focus && viewport()->isAncestorOf(focus))
            editor = focus;
    }
    if (!editor) {
        const auto children = viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *child : children) {
            if (child->isVisible()) {
                editor = child;
                break;
            }
        }
    }
    if (editor) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}
