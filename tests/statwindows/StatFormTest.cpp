// The statistics window frame on a statistic whose worker waits for the test: the states and the
// commands they leave on, Stop, and closing while computing.
#include "controls/StringAlignGrid.h"
#include "output/FSelRepItems.h"
#include "shell/FGlobalWindows.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/statwindows/StatWindowTestSupport.h"

#include <QListWidget>
#include <QPushButton>

#include <atomic>
#include <thread>

namespace {

// Computes nothing until released (or stopped).
class GatedStat : public TStat {
public:
    using TStat::TStat;
    ~GatedStat() override { Thread.reset(); }

    std::atomic<bool> Release{false};
    std::atomic<bool> Started{false};
    std::atomic<bool> SawStop{false};

    void Start()
    {
        StartWorker([this](TMyThread &Worker) {
            Started = true;
            while (!Release && !Worker.GetTerminated())
                std::this_thread::yield();
            if (CheckStopped(Worker)) {
                SawStop = true;
                return;
            }
            State = ssComputed;
        });
    }
    void Finished() override
    {
        if (OnFinished)
            OnFinished();
    }
};

class GatedWindow : public TGenStatForm {
public:
    GatedWindow() : TGenStatForm(0, QStringLiteral("> Próba"), true, 1) {}
    ~GatedWindow() override { FreeStat(); }

    GatedStat *Gated = nullptr;
    int Shown = 0;
    int Writes = 0;
    bool Refuse = false; // the statistic refuses to start for want of memory

protected:
    std::unique_ptr<TStat> CreateStat() override
    {
        auto stat = std::make_unique<GatedStat>(&Game->Info, System, StatProgressHandler());
        stat->OnFinished = StatFinishedHandler();
        Gated = stat.get();
        return stat;
    }
    void ClearResults() override {}
    bool StartStat() override
    {
        if (Refuse) {
            Gated->State = ssNoMemory;
            return false;
        }
        Gated->Start();
        return true;
    }
    bool ShowResults() override
    {
        ++Shown;
        return true;
    }
    void WriteParams() override { ++Writes; }
};

// Three tables for the several-table report: the second one left out of the dialog.
class TablesWindow : public GatedWindow {
public:
    TablesWindow()
    {
        for (int i = 0; i < 3; ++i) {
            auto *grid = new TStringAlignGrid(this);
            grid->setColCount(2);
            grid->setRowCount(3 + i);
            for (int r = 0; r < grid->RowCount(); ++r)
                for (int c = 0; c < 2; ++c)
                    grid->setCells(c, r, QStringLiteral("%1:%2.%3").arg(i).arg(r).arg(c));
            Grids.push_back(grid);
        }
    }
    std::vector<TStringAlignGrid *> Grids;

protected:
    void Report() override
    {
        ReportTables({{"Pierwsza", "Arkusz A", Grids[0]},
                      {"Ukryta", "Arkusz B", Grids[1], false},
                      {"Trzecia", "Arkusz C", Grids[2]}},
                     ReportHeader("Próba", " Zakres danych"), 11);
    }
};

} // namespace

class StatFormTest : public StatWindowTest {
protected:
    GatedWindow *OpenGated()
    {
        auto *window = new GatedWindow;
        window->Init(true, &Lotto(), nullptr, nullptr);
        AddChildForm(window);
        return NewestChild<GatedWindow>();
    }
};

TEST_F(StatFormTest, ComputeStopAndCloseFollowTheStates)
{
    OpenFrame();
    GatedWindow *window = OpenGated();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);

    // Stop half-way: the worker ends, its late end shows nothing.
    sendCommand(window, WM_TASK_START);
    EXPECT_EQ(window->State, 2);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
    ASSERT_TRUE(ProcessUntil([&] { return window->Gated->Started.load(); }));
    sendCommand(window, WM_TASK_STOP);
    EXPECT_TRUE(window->Gated->SawStop);
    ProcessPosted();
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(window->Shown, 0);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);

    // A computation that ends shows its results.
    window->Gated->Release = true;
    sendCommand(window, WM_TASK_START);
    WaitForResults(window);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(window->Shown, 1);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdReport | cmdStart);

    // A statistic that refuses to start ends the computation at once, with the warning.
    window->Refuse = true;
    script.answerBox(1);
    sendCommand(window, WM_TASK_START);
    ProcessPosted();
    window->Refuse = false;
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text,
              "Generacja statystyki została przerwana z powodu niewystarczającej ilości pamięci.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(window->State, 1);
    EXPECT_EQ(window->Shown, 1);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart);

    // Closing while computing stops the worker before the window goes, and writes the parameters once.
    window->Gated->Release = false;
    window->Gated->Started = false;
    window->Gated->SawStop = false;
    sendCommand(window, WM_TASK_START);
    ASSERT_TRUE(ProcessUntil([&] { return window->Gated->Started.load(); }));
    GatedStat *stat = window->Gated;
    QPointer<GatedWindow> watched(window);
    ASSERT_TRUE(window->Close());
    EXPECT_TRUE(stat->SawStop);
    EXPECT_EQ(window->Writes, 1);
    ProcessPosted();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(EnabledMask(), cmdRead);
}

TEST_F(StatFormTest, SeveralTablesGoOnASheetEachAsTicked)
{
    OpenFrame();
    auto *window = new TablesWindow;
    window->Init(true, &Lotto(), nullptr, nullptr);
    AddChildForm(window);
    window->State = 0; // results shown

    script.onDialog([](QDialog &Dialog) {
        auto &items = dynamic_cast<TfrmSelRepItems &>(Dialog);
        EXPECT_EQ(items.CheckListBox1->count(), 2);
        items.btnOK->click();
    });
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    EXPECT_EQ(window->ReportItems, (std::vector<bool>{true, false, true}));
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].Name, "Arkusz A");
    EXPECT_EQ(sheets[1].Name, "Arkusz C");
    // Over draws the header's nine lines (the range's last at B9), then the table from row 11.
    EXPECT_EQ(sheets[0].At("B3").Text, "Statystyka : Próba");
    EXPECT_EQ(sheets[0].At("B9").Text.rfind("  Ograniczenia   : ", 0), 0u);
    EXPECT_EQ(sheets[0].At("B11").Text, "0:0.0");
    EXPECT_EQ(sheets[0].At("C13").Text, "0:2.1");
    EXPECT_EQ(sheets[1].At("B2").Text, "2:0.0");
    EXPECT_EQ(sheets[1].At("C6").Text, "2:4.1");
    EXPECT_FALSE(sheets[1].At("B7").HasValue);
}
