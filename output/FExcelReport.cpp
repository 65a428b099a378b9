#include "output/FExcelReport.h"

#include "controls/ALProgressBar.h"
#include "core/UGlobalThreads.h"
#include "platform/gui/DesktopLaunch.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalProgress.h"
#include "shell/FGlobalStartup.h"
#include "shell/GuardedConnect.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>
#include <system_error>
#include <unistd.h>
#include <utility>

TExcelThread::TExcelThread(TProgressProc OnProgress, TReportJob Job, const TReportScreen &Screen)
    : Job(std::move(Job)), FScreen(Screen)
{
    Progress.OnProgress = std::move(OnProgress);
}

void TExcelThread::Execute(const TMyThread &Thread)
{
    TEReport report(FScreen);
    // A stopped or failed job's workbook goes, also one written already.
    const auto drop = [&report] {
        report.CloseExcel();
        std::error_code error;
        if (report.Written)
            std::filesystem::remove(report.FileName, error);
    };
    try {
        report.Connect();
        Job(Thread, report, Progress);
    } catch (...) {
        drop();
        throw;
    }
    if (Thread.GetTerminated()) {
        // A stop that came after the last step still takes the workbook away.
        drop();
        return;
    }
    FileName = report.FileName;
    Written = report.Written;
}

TfrmExcelReport::TfrmExcelReport(QWidget *Owner) : TFirstShow<QDialog>(Owner)
{
    setWindowTitle(QStringLiteral("Raport"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label6 = new QLabel(QStringLiteral("Eksport danych do arkusza kalkulacyjnego"), this);
    ProgressBar1 = NewProgressBar(this);
    auto *Panel2 = new QFrame(this);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Sunken);
    lblProgress = NewPercentLabel(Panel2, Qt::AlignCenter);
    lblProgress->setText(QStringLiteral("0%"));
    auto *panelLayout = new QHBoxLayout(Panel2);
    panelLayout->setContentsMargins(2, 0, 2, 0);
    panelLayout->addWidget(lblProgress);
    btnStop = new QPushButton(QStringLiteral("&Przerwij"), this);
    btnStop->setAutoDefault(false);

    auto *bar = new QHBoxLayout;
    bar->addWidget(ProgressBar1, 1);
    bar->addWidget(Panel2);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(btnStop);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    layout->addWidget(Label6);
    layout->addLayout(bar);
    layout->addLayout(bottom);
    // The design's size, grown to what the texts need at the font in use.
    setFixedSize(ScaledSize(323, 81).expandedTo(sizeHint()));

    connectGuarded(btnStop, &QPushButton::clicked, this, &TfrmExcelReport::btnStopClick);
    FRunner.OnProgress = [this](int Pos, int Step) { ShowReportProgress(Pos, Step); };
    FRunner.OnFinished = [this](const TTaskEnd &End) { ThreadDone(End); };
}

TfrmExcelReport::~TfrmExcelReport()
{
    FRunner.Stop();
}

void TfrmExcelReport::FormShow()
{
    State = 1;
    FRun = std::make_unique<TExcelThread>(FRunner.ProgressHandler(), ReportJob, TReportScreen::Current());
    TExcelThread *run = FRun.get();
    FRunner.Start([run](TMyThread &Thread) { run->Execute(Thread); });
    State = 2;
}

void TfrmExcelReport::ShowReportProgress(int Position, int Step)
{
    ShowProgress(ProgressBar1, lblProgress, Position, Step);
}

void TfrmExcelReport::ThreadDone(const TTaskEnd &End)
{
    if (State != 2)
        return;
    State = 0;
    FFinished = true;
    FEnd = End;
    accept();
}

void TfrmExcelReport::StopThread()
{
    if (State != 2)
        return;
    State = 1;
    FRunner.Stop();
    FRun.reset();
}

void TfrmExcelReport::btnStopClick()
{
    btnStop->setEnabled(false);
    StopThread();
    reject();
}

void TfrmExcelReport::done(int Result)
{
    StopThread();
    QDialog::done(Result);
}

void TfrmExcelReport::ShowResult() const
{
    if (!FFinished || !FRun)
        return;
    if (FEnd.Failed) {
        MsgBox(QString::fromStdString(FEnd.FailureText), QString(), MsgFlagsNotice);
        return;
    }
    if (FRun->FileName.empty())
        return;
    if (!FRun->Written)
        ShowReportWriteFailure(FRun->FileName);
    else if (!platform::openDocument(QString::fromStdString(FRun->FileName)))
        ShowReportOpenFailure(FRun->FileName);
}

bool ExcelAvailable()
{
    std::error_code error;
    std::filesystem::create_directories(TempDir, error);
    if (std::filesystem::is_directory(TempDir, error) && ::access(TempDir.c_str(), W_OK | X_OK) == 0)
        return true;
    ShowReportWriteFailure(TempDir);
    return false;
}

void RunExcelReport(QWidget *Owner, TReportJob Job)
{
    TfrmExcelReport form(Owner);
    form.ReportJob = std::move(Job);
    platform::execModal(form);
    form.ShowResult();
}
