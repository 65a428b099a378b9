#include "shell/UGeneralForm.h"

#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"

#include <QEvent>
#include <QMdiSubWindow>

#include <exception>

TGenForm::TGenForm(QWidget *Owner) : QWidget(Owner)
{
    ChildWindows.Sorted = false;
    ChildWindows.OwnsItems = true;
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

bool TGenForm::IsActiveChild() const
{
    return frmMain && frmMain->ActiveChildForm() == this;
}

void TGenForm::DoProgress(int Pos, int Step)
{
    ProgressShow(Pos, Step);
}

TProgressProc TGenForm::ProgressHandler()
{
    return [window = QPointer<TGenForm>(this)](int32_t Pos, int32_t Step) {
        RunOnGuiThread([window, Pos, Step] {
            if (window)
                window->DoProgress(Pos, Step);
        });
    };
}

bool TGenForm::HandleCommand(CommandEvent &)
{
    return false;
}

void TGenForm::FormActivate() {}

void TGenForm::FormDeactivate()
{
    EnableCommands(cmdAll, false);
    EnableCommands(cmdRead, true);
}

void TGenForm::Guarded(const std::function<void()> &Run)
{
    try {
        Run();
    } catch (const std::exception &error) {
        MsgBox(QString::fromUtf8(error.what()), QString(), MsgFlagsNotice);
    } catch (...) {
        qWarning("child window: unknown exception");
    }
}

void TGenForm::customEvent(QEvent *event)
{
    if (CommandEvent *command = asCommand(event)) {
        // A command that failed was still this window's: its sender does not stand in for it.
        bool handled = true;
        Guarded([this, command, &handled] { handled = HandleCommand(*command); });
        command->Result = handled ? 1 : 0;
    } else if (event->type() == ChildActivateNotice) {
        Guarded([this] { FormActivate(); });
    } else if (event->type() == ChildDeactivateNotice) {
        Guarded([this] { FormDeactivate(); });
    } else {
        QWidget::customEvent(event);
    }
}

bool TGenForm::event(QEvent *e)
{
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::Close && e->isAccepted())
        DetachFromParent(this);
    return handled;
}
