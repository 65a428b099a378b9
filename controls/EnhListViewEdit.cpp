// Caption editing of TCustomEnhListView: an edit of any cell opens on its row's caption, and its end
// reaches the owner through OnEdited (then the list resorts) or OnEditCanceled.
#include "controls/EnhListView.h"

#include <QLineEdit>
#include <QMouseEvent>

#include <utility>

bool TCustomEnhListView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const QModelIndex caption = index.isValid() ? index.siblingAtColumn(0) : index;
    // A click on a check box checks; it does not edit.
    if (trigger == SelectedClicked && event && event->type() == QEvent::MouseButtonRelease && caption.isValid()
        && StateImageRect(caption.row()).contains(static_cast<QMouseEvent *>(event)->position().toPoint()))
        return false;
    if (!QTreeView::edit(caption, trigger, event))
        return false;
    if (state() == EditingState) {
        FEditIndex = caption;
        FEditText.reset();
    }
    return true;
}

// The model is not written: the caption takes the text when the edit ends.
void TCustomEnhListView::commitData(QWidget *editor)
{
    if (const auto *line = qobject_cast<QLineEdit *>(editor))
        FEditText = line->text();
}

void TCustomEnhListView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QPersistentModelIndex index = std::exchange(FEditIndex, QPersistentModelIndex());
    const std::optional<QString> text = std::exchange(FEditText, std::nullopt);
    QTreeView::closeEditor(editor, hint);
    if (index.isValid())
        EndLabelEdit(index.row(), !text, text.value_or(QString()));
}

void TCustomEnhListView::EndLabelEdit(int index, bool canceled, const QString &text)
{
    TListItem item = Item(index);
    if (canceled) {
        EditCanceled(item);
        return;
    }
    QString caption = text;
    if (OnEdited)
        OnEdited(this, item, caption);
    item.setCaption(caption);
    if (AutoResort)
        Resort();
}

void TCustomEnhListView::EditCanceled(TListItem item)
{
    if (OnEditCanceled)
        OnEditCanceled(this, item);
}
