// The guarantee window's life: the set of the chosen variants, the worker, its progress and end, the
// commands, saving the set, and stopping.
#include "syswindows/FGuarSysShort.h"

#include "controls/ALProgressBar.h"
#include "core/ProgramParams.h"
#include "engine/UAllGuars.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "shell/ResultGrid.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FWriteFile.h"

#include <QCloseEvent>
#include <QLabel>

#include <algorithm>
#include <utility>

namespace {

const QString GuaranteeText = QStringLiteral("Gwarancja - ");

constexpr int ResultCommands = cmdSave | cmdRead | cmdReport;
constexpr int ComputingCommands = cmdRead | cmdStop;

} // namespace

void TSGThread::Execute(const TMyThread &Thread) const
{
    CalcSetGuaranty(*Set, Thread, [this](int Done, int) {
        if (OnStep)
            OnStep(Done);
    });
}

TfrmGuarSysShort::TfrmGuarSysShort(QWidget *Owner) : TGenForm(Owner)
{
    ChildKind = cwGuarantee;
    CreateControls();
    platform::setHelpContext(this, 401);
    Runner.OnProgress = [this](int Pos, int Step) { DoProgress(Pos, Step); };
    Runner.OnFinished = [this](const TTaskEnd &End) { Guarded([this, &End] { GuarEnded(End); }); };
}

TfrmGuarSysShort::~TfrmGuarSysShort()
{
    StopComputing();
}

void TfrmGuarSysShort::Init(TGameData *AGame, const TSystem &ASystem, double APrecision,
                            std::unique_ptr<TAllGuars> AVariants)
{
    Game = AGame;
    Precision = APrecision;
    Set = std::make_unique<TSetGuaranty>(Game, ProgramParams.GProb, ASystem);
    Set->Precision = Precision;
    for (const TGeneralList<TOneOfAllGuars> *list : {&AVariants->List1, &AVariants->List2})
        for (int i = 0; i < list->Count(); ++i) {
            const TOneOfAllGuars &variant = *list->GetItem(i);
            if (!variant.Selected)
                continue;
            auto guaranty =
                std::make_unique<TGuaranty>(Game, Runner.LatestProgressHandler(), variant.Parts, Set->System);
            guaranty->Caption = variant.LongText;
            Set->Add(std::move(guaranty));
        }
    Count = Set->Count();
}

void TfrmGuarSysShort::ShowCaption()
{
    setWindowTitle(WindowTag(*Game, WindowNo) + QStringLiteral("> Gwarancja: ") +
                   QString::fromStdString(Set->Description));
}

void TfrmGuarSysShort::Start()
{
    ShowCaption();
    ProgressBar1->SetMax(10000);
    ProgressBar2->SetMax(std::max(Count, 1) * 10000);
    ProgressBar1->SetPosition(0);
    ProgressBar2->SetPosition(0);
    Step = 0;
    State = 2;
    if (Count > 0)
        lblGuartType->setText(GuaranteeText + QString::fromStdString(Set->GetItem(0).Caption));
    const TSGThread job{Set.get(), [this, report = Runner.ReportHandler()](int Done) {
                            report([this, Done] { StepDone(Done); });
                        }};
    Runner.Start([job](TMyThread &Thread) { job.Execute(Thread); });
    UpdateMenu();
}

void TfrmGuarSysShort::InitFromSet(TGameData *AGame, std::unique_ptr<TSetGuaranty> ASet)
{
    Game = AGame;
    Set = std::move(ASet);
    Precision = Set->Precision;
    Count = Set->Count();
    ShowCaption();
    ShowResults();
}

void TfrmGuarSysShort::DoProgress(int Pos, int ProgressStep)
{
    if (State != 2)
        return;
    ShowProgress(ProgressBar1, lblProg1, Pos, ProgressStep);
    // The newest report may come from the next guarantee while the step to it still waits: the overall
    // bar never goes back.
    ShowProgress(ProgressBar2, lblProg2, std::max(Step + Pos, ProgressBar2->Position()), ProgressStep);
}

void TfrmGuarSysShort::StepDone(int Done)
{
    if (State != 2)
        return;
    Step = Done * 10000;
    if (Done < Count)
        lblGuartType->setText(GuaranteeText + QString::fromStdString(Set->GetItem(Done).Caption));
}

void TfrmGuarSysShort::GuarEnded(const TTaskEnd &End)
{
    if (State != 2)
        return;
    if (End.Failed) {
        // The system window gets its commands back; the window stays with its progress.
        State = 1;
        UpdateMenu();
        if (ParentWindow)
            ParentWindow->SetChildState(this, State);
        MsgBox(QStringLiteral("Nie udało się obliczyć gwarancji."), QString(), MsgFlagsNotice);
        return;
    }
    ShowResults();
}

void TfrmGuarSysShort::StopComputing()
{
    if (State != 2)
        return;
    State = 1;
    Runner.Stop();
}

void TfrmGuarSysShort::ParentClosing()
{
    StopComputing();
}

void TfrmGuarSysShort::UpdateMenu()
{
    if (!IsActiveChild())
        return;
    FormActivate();
}

void TfrmGuarSysShort::FormActivate()
{
    EnableCommands(cmdAll, false);
    EnableCommands(State == 0 ? ResultCommands : State == 2 ? ComputingCommands : cmdRead, true);
}

bool TfrmGuarSysShort::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_SYS_SAVE) {
        Save();
    } else if (code == WM_SYS_REPORT) {
        Report();
    } else if (code == WM_TASK_STOP) {
        StopComputing();
        Close();
    } else {
        return false;
    }
    return true;
}

void TfrmGuarSysShort::Save()
{
    if (State != 0)
        return;
    WriteNamedFile(this, wfGuarantee, QString::fromStdString(Set->Description), DataDir,
                   [this](const std::string &FileName, const std::string &Title, const std::string &Comment) {
                       return Set->SaveToFile(FileName, Title, Comment);
                   });
}

void TfrmGuarSysShort::FormShow()
{
    if (State == 0)
        FitWidth();
    CenterChildForm(this);
}

void TfrmGuarSysShort::closeEvent(QCloseEvent *event)
{
    StopComputing();
    if (IsActiveChild())
        FormDeactivate();
    event->accept();
}
