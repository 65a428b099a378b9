// The report road: the progress window over a job, the file it leaves for the desktop, the messages of a
// report that cannot be written or opened, and a stop at a chosen step.
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"

#include "controls/StringAlignGrid.h"
#include "core/UGlobalThreads.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalStartup.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/ModalScript.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/fixtures/XlsxReader.h"
#include "tests/support/HangGuard.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace {

class ExcelReportTest : public FreshRegistry {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        InitGlobals();
        grid.setColCount(5);
        grid.setRowCount(21);
        for (int r = 0; r < 21; ++r)
            for (int c = 0; c < 5; ++c)
                grid.setCells(c, r, QStringLiteral("%1.%2").arg(r).arg(c));
    }
    void TearDown() override
    {
        DoneGlobals();
        folder.reset();
        FreshRegistry::TearDown();
    }

    // The grid whole on one sheet.
    TReportJob GridJob()
    {
        return [taken = TReportGrid::Take(grid)](const TMyThread &Thread, TEReport &Report, TProgress &Progress) {
            Progress.Init(10000, ReportProgressTotal(taken), 0);
            Report.AddSheets(1);
            Report.WriteGrid(2, 2, taken, Thread, Progress);
            if (!Report.Stopped(Thread))
                Report.ShowExcel();
        };
    }

    std::optional<testsupport::ProgramFolder> folder;
    testsupport::ModalScript script;
    TStringAlignGrid grid;
};

TEST_F(ExcelReportTest, FinishedReportsAreWrittenUnderFreeNamesAndOpened)
{
    for (int run = 0; run < 2; ++run) {
        testsupport::expectReport(script);
        ASSERT_TRUE(ExcelAvailable());
        RunExcelReport(nullptr, GridJob());
    }
    ASSERT_EQ(script.openedDocuments().size(), 2u);
    const QRegularExpression name(QStringLiteral("^Raport-\\d{8}-\\d{6}(-\\d+)?\\.xlsx$"));
    for (const QString &opened : script.openedDocuments()) {
        const fs::path path = opened.toStdString();
        EXPECT_EQ(path.parent_path().string() + "/", TempDir);
        EXPECT_TRUE(name.match(QString::fromStdString(path.filename().string())).hasMatch()) << path;
        const std::vector<testsupport::XlsxSheet> sheets = testsupport::readXlsx(path);
        ASSERT_EQ(sheets.size(), 1u);
        EXPECT_EQ(sheets[0].At("F22").Text, "20.4");
    }
    EXPECT_NE(script.openedDocuments()[0], script.openedDocuments()[1]);
    EXPECT_TRUE(script.boxes().empty());
}

TEST_F(ExcelReportTest, WorkbooksThatCannotBeWrittenOrOpenedAreToldWithTheirPaths)
{
    // The desktop does not open the written workbook: the user learns where it is.
    script.onDialog([](QDialog &Dialog) { testsupport::ModalScript::waitUntilClosed(Dialog); });
    script.answerOpen(false);
    script.answerBox(platform::IDOK);
    RunExcelReport(nullptr, GridJob());
    ASSERT_EQ(script.openedDocuments().size(), 1u);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text,
              QStringLiteral("Nie można otworzyć raportu.\n") + script.openedDocuments()[0]);
    EXPECT_EQ(script.boxes()[0].Flags, 48);

    // A file in the folder's place (root writes into any folder): told before anything else.
    fs::remove_all(TempDir);
    std::ofstream(fs::path(TempDir).parent_path().parent_path() / "Temp") << "x";
    script.answerBox(platform::IDOK);
    EXPECT_FALSE(ExcelAvailable());
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[1].Text,
              QStringLiteral("Nie można zapisać raportu.\n") + QString::fromStdString(TempDir));
    EXPECT_EQ(script.boxes()[1].Flags, 48);

    // The folder goes after the check: told once the progress window has closed, and nothing is opened.
    fs::remove(fs::path(TempDir).parent_path());
    ASSERT_TRUE(ExcelAvailable());
    std::string refused;
    script.onDialog([&](QDialog &Dialog) {
        EXPECT_EQ(script.boxes().size(), 2u);
        testsupport::ModalScript::waitUntilClosed(Dialog);
    });
    script.answerBox(platform::IDOK);
    RunExcelReport(nullptr, [&](const TMyThread &Thread, TEReport &Report, TProgress &Progress) {
        fs::remove_all(TempDir);
        std::ofstream(fs::path(TempDir).parent_path()) << "x";
        GridJob()(Thread, Report, Progress);
        refused = Report.FileName;
    });
    ASSERT_EQ(script.boxes().size(), 3u);
    EXPECT_EQ(script.boxes()[2].Text,
              QStringLiteral("Nie można zapisać raportu.\n") + QString::fromStdString(refused));
    EXPECT_EQ(script.openedDocuments().size(), 1u);
}

