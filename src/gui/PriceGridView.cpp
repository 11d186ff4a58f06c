#include "PriceGridView.h"

#include <QApplication>

void PriceGridView::endEdit()
{
    if (state() != EditingState)
        return;
    // A delegate's editor is a child of the viewport: the one with the focus,
    // or failing that (the window may not be active) the visible one.
    QWidget *editor = QApplication::focusWidget();
    if (editor && viewport()->isAncestorOf(editor)) {
        while (editor->parentWidget() != viewport())
            editor = editor->parentWidget();
    } else {
        editor = nullptr;
        const auto children = viewport()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *child : children) {
            if (child->isVisible())
                editor = child;
        }
    }
    if (editor) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}
