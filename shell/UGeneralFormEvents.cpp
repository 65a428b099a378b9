// What the main window sends a child window: its commands and activation notices, routed to the
// window's hooks with no exception leaving them; and the window's progress from any thread.
#include "shell/UGeneralForm.h"

#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"


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
    RunGuarded(Run);
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
