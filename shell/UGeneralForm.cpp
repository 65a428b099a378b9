// The child window's dependent windows, and its closing.
#include "shell/UGeneralForm.h"

#include "shell/TaskRunner.h"

#include <QEvent>
#include <QMdiSubWindow>

TGenForm::TGenForm(QWidget *Owner) : TFirstShow<QWidget>(Owner)
{
    ChildWindows.Sorted = false;
    ChildWindows.OwnsItems = true;
    // The window's runners, its members, are made after this base.
    TTaskRunner::SetBuildingWindow(this);
}

void TGenForm::ChildClosed(TGenForm *) {}

void TGenForm::ChildChanged(TGenForm *) {}

void TGenForm::ParentClosing() {}

void TGenForm::AddChildWindow(TGenForm *Child, uint8_t State)
{
    ChildWindows.AddItem(new TChildWindowRec{Child, State}, true);
}

int TGenForm::IndexOfChild(const TGenForm *Child) const
{
    for (int i = 0; i < ChildWindows.Count(); ++i)
        if (ChildWindows.GetItem(i)->Form == Child)
            return i;
    return -1;
}

void TGenForm::DetachFromParent(TGenForm *Child)
{
    TGenForm *parent = ParentWindow;
    if (!parent || parent->Closing)
        return;
    const int index = parent->IndexOfChild(Child);
    if (index < 0)
        return;
    parent->ChildWindows.DeleteItem(index);
    parent->ChildClosed(Child);
}

void TGenForm::SetChildState(TGenForm *Child, uint8_t State)
{
    const int index = IndexOfChild(Child);
    if (index < 0)
        return;
    ChildWindows.GetItem(index)->State = State;
    ChildChanged(Child);
}

void TGenForm::CloseChildWindows(int Kind)
{
    Closing = true;
    for (int i = ChildWindows.Count() - 1; i >= 0; --i) {
        TGenForm *child = ChildWindows.GetItem(i)->Form;
        if (Kind != cwNone && child->ChildKind != Kind)
            continue;
        child->ParentClosing();
        child->Close();
        ChildWindows.DeleteItem(i);
    }
    Closing = false;
}

int TGenForm::CountChildWindows(int Kind, uint8_t State) const
{
    int count = 0;
    for (int i = 0; i < ChildWindows.Count(); ++i) {
        const TChildWindowRec *rec = ChildWindows.GetItem(i);
        if (rec->Form->ChildKind == Kind && rec->State == State)
            ++count;
    }
    return count;
}

QWidget *TGenForm::WindowFrame()
{
    if (auto *holder = qobject_cast<QMdiSubWindow *>(parentWidget()))
        return holder;
    return this;
}

bool TGenForm::Close()
{
    return WindowFrame()->close();
}

bool TGenForm::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::Close && e->isAccepted())
        DetachFromParent(this);
    return handled;
}
