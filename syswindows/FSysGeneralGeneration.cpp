// A kind window's new system, built on the window's worker while the old one stays shown.
#include "syswindows/FSysGeneral.h"

#include "core/UGlobalThreads.h"
#include "engine/USysGeneral.h"
#include "platform/gui/OpenModals.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"

#include <QCoreApplication>

#include <utility>

bool TGenSysForm::Generating() const
{
    return FNextSystem != nullptr;
}

void TGenSysForm::StartGeneration(std::unique_ptr<TSystem> NewSystem, TBuildProc Build)
{
    StopGeneration();
    FNextSystem = std::move(NewSystem);
    FNextBuilt = false;
    ++FGenerationRun;
    FNextSystem->Progress.OnProgress = FGeneration.LatestProgressHandler();
    FGeneration.OnProgress = [this](int Pos, int Step) { DoProgress(Pos, Step); };
    FGeneration.OnFinished = [this](const TTaskEnd &End) { Guarded([this, &End] { GenerationEnded(End); }); };
    SetStatusText(QStringLiteral("Generowanie systemu..."));
    UpdateMenu();
    try {
        FGeneration.Start([Build = std::move(Build), Hook = GenerationHook, system = FNextSystem.get(),
                           built = &FNextBuilt](TMyThread &Thread) {
            *built = Hook ? Hook(*system, Thread, Build) : Build(*system, Thread);
        });
    } catch (...) {
        FNextSystem.reset();
        EndGeneration();
        throw;
    }
}

void TGenSysForm::StopGeneration()
{
    if (!Generating())
        return;
    FGeneration.Stop();
    FNextSystem.reset();
    EndGeneration();
}

void TGenSysForm::EndGeneration()
{
    ProgressClear();
    SetStatusText(QString());
    UpdateMenu();
}

void TGenSysForm::ReturnCommandsToActive()
{
    if (QWidget *active = frmMain ? frmMain->ActiveChildForm() : nullptr; active && active != this) {
        QEvent notice(ChildActivateNotice);
        QCoreApplication::sendEvent(active, &notice);
    }
}

void TGenSysForm::GenerationEnded(const TTaskEnd &End)
{
    ProgressClear();
    SetStatusText(QString());
    if (!FNextBuilt || End.Failed) {
        FNextSystem.reset();
        UpdateMenu();
        ReturnCommandsToActive();
        if (!End.Terminated)
            MsgBox(QStringLiteral("Nie udało się wygenerować systemu."), QString(), MsgFlagsNotice);
        return;
    }
    // A modal window open now may hold the shown system or a row of it: the new one waits for the last
    // to close, the window still generating meanwhile.
    platform::whenNoModalOpen(this, [this, run = FGenerationRun] { Guarded([this, run] { TakeGenerated(run); }); });
}

void TGenSysForm::TakeGenerated(uint32_t Run)
{
    // Stopped, or followed by another run, while it waited.
    if (!Generating() || Run != FGenerationRun)
        return;
    OpenSystem(Game, std::move(FNextSystem));
    ReturnCommandsToActive();
}
