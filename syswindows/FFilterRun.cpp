// The filter editor's filtering run, its end and the counts it shows, OK and Cancel, saving the chosen
// filters as a filter set and reading saved sets.
#include "syswindows/FFilter.h"

#include "controls/ALProgressBar.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalStartup.h"
#include "shell/RunButtonPress.h"
#include "syswindows/FFilterExplore.h"
#include "syswindows/FFilterRead.h"
#include "syswindows/FFilterThread.h"
#include "syswindows/FWriteFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>

#include <algorithm>

namespace {

const QString FilterCaption = QStringLiteral("&Przelicz");
const QString StopCaption = QStringLiteral("&Stop");

} // namespace

QString TfrmFilter::ShownCount(int64_t Value)
{
    return QString::fromStdString(FormatFloat("#,##;;0", double(Value)));
}

void TfrmFilter::btnDoFilterClick()
{
    if (DoFilterPress->PressedOnStop()) {
        AutoOK = false;
        StopRun();
    } else if (!Running()) {
        StartRun();
    }
}

void TfrmFilter::BuildResult()
{
    Result->Clear();
    for (int i = 0; i < SelFilters.Count(); ++i)
        Result->AddFilter(SelFilters.GetItem(i), true);
    Result->Build();
    Result->SetDrawsManager(DrawsMan);
    Result->FindType = rbFltFind->isChecked();
}

TGroupFilter *TfrmFilter::ExplorationFilter()
{
    if (SelFilters.Count() == 0)
        return nullptr;
    BuildResult();
    Result->TakeDraws();
    return Result.get();
}

void TfrmFilter::ExplorationRunChanged()
{
    if (!Exploration->Running()) {
        ProgressBar1->SetPosition(0);
        lblProgress->clear();
    }
    UpdateButtons();
}

void TfrmFilter::StartRun()
{
    if (SelFilters.Count() == 0 || Exploration->Running())
        return;
    Runner.Stop();
    BuildResult();
    // The drawn-numbers filters copy their draws here, on the thread that owns the history.
    Result->TakeDraws();
    Thread = std::make_unique<TFilterThread>();
    Thread->ResultFilter = Result.get();
    Thread->Source = {Mode, System, DrawsMan};
    Thread->OnProgress = Runner.ProgressHandler();
    TFilterThread *job = Thread.get();
    btnDoFilter->setText(StopCaption);
    ProgressBar1->SetPosition(0);
    lblProgress->clear();
    Runner.Start([job](TMyThread &Worker) { job->Execute(Worker); });
    UpdateButtons();
}

void TfrmFilter::StopRun()
{
    if (!Thread)
        return;
    Runner.Stop();
    Thread.reset();
    Stale = true;
    EnableRunControls();
}

void TfrmFilter::EnableRunControls()
{
    btnDoFilter->setText(FilterCaption);
    ProgressBar1->SetPosition(0);
    lblProgress->clear();
    UpdateButtons();
}

void TfrmFilter::ShowRunProgress(int Pos, int Step)
{
    ShowProgress(ProgressBar1, lblProgress, Pos, Step);
}

void TfrmFilter::RunEnded(const TTaskEnd &End)
{
    const int64_t passed = Thread ? Thread->Result : 0;
    Thread.reset();
    EnableRunControls();
    if (End.Failed) {
        AutoOK = false;
        MsgBox(QString::fromStdString(End.FailureText), QString(), MsgFlagsNotice);
        return;
    }
    if (End.Terminated) {
        AutoOK = false;
        return;
    }
    PassCount = passed;
    AfterCount = Result->FindType ? PassCount : Total - PassCount;
    eTrueComb->setText(ShownCount(PassCount));
    eAfterComb->setText(ShownCount(AfterCount));
    // A type switched while the run went on still needs its own run.
    Stale = Result->FindType != rbFltFind->isChecked();
    if (AutoOK) {
        AutoOK = false;
        btnOKClick();
    }
}

void TfrmFilter::FilterTypeChanged()
{
    // The counts and, for a full system with too many combinations, the rows kept aside are those of
    // the type the last run had.
    Stale = true;
}

void TfrmFilter::btnOKClick()
{
    // The exploration reads the result filter that OK may build anew.
    Exploration->Stop();
    if (Running())
        return;
    if (SelFilters.Count() == 0) {
        MsgBox(QStringLiteral("Nie zostały wybrane żadne filtry."), QString(), MsgFlagsNotice);
        return;
    }
    if (Stale) {
        AutoOK = true;
        StartRun();
        return;
    }
    if (Mode == 1 && AfterCount > MaxComb) {
        MsgBox(QStringLiteral("Zbyt duża liczba kombinacji."), QString(), MsgFlagsNotice);
        return;
    }
    if (AfterCount == 0) {
        MsgBox(QStringLiteral("Liczba kombinacji po filtrowaniu musi być większa od 0."), QString(), MsgFlagsNotice);
        return;
    }
    DelComb = chkOptDelComb->isChecked();
    NewWindow = chkOptNewWindow->isChecked();
    done(1);
}

void TfrmFilter::btnCancelClick()
{
    AutoOK = false;
    Exploration->Stop();
    StopRun();
    done(2);
}

void TfrmFilter::reject()
{
    RunGuarded([this] { btnCancelClick(); });
}

void TfrmFilter::btnWriteFltsClick()
{
    if (SelFilters.Count() == 0)
        return;
    WriteNamedFile(this, wfFilterSet, QString(), FiltersDir,
                   [this](const std::string &FileName, const std::string &Title, const std::string &Comment) {
                       return SaveFilterSet(SelFilters, FileName, Title, Comment);
                   });
}

void TfrmFilter::btnReadFltsClick()
{
    if (Running())
        return;
    std::vector<std::string> files;
    {
        TfrmFilterRead dialog(this);
        dialog.Init(Game, N, &ReadList, K);
        if (platform::execModal(dialog) != 1)
            return;
        files = dialog.FileNames;
    }
    for (const std::string &file : files) {
        ReadList.Clear();
        // With the limits saved: a set read over a pool that cannot reach all of them is saved again
        // unchanged, and the run cuts them to the pool.
        LoadFilterSet(ReadList, Game, N, K, Numbers, file, TFilterRecordRead::AsStored);
        for (int i = 0; i < ReadList.Count(); ++i) {
            std::unique_ptr<TFilter> copy = CopyFilter(*ReadList.GetItem(i));
            if (HasDuplicate(*copy))
                continue;
            const uint32_t kind = copy->Kind;
            const bool andMode = copy->AndMode;
            SelFilters.AddItem(copy.release(), false);
            SetGroupLink(kind, andMode);
        }
    }
    ReadList.Clear();
    ShowSelected();
    if (SelFilters.Count() > 0)
        SelectRow(std::clamp(sgSelFlts->Row(), 1, SelFilters.Count()));
    Stale = true;
    UpdateButtons();
}
