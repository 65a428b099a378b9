// How long the GUI thread stays unanswered where a player waits: a heartbeat timer on the GUI thread
// records the longest interval between its ticks while a window computes, fills and paints its results.
// Over the shipped Lotto history beside the executable, in a settings store of its own:
//   "Różnice" over all draws;
//   the system check of a classic 6/49 system of 30,000 rows opened and started at once, and of 300,000
//   rows in a window prepared first;
//   the first paint of the heavy charts (combination properties' occurrences, the frequency ranges'
//   stacked bars, the combination check's two charts for 10 numbers) and a repaint of each;
//   the random system of every 6/49 row drawn and taken into its window, then drawn again over it.
// Run from a Release build: `bench_guigaps [runs] [diffs|check|properties|ranges|combcheck|random]`;
// QT_QPA_PLATFORM=offscreen or under a display.
#include "engine/UGameMan.h"
#include "engine/USysRnd.h"
#include "engine/USysShort.h"
#include "platform/RegistryStore.h"
#include "platform/gui/QtDispatcher.h"
#include "shell/FGlobalStats.h"
#include "shell/FGlobalSystems.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"
#include "shell/GuardedApplication.h"
#include "shell/WindowOpeners.h"
#include "statwindows/FCombProp.h"
#include "statwindows/FStatGeneral.h"
#include "statwindows/FStatWindows.h"
#include "syswindows/FCheckComb.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FSysRnd.h"
#include "syswindows/FSysWindows.h"

#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <stdexcept>
#include <vector>

namespace {

constexpr uint8_t LottoId = 1;
constexpr int DiffsStatIndex = 10;
constexpr int RangeFreqsStatIndex = 11;
constexpr int RandomSystemSelectorIndex = 2;
constexpr int64_t AllLottoRows = 13983816; // C(49, 6)

// The longest interval between two ticks of a 1 ms timer on the GUI thread since Start.
class THeartbeat {
public:
    THeartbeat()
    {
        FTimer.setTimerType(Qt::PreciseTimer);
        FTimer.setInterval(1);
        QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
    }
    void Start()
    {
        FLongest = 0;
        FClock.start();
        FLast = 0;
        FTimer.start();
    }
    // The longest gap, the one still open included.
    double Stop()
    {
        Tick();
        FTimer.stop();
        return FLongest;
    }

private:
    void Tick()
    {
        const double now = double(FClock.nsecsElapsed()) / 1e6;
        FLongest = std::max(FLongest, now - FLast);
        FLast = now;
    }