TEST_F(ExcelReportTest, AJobThatFailsIsToldByWhatItThrewAndLeavesNoFile)
{
    ASSERT_TRUE(ExcelAvailable());
    // Before anything was written, and after the workbook's file was.
    for (const bool afterWriting : {false, true}) {
        script.onDialog([](QDialog &Dialog) { testsupport::ModalScript::waitUntilClosed(Dialog); });
        script.answerBox(platform::IDOK);
        RunExcelReport(nullptr, [&](const TMyThread &Thread, TEReport &Report, TProgress &Progress) {
            if (afterWriting) {
                GridJob()(Thread, Report, Progress);
                ASSERT_TRUE(Report.Written);
            }
            throw std::runtime_error("Arkusz odmówił zapisu komórki B7.");
        });
        ASSERT_EQ(script.boxes().size(), afterWriting ? 2u : 1u);
        EXPECT_EQ(script.boxes().back().Text, QStringLiteral("Arkusz odmówił zapisu komórki B7."));
        EXPECT_EQ(script.boxes().back().Flags, 48);
        EXPECT_TRUE(script.openedDocuments().empty());
        EXPECT_TRUE(!fs::exists(TempDir) || fs::is_empty(TempDir));
    }
}

// A stop at a chosen step, by the stop button or by the title bar: the job ends there and no file is left.
class ExcelReportStopTest : public ExcelReportTest, public testing::WithParamInterface<bool> {};

TEST_P(ExcelReportStopTest, StopAtAChosenStepEndsTheJobThere)
{
    const bool byButton = GetParam();
    constexpr int64_t ChosenStep = 120; // within the cells, after the 70 steps of the block's formats
    ASSERT_TRUE(ExcelAvailable());
    std::atomic<bool> paused{false};
    int64_t pausedAt = 0;
    int64_t endedAt = 0;
    int result = -1;
    script.onDialog([&](QDialog &Dialog) {
        const QDeadlineTimer guard(testsupport::HangGuardMs);
        while (!paused && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        ASSERT_TRUE(paused);
        auto &window = dynamic_cast<TfrmExcelReport &>(Dialog);
        if (byButton)
            window.btnStop->click();
        else
            window.close();
        EXPECT_FALSE(window.isVisible());
        result = window.result();
    });
    const TReportGrid taken = TReportGrid::Take(grid);
    RunExcelReport(nullptr, [&](const TMyThread &Thread, TEReport &Report, TProgress &Progress) {
        Progress.Init(10000, ReportProgressTotal(taken), 0);
        const TProgressProc shown = Progress.OnProgress;
        // Holds the worker at the first report past the chosen step until the user has stopped it.
        Progress.OnProgress = [&](int32_t Pos, int32_t Step) {
            shown(Pos, Step);
            if (Progress.Done < ChosenStep || paused)
                return;
            pausedAt = Progress.Done;
            paused = true;
            while (!Thread.GetTerminated())
                std::this_thread::yield();
        };
        Report.AddSheets(1);
        Report.WriteGrid(2, 2, taken, Thread, Progress);
        endedAt = Progress.Done;
        Report.ShowExcel();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_GE(pausedAt, ChosenStep);
    EXPECT_EQ(endedAt, pausedAt);
    EXPECT_TRUE(!fs::exists(TempDir) || fs::is_empty(TempDir));
    EXPECT_TRUE(script.openedDocuments().empty());
}

INSTANTIATE_TEST_SUITE_P(ByButtonAndTitleBar, ExcelReportStopTest, testing::Bool());

} // namespace
