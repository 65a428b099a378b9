#pragma once
// The report road of every window: ExcelAvailable on the GUI thread, then the modal progress window
// "Raport", whose worker runs the window's report job against a report object and a progress object.
// A finished job leaves the workbook written into the temporary folder, which the desktop then opens;
// a stopped or failed one leaves no file, and a failed one is told.

#include "core/UGlobalProgress.h"
#include "output/UEReport.h"
#include "shell/FirstShow.h"
#include "shell/TaskRunner.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QPushButton;
class TALProgressBar;
class TMyThread;

// What a window's report writes: sheets, header, grids or a system, ending with ShowExcel; it sets up
// Progress itself (Init with 10000 and its own total). Runs on the report worker, so it writes only
// what was taken for it on the GUI thread (TReportGrid, copies of systems, texts).
using TReportJob = std::function<void(const TMyThread &Thread, TEReport &Report, TProgress &Progress)>;

// One run of a report on the worker: the report object, the job and its progress.
class TExcelThread {
public:
    TExcelThread(TProgressProc OnProgress, TReportJob Job, const TReportScreen &Screen);

    // The job against a new workbook; a stopped or failed job's workbook is dropped unwritten, and what
    // the failed one threw goes on to the runner.
    void Execute(const TMyThread &Thread);

    TReportJob Job;
    TProgress Progress;
    // What the job's ShowExcel wrote, or failed to write; read once the run has ended.
    std::string FileName;
    bool Written = false;

private:
    TReportScreen FScreen;
};

class TfrmExcelReport : public TFirstShow<QDialog> {
    Q_OBJECT

public:
    explicit TfrmExcelReport(QWidget *Owner = nullptr);
    ~TfrmExcelReport() override;

    QLabel *Label6;
    TALProgressBar *ProgressBar1;
    QLabel *lblProgress;
    QPushButton *btnStop;

    TReportJob ReportJob;
    // 0 idle or finished, 1 starting or stopping, 2 running.
    uint8_t State = 0;

    // After the window has closed: a workbook the job wrote is opened by the desktop; one that could not
    // be written, or that the desktop did not open, is told with its path; a job that failed is told by
    // what it threw.
    void ShowResult() const;

    void ShowReportProgress(int Position, int Step);

protected:
    // Every way of closing (Stop, the title bar, Esc) stops a running job first.
    void done(int Result) override;

private:
    void FormShow() override;
    void ThreadDone(const TTaskEnd &End);
    void StopThread();
    void btnStopClick();

    std::unique_ptr<TExcelThread> FRun;
    bool FFinished = false;
    TTaskEnd FEnd;
    TTaskRunner FRunner; // declared last: stopped before the run it works on goes
};

// Whether the temporary folder can be created and written; when not, "Nie można zapisać raportu." with
// the folder's path. Every report command asks it first, on the GUI thread.
bool ExcelAvailable();

// The progress window over Job, then its result (ShowResult).
void RunExcelReport(QWidget *Owner, TReportJob Job);