    QTimer FTimer;
    QElapsedTimer FClock;
    double FLast = 0;
    double FLongest = 0;
};

void ProcessUntil(const std::function<bool()> &Done)
{
    while (!Done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The event loop for Ms milliseconds: what was posted, laid out and painted after the work is taken in.
void Settle(int Ms = 400)
{
    QElapsedTimer clock;
    clock.start();
    ProcessUntil([&] { return clock.elapsed() >= Ms; });
}

// The captions of the tab pages holding Widget, outermost first.
std::string PagePath(QWidget *Widget)
{
    std::string path;
    for (QWidget *child = Widget; child && child->parentWidget(); child = child->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(child->parentWidget()->parentWidget());
            tabs && qobject_cast<QStackedWidget *>(child->parentWidget()))
            path = tabs->tabText(tabs->indexOf(child)).remove(QLatin1Char('&')).toStdString() +
                   (path.empty() ? "" : " > " + path);
    return path;
}

// Every tab page on the way from the window down to Widget made the current one.
void ShowPageOf(QWidget *Widget)
{
    for (QWidget *child = Widget; child && child->parentWidget(); child = child->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(child->parentWidget()->parentWidget());
            tabs && qobject_cast<QStackedWidget *>(child->parentWidget()))
            tabs->setCurrentWidget(child);
}

// Milliseconds of one synchronous repaint of the chart.
double RepaintTime(QChartView *Chart)
{
    QElapsedTimer clock;
    clock.start();
    Chart->viewport()->repaint();
    return double(clock.nsecsElapsed()) / 1e6;
}

struct TFigures {
    std::string Name;
    std::vector<double> Values;
};

class TBench {
public:
    TBench()
    {
        platform::RegistryStore::instance().reopen(std::filesystem::path(FStore.path().toStdString()) / "registry.reg");
        platform::RegistryStore::instance().setValue("Settings", "FirstRun", uint32_t{0});
        FFrame = std::make_unique<TfrmMain>();
        FFrame->resize(1280, 860);
        FFrame->show();
        FFrame->cbGame->setCurrentIndex(Games.GameIndexOfId(LottoId));
        Settle();
    }
    ~TBench() { CloseAll(); }

    void Record(const std::string &Name, double Ms)
    {
        auto it = std::find_if(FResults.begin(), FResults.end(), [&](const TFigures &F) { return F.Name == Name; });
        if (it == FResults.end())
            it = FResults.insert(FResults.end(), {Name, {}});
        it->Values.push_back(Ms);
    }

    void Print() const
    {
        std::printf("%-62s %7s %7s %7s\n", "longest GUI gap (repaint: its time), ms", "min", "median", "max");
        for (const TFigures &figures : FResults) {
            std::vector<double> v = figures.Values;
            std::sort(v.begin(), v.end());
            std::printf("%-62s %7.1f %7.1f %7.1f\n", figures.Name.c_str(), v.front(), v[v.size() / 2], v.back());
        }
    }

    // "Różnice" over all draws: Start, the counting, the tables filled and painted.
    void Differences()
    {
        OpenStatWindow(DiffsStatIndex);
        auto *window = Newest<TGenStatForm>();
        Settle();
        FHeart.Start();
        sendCommand(window, WM_TASK_START);
        ProcessUntil([window] { return window->State != 2; });
        Settle();
        Record("Różnice, all 3,545 draws", FHeart.Stop());
        CloseAll();
    }

    // A classic window of Lotto showing Count distinct random rows of 6 numbers.
    TGenSysForm *OpenSystem(size_t Count)
    {
        OpenSystemWindow(0);
        auto *window = Newest<TGenSysForm>();
        TGameData *game = Games.GameById(LottoId);
        auto system = std::make_unique<TSysShort>(game);
        system->SetParams(49, 6, int32_t(Count));
        std::mt19937 random(2024);
        std::uniform_int_distribution<int> number(1, 49);
        std::set<uint64_t> seen; // each row as the mask of its numbers
        while (seen.size() < Count) {
            std::set<uint8_t> row;
            while (row.size() < 6)
                row.insert(uint8_t(number(random)));
            uint64_t mask = 0;
            for (const uint8_t n : row)
                mask |= uint64_t{1} << n;
            const std::vector<uint8_t> sorted(row.begin(), row.end());
            if (seen.insert(mask).second)
                system->AddComb(sorted.data());
        }
        window->OpenSystem(game, std::move(system));
        Settle();
        return window;
    }

    void WaitForCheck(TfrmCheckSystem *Check)
    {
        ProcessUntil([Check] { return !Check->CheckPending() && !Check->Checking() && Check->HasResults(); });
        Settle();
    }

    // The check window opened on a system of 30,000 rows and started at once.
    void SystemCheckAtOnce()
    {
        TGenSysForm *system = OpenSystem(30000);
        FHeart.Start();
        sendCommand(system, WM_SYS_CHECK);
        auto *check = Newest<TfrmCheckSystem>();
        sendCommand(check, WM_TASK_START);
        WaitForCheck(check);
        Record("system check, 30,000 rows, opened and started", FHeart.Stop());
        CloseAll();
    }

    // The check of 300,000 rows in a check window prepared first, without and with its charts.
    void SystemCheckPrepared()
    {
        TGenSysForm *system = OpenSystem(300000);
        sendCommand(system, WM_SYS_CHECK);
        auto *check = Newest<TfrmCheckSystem>();
        for (const bool chart : {false, true}) {
            check->chkShowChart->setChecked(chart);
            Settle();
            FHeart.Start();
            sendCommand(check, WM_TASK_START);
            WaitForCheck(check);
            Record(chart ? "system check, 300,000 rows, window prepared, with charts"
                         : "system check, 300,000 rows, window prepared",
                   FHeart.Stop());
        }
        ShowChartFirstAndRepaint(check, "system check");
        CloseAll();
    }

    // The first showing of every chart of the window (its page made current, laid out and painted), then
    // one repaint of each.
    void ShowChartFirstAndRepaint(QWidget *Window, const std::string &Name)
    {
        const QList<QChartView *> charts = Window->findChildren<QChartView *>();
        for (qsizetype i = 0; i < charts.size(); ++i) {
            const std::string name = Name + " \"" + PagePath(charts[i]) + "\"";
            FHeart.Start();
            ShowPageOf(charts[i]);
            Settle();
            Record(name + ": first showing", FHeart.Stop());
            Record(name + ": repaint", RepaintTime(charts[i]));
        }
    }

    // The properties of the number 7 over all draws: its occurrence chart and its cumulative chart.
    void CombinationProperties()
    {
        TGameData &lotto = *Games.GameById(LottoId);
        TDrawsRange range = lotto.DefRange;
        TStatDraws draws;
        StatDrawsMan.LoadRange(draws, *lotto.DrawsMan, range);
        ShowCombProperties(lotto, {7}, range, draws);
        auto *window = Newest<TfrmCombProp>();
        Settle();
        ShowChartFirstAndRepaint(window, "combination properties");
        // The occurrence chart zoomed in and out by its buttons.
        FHeart.Start();
        ShowPageOf(window->Chart);
        window->btnZoom->click();
        Settle();
        window->btnDeZoom->click();
        Settle();
        Record("combination properties: zoom in and out", FHeart.Stop());
        CloseAll();
    }

    // The frequency ranges over all draws, then their charts.
    void RangeFrequencies()
    {
        OpenStatWindow(RangeFreqsStatIndex);
        auto *window = Newest<TGenStatForm>();
        Settle();
        sendCommand(window, WM_TASK_START);
        ProcessUntil([window] { return window->State != 2; });
        Settle();
        ShowChartFirstAndRepaint(window, "frequency ranges");
        CloseAll();
    }

    // The combination check of 1..10 over all draws (its charts made on their hidden page), then its two
    // charts shown.
    void CombinationCheck()
    {
        OpenCheckComb();
        auto *window = Newest<TfrmCheckComb>();
        TGameData *lotto = Games.GameById(LottoId);
        Settle();
        FHeart.Start();
        window->SetComb(lotto, lotto->DefRange, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
        ProcessUntil([window] { return window->HasResults(); });
        Settle();
        Record("check of 10 numbers: checked and shown", FHeart.Stop());
        ShowChartFirstAndRepaint(window, "check of 10 numbers");
        CloseAll();
    }

    // The random system of all C(49, 6) rows: drawn into an empty window, then drawn again while the
    // window shows the first one.
    void RandomSystem()
    {
        OpenSystemWindow(RandomSystemSelectorIndex);
        auto *window = Newest<TfrmSysRnd>();
        TGameData *game = Games.GameById(LottoId);
        auto system = std::make_unique<TSysRnd>(game);
        system->SetParams(49, 6, 0);
        window->OpenSystem(game, std::move(system));
        window->Count = AllLottoRows;
        Settle();
        for (const char *name :
             {"random system, 13,983,816 rows, drawn", "random system, 13,983,816 rows, drawn again"}) {
            FHeart.Start();
            sendCommand(window, WM_TASK_START);
            ProcessUntil([window] { return !window->Generating(); });
            Settle();
            if (window->ViewCount() != AllLottoRows)
                throw std::runtime_error("the random system was not drawn");
            Record(name, FHeart.Stop());
        }
        CloseAll();
    }

private:
    template <typename Window>
    Window *Newest()
    {
        auto *window = dynamic_cast<Window *>(FFrame->ChildForms().back());
        if (!window)
            throw std::runtime_error("the window did not open");
        FFrame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(window->parentWidget()));
        window->parentWidget()->showMaximized();
        return window;
    }

    void CloseAll()
    {
        FFrame->MdiArea->closeAllSubWindows();
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    QTemporaryDir FStore;
    std::unique_ptr<TfrmMain> FFrame;
    THeartbeat FHeart;
    std::vector<TFigures> FResults;
};

} // namespace

int main(int argc, char *argv[])
{
    InstallTerminateReport();
    TGuardedApplication app(argc, argv);
    platform::installDispatcher(std::make_shared<platform::QtDispatcher>());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    TWindowOpeners openers;
    InstallSystemWindows(openers);
    InstallStatWindows(openers);
    InstallWindowOpeners(std::move(openers));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const std::string only = argc > 2 ? argv[2] : "";
    const std::vector<std::pair<std::string, void (TBench::*)()>> cases = {
        {"diffs", &TBench::Differences},          {"check", &TBench::SystemCheckAtOnce},
        {"check", &TBench::SystemCheckPrepared},  {"properties", &TBench::CombinationProperties},
        {"ranges", &TBench::RangeFrequencies},    {"combcheck", &TBench::CombinationCheck},
        {"random", &TBench::RandomSystem}};
    TBench bench;
    for (int run = 0; run < runs; ++run)
        for (const auto &[name, measure] : cases)
            if (only.empty() || name == only)
                (bench.*measure)();
    bench.Print();
    return 0;
}
