// How long each worker of the program takes to end after Stop, on the largest input its window accepts:
// the worker is started, told to stop when its own progress reaches about 1 % (early), 50 % (middle) and
// its end (late: the work after the last progress step, such as a merge or a sort), and the time from
// Terminate to the worker's end is printed. Closing a window stops its worker on the same path
// (terminate, then join), so the figures stand for closing too. A worker still running CapSeconds after
// Stop is reported as "> cap" and abandoned (the process ends without joining it); those cases run last.
// Over the shipped Lotto history. Run from a Release build: `bench_stop [case...]`, no case for all.
#include "bench/BenchSupport.h"
#include "core/ProgramParams.h"
#include "core/UGlobalThreads.h"
#include "core/WorkerRunner.h"
#include "engine/FilterKinds.h"
#include "engine/UEFilters.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "engine/UGuaranty.h"
#include "engine/UStatDrawsMan.h"
#include "engine/USysFull.h"
#include "engine/USysFullComp.h"
#include "engine/USysGuar.h"
#include "engine/USysOper.h"
#include "engine/USysRnd.h"
#include "engine/USysShort.h"
#include "engine/USysUser.h"
#include "engine/USysVar.h"
#include "output/HTTPGet.h"
#include "platform/Dispatcher.h"
#include "stats/UPredReduct.h"
#include "stats/UStatBestComb.h"
#include "stats/UStatDiff.h"
#include "stats/UStatFreq.h"
#include "stats/UStatSerieBreak.h"
#include "stats/UStatWait.h"
#include "syswindows/SystemCheck.h"
#include "tests/fixtures/StatDrawHistories.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr double CapSeconds = 10;

// The worker of one run, as a window's runner holds it: Stop terminates and joins. Its end is signalled
// without a dispatcher.
class TBenchRunner : public TWorkerRunner {
public:
    ~TBenchRunner() override
    {
        if (Abandoned)
            (void)FThread.release();
    }
    void Run(TWorkerProc Work, std::function<void()>) override
    {
        FThread = std::make_unique<TMyThread2>();
        FThread->Proc = [this, Work = std::move(Work)](TMyThread &Thread) {
            try {
                Work(Thread);
            } catch (...) {
            }
            const std::lock_guard lock(FLock);
            FEnded = true;
            FEnd.notify_all();
        };
        FThread->Resume();
    }
    void Stop() override
    {
        if (FThread)
            FThread->Terminate();
    }
    bool Ended()
    {
        const std::lock_guard lock(FLock);
        return FEnded;
    }
    // After Stop: true once the worker has ended (and is joined) within the cap.
    bool WaitEnd()
    {
        std::unique_lock lock(FLock);
        if (!FEnd.wait_for(lock, std::chrono::duration<double>(CapSeconds), [this] { return FEnded; })) {
            Abandoned = true;
            return false;
        }
        lock.unlock();
        FThread->WaitFor();
        return true;
    }

    bool Abandoned = false;

private:
    std::unique_ptr<TMyThread2> FThread;
    std::mutex FLock;
    std::condition_variable FEnd;
    bool FEnded = false;
};

// One run of a road: its progress (0..10000 of its own bar) and its worker.
struct TRun {
    std::atomic<int32_t> Position{0};
    TBenchRunner Runner;
    TProgressProc Progress()
    {
        return [this](int32_t Pos, int32_t) { Position.store(Pos, std::memory_order_relaxed); };
    }
};

// A road: Start begins the work of Run on its runner (the road keeps what the work reads in Keep).
struct TRoad {
    std::string Name;
    std::string Input;
    std::function<void(TRun &Run, std::shared_ptr<void> &Keep)> Start;
    int32_t Late = 0; // the late phase's position when it is not where a run ends
};

// A run to its end without a stop: its time and the last position of its progress, which the late
// phase waits for. A road whose late phase is given is not run.
struct TCalibration {
    std::string Time = "?";
    int32_t Last = 9900;
};

TCalibration Calibrate(const TRoad &Road)
{
    TCalibration calibration;
    if (Road.Late > 0) {
        calibration.Last = Road.Late;
        return calibration;
    }
    TRun run;
    std::shared_ptr<void> keep;
    const auto start = Clock::now();
    Road.Start(run, keep);
    while (!run.Runner.Ended())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    run.Runner.WaitEnd();
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::chrono::duration<double>(Clock::now() - start).count());
    calibration.Time = text;
    calibration.Last = run.Position.load();
    return calibration;
}

// Milliseconds from Stop to the worker's end once its progress has reached Phase; "-" when the worker
// ended before.
std::string Measure(const TRoad &Road, int32_t Phase)
{
    auto run = std::make_unique<TRun>();
    std::shared_ptr<void> keep;
    Road.Start(*run, keep);
    while (run->Position.load(std::memory_order_relaxed) < Phase && !run->Runner.Ended())
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    if (run->Runner.Ended())
        return "-";
    const auto start = Clock::now();
    run->Runner.Stop();
    if (!run->Runner.WaitEnd()) {
        (void)run.release();
        (void)new std::shared_ptr<void>(std::move(keep)); // the abandoned worker still reads it
        char text[32];
        std::snprintf(text, sizeof text, "> %.0f s", CapSeconds);
        return text;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    return text;
}

// A server on the loopback that answers each request with a body of ServedBytes, sent in blocks of
// 1,000 bytes every 10 ms up to 99 % of it, then holds the connection without sending more until the
// client goes (at most two minutes).
constexpr int ServedBytes = 1000000;

int LoopbackServer()
{
    static const int port = [] {
        const int listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(listener, reinterpret_cast<sockaddr *>(&address), length) != 0 || listen(listener, 8) != 0)
            throw std::runtime_error("no loopback server");
        getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
        std::thread([listener] {
            for (;;) {
                const int client = accept(listener, nullptr, nullptr);
                if (client < 0)
                    return;
                std::thread([client] {
                    std::string request;
                    char buffer[1000] = {};
                    while (request.find("\r\n\r\n") == std::string::npos) {
                        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
                        if (got <= 0)
                            break;
                        request.append(buffer, size_t(got));
                    }
                    const std::string head =
                        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(ServedBytes) + "\r\n\r\n";
                    bool open = send(client, head.data(), head.size(), MSG_NOSIGNAL) > 0;
                    for (int sent = 0; open && sent < ServedBytes * 99 / 100; sent += int(sizeof buffer)) {
                        open = send(client, buffer, sizeof buffer, MSG_NOSIGNAL) > 0;
                        std::this_thread::sleep_for(std::chrono::milliseconds(10));
                    }
                    for (int i = 0; open && i < 1200; ++i) {
                        pollfd wait{client, POLLIN, 0};
                        open = poll(&wait, 1, 100) == 0;
                    }
                    close(client);
                }).detach();
            }
        }).detach();
        return int(ntohs(address.sin_port));
    }();
    return port;
}

template <typename T> std::shared_ptr<T> keepNew(std::shared_ptr<void> &Keep, std::unique_ptr<T> Object)
{
    std::shared_ptr<T> shared = std::move(Object);
    Keep = shared;
    return shared;
}

const TGameData &Lotto()
{
    static const TGameData game = [] {
        TGameData data;
        data.Info = shippedGame("Lotto");
        return data;
    }();
    return game;
}

// A random system of Count rows of 6 of 49.
std::shared_ptr<TSysRnd> RandomSystem(int32_t Count)
{
    auto system = std::make_shared<TSysRnd>(&Lotto());
    system->SetParams(49, 6, Count);
    system->Generate();
    return system;
}

const std::shared_ptr<TSysShort> &GuaranteeSystem()
{
    static const std::shared_ptr<TSysShort> system = [] {
        auto s = std::make_shared<TSysShort>(&Lotto());
        s->RandomTies = false;
        s->SetParams(49, 6, 20000);
        s->Generate(true);
        return s;
    }();
    return system;
}

// A system's generation on the window's road.
template <typename TSys>
void Generate(TRun &Run, std::shared_ptr<void> &Keep, std::unique_ptr<TSys> System,
              std::function<void(TSys &S, const TMyThread &Thread)> Build)
{
    auto system = keepNew(Keep, std::move(System));
    system->Progress.OnProgress = Run.Progress();
    Run.Runner.Run([system, Build](TMyThread &Thread) { Build(*system, Thread); }, {});
}

// A statistic started on the runner, as its window starts it.
template <typename TS>
std::shared_ptr<TS> Statistic(TRun &Run, std::shared_ptr<void> &Keep, std::unique_ptr<TS> Stat)
{
    auto stat = keepNew(Keep, std::move(Stat));
    stat->Runner = &Run.Runner;
    return stat;
}

std::vector<TRoad> Roads()
{
    std::vector<TRoad> roads;
    roads.push_back({"guarantee", "classic 49/6, 20,000 rows, 6 of 49, precision 1", [](TRun &Run, auto &Keep) {
                         TBlock all;
                         all.Size = 49;
                         all.Hits = 6;
                         for (int i = 1; i <= 49; ++i)
                             all.Numbers.push_back(uint8_t(i));
                         auto set = keepNew(Keep, std::make_unique<TSetGuaranty>(&Lotto(), 0.0, *GuaranteeSystem()));
                         set->Add(std::make_unique<TGuaranty>(&Lotto(), Run.Progress(), TBlocks{all}, set->System));
                         Run.Runner.Run([set](TMyThread &Thread) { CalcSetGuaranty(*set, Thread, {}); }, {});
                     }});
    roads.push_back({"random", "49/6, 13,983,816 rows", [](TRun &Run, auto &Keep) {
                         auto system = std::make_unique<TSysRnd>(&Lotto());
                         system->SetParams(49, 6, int32_t(Newton[49][6]));
                         Generate<TSysRnd>(Run, Keep, std::move(system),
                                           [](TSysRnd &S, const TMyThread &T) { S.Generate(&T); });
                     }});
    roads.push_back({"full", "32/6, 906,192 rows", [](TRun &Run, auto &Keep) {
                         auto system = std::make_unique<TSysFull>(&Lotto());
                         system->SetParams(32, 6);
                         Generate<TSysFull>(Run, Keep, std::move(system),
                                            [](TSysFull &S, const TMyThread &) { S.Generate(); });
                     }});
    roads.push_back({"fullcomp", "3 of 9 + 3 of 40, 829,920 rows", [](TRun &Run, auto &Keep) {
                         auto system = std::make_unique<TSysFullComp>(&Lotto());
                         system->SetParams(9, 3, 3, 40);
                         Generate<TSysFullComp>(Run, Keep, std::move(system),
                                                [](TSysFullComp &S, const TMyThread &) { S.Generate(); });
                     }});
    roads.push_back({"guaranteed", "49/6, 4 if 6", [](TRun &Run, auto &Keep) {
                         auto system = keepNew(Keep, std::make_unique<TSysGuar>(&Lotto()));
                         system->SetParams(49, 6, 4, 6);
                         system->Progress.OnProgress = Run.Progress();
                         system->Runner = &Run.Runner;
                         system->Start();
                     }});
    roads.push_back({"complement", "of a random 30/6 system of 1,000 rows: 592,775 rows",
                     [](TRun &Run, auto &Keep) {
                         auto source = std::make_shared<TSysRnd>(&Lotto());
                         source->SetParams(30, 6, 1000);
                         source->Generate();
                         auto oper = std::make_shared<TSysOper>(Run.Progress());
                         Keep = std::make_shared<std::pair<std::shared_ptr<TSysRnd>, std::shared_ptr<TSysOper>>>(source, oper);
                         oper->Reset(&Lotto());
                         Run.Runner.Run([source, oper](TMyThread &T) {
                             if (oper->Complement(*source, true, &T))
                                 oper->Finish();
                         }, {});
                     }});
    roads.push_back({"union", "two random 6/49 systems of 1,000,000 rows", [](TRun &Run, auto &Keep) {
                         static const std::shared_ptr<TSysRnd> a = RandomSystem(1000000), b = RandomSystem(1000000);
                         auto oper = keepNew(Keep, std::make_unique<TSysOper>(Run.Progress()));
                         oper->Reset(&Lotto());
                         Run.Runner.Run([oper](TMyThread &T) {
                             if (oper->Union({a.get(), b.get()}, true, &T))
                                 oper->Finish();
                         }, {});
                     }});
    roads.push_back({"compose", "two 6/49 systems of 30,000 rows sharing 1: 9 x 10^8 tuples",
                     [](TRun &Run, auto &Keep) {
                         static const std::shared_ptr<TSysUser> a = [] {
                             auto s = std::make_shared<TSysUser>(&Lotto());
                             s->SetParams(6, 0);
                             TDynByteArr rest, row(6, 1);
                             for (int i = 0; i < 30000; ++i) {
                                 NextComb(rest, 48, 5, i == 0);
                                 for (int j = 0; j < 5; ++j)
                                     row[size_t(j) + 1] = uint8_t(rest[size_t(j)] + 1);
                                 s->AppendComb(row.data());
                             }
                             s->RefreshView(true);
                             return s;
                         }();
                         auto oper = keepNew(Keep, std::make_unique<TSysOper>(Run.Progress()));
                         oper->Reset(&Lotto());
                         Run.Runner.Run([oper](TMyThread &T) {
                             if (oper->Compose({a.get(), a.get()}, true, &T))
                                 oper->Finish();
                         }, {});
                     }});
    roads.push_back({"filter", "full 49/6 (too many), sum 100..200", [](TRun &Run, auto &Keep) {
                         RegisterFilterKinds();
                         auto system = std::make_shared<TSysFull>(&Lotto());
                         system->SetParams(49, 6);
                         auto set = std::make_shared<TGroupFilter>(&Lotto(), 49, 6, system->Key);
                         auto filter = std::make_unique<TFltSum>(&Lotto(), 49, 6, system->Key);
                         filter->Params = TRangeBlock{rmRange, 100, 200};
                         set->AddFilter(filter.release(), false);
                         set->Build();
                         Keep = std::make_shared<std::pair<decltype(system), decltype(set)>>(system, set);
                         Run.Runner.Run([system, set, progress = Run.Progress()](TMyThread &T) {
                             system->MarkByFilter(*set, T, progress);
                         }, {});
                     }});
    roads.push_back({"explore", "full 49/6 (too many), sum against every draw", [](TRun &Run, auto &Keep) {
                         auto system = std::make_shared<TSysFull>(&Lotto());
                         system->SetParams(49, 6);
                         std::shared_ptr<TEFilter> filter =
                             CreateEFilter(efltSum, &Lotto(), 49, system->Key, Newton[49][6], 6);
                         TDrawsRange range;
                         DefaultDrawsRange(range);
                         filter->SetDrawsRange(range, testsupport::LottoHistory());
                         Keep = std::make_shared<std::pair<decltype(system), decltype(filter)>>(system, filter);
                         Run.Runner.Run([system, filter, progress = Run.Progress()](TMyThread &T) {
                             system->CollectEFilters({filter.get()}, nullptr, T, progress);
                         }, {});
                     }});
    roads.push_back({"syscheck", "65,000 rows of 6/49 against every draw", [](TRun &Run, auto &Keep) {
                         static const std::shared_ptr<TSysRnd> system = RandomSystem(Limits.MaxCombOutput);
                         auto draws = std::make_shared<TStatDraws>();
                         TDrawsRange every;
                         StatDrawsMan.LoadRange(*draws, testsupport::LottoHistory(), every);
                         StatDrawsMan.SortByDate(*draws, 1);
                         auto check = std::make_shared<TSystemCheck>();
                         check->Reset(Lotto().Info, system->N, system->K);
                         auto job = std::make_shared<TCheckJob>(*check, *system, CheckDrawsOf(*draws));
                         job->Progress.Init(10000, int64_t(system->ViewCount()) * int64_t(draws->size()), 0);
                         job->Progress.OnProgress = Run.Progress();
                         Keep = std::make_shared<std::tuple<decltype(draws), decltype(check), decltype(job)>>(draws, check, job);
                         Run.Runner.Run([job](TMyThread &T) { job->Execute(T); }, {});
                     }});
    roads.push_back({"frequency", "sextuples never drawn, every draw", [](TRun &Run, auto &Keep) {
                         auto stat = Statistic(Run, Keep, std::make_unique<TStatFreq>(&Lotto().Info, nullptr, Run.Progress(), nullptr, nullptr));
                         stat->LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), 1);
                         stat->SetParams(6, 0, {}, false, 0, false);
                         stat->Start();
                     }});
    roads.push_back({"frequency4", "quadruples, every draw", [](TRun &Run, auto &Keep) {
                         auto stat = Statistic(Run, Keep, std::make_unique<TStatFreq>(&Lotto().Info, nullptr, Run.Progress(), nullptr, nullptr));
                         stat->LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), 1);
                         stat->SetParams(4, 1, {}, false, 0, false);
                         stat->Start();
                     }});
    for (const bool series : {true, false})
        roads.push_back({series ? "series" : "breaks", "sextuples with their spread, every draw",
                         [series](TRun &Run, auto &Keep) {
                             auto stat = Statistic(Run, Keep, std::make_unique<TStatSerieBreak>(&Lotto().Info, series, Run.Progress(), nullptr));
                             stat->LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
                             stat->SetParams(6, true, true, false, {});
                             stat->Start();
                         }});
    roads.push_back({"waiting", "the longest k, 50 % of all, every draw", [](TRun &Run, auto &Keep) {
                         auto stat = Statistic(Run, Keep, std::make_unique<TStatWait>(&Lotto().Info, Run.Progress(), nullptr));
                         stat->LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
                         stat->SetParams(1, stat->MaxCombLen(), 0.5f, 50);
                         stat->Start();
                     }});
    roads.push_back({"differences", "a system of 1,000,000 rows", [](TRun &Run, auto &Keep) {
                         static const std::shared_ptr<TSysRnd> system = RandomSystem(1000000);
                         auto stat = Statistic(Run, Keep, std::make_unique<TStatDiffs>(&Lotto().Info, system.get(), Run.Progress()));
                         stat->LoadSystem();
                         stat->Start();
                     }});
    roads.push_back({"optimal", "exhaustive, 6 of all 49, by prize, every draw", [](TRun &Run, auto &Keep) {
                         auto stat = Statistic(Run, Keep, std::make_unique<TStatBestComb>(&Lotto().Info, Run.Progress(), nullptr, nullptr));
                         stat->LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
                         std::vector<uint8_t> pool;
                         for (int n = 1; n <= 49; ++n)
                             pool.push_back(uint8_t(n));
                         stat->SetParams(false, 0, 6, pool.data(), 49, nullptr, 0, false, 3, 6, false);
                         stat->Start();
                     }});
    roads.push_back({"reduction", "49 key numbers, hit level 6, every draw", [](TRun &Run, auto &Keep) {
                         auto stat = Statistic(Run, Keep, std::make_unique<TPredReduct>(&Lotto().Info, Run.Progress(), nullptr));
                         stat->LoadDraws(TDrawsRange{}, testsupport::LottoHistory(), -1);
                         std::vector<uint8_t> key;
                         for (int n = 1; n <= 49; ++n)
                             key.push_back(uint8_t(n));
                         stat->SetParams(49, key.data(), 6, 6);
                         stat->Start();
                     }});
    roads.push_back({"download", "1 MB from a loopback server that stalls at 99 %", [](TRun &Run, auto &Keep) {
                         static const std::filesystem::path folder = std::filesystem::temp_directory_path();
                         auto get = keepNew(Keep, std::make_unique<THTTPGetFile>());
                         get->URL = "http://127.0.0.1:" + std::to_string(LoopbackServer()) + "/draws.zip";
                         get->FileName = (folder / ("bench_stop_" + std::to_string(getpid()) + ".zip")).string();
                         get->OnProgress = [progress = Run.Progress()](int32_t Bytes) {
                             progress(int32_t(int64_t(Bytes) * 10000 / ServedBytes), 0);
                         };
                         Run.Runner.Run([get](TMyThread &T) {
                             get->Thread = &T;
                             get->GetFile();
                             std::error_code error;
                             std::filesystem::remove(get->FileName, error);
                         }, {});
                     }, 9900});
    // Late: the search for the last two rows, minutes long at this size.
    roads.push_back({"classic", "49/6, 3,000,000 rows, no random ties", [](TRun &Run, auto &Keep) {
                         auto system = std::make_unique<TSysShort>(&Lotto());
                         system->RandomTies = false;
                         system->SetParams(49, 6, 3000000);
                         Generate<TSysShort>(Run, Keep, std::move(system),
                                             [](TSysShort &S, const TMyThread &T) { S.Generate(true, &T); });
                     }, 9999});
    roads.push_back({"variable", "49/6, V 1, 1,712,304 rows", [](TRun &Run, auto &Keep) {
                         auto system = std::make_unique<TSysVar>(&Lotto());
                         system->SetParams(49, 6, 1712304, 1);
                         Generate<TSysVar>(Run, Keep, std::move(system),
                                           [](TSysVar &S, const TMyThread &T) { S.Generate(&T); });
                     }, 9999});
    return roads;
}

} // namespace

int main(int argc, char **argv)
{
    platform::installDispatcher(std::make_shared<platform::QueueDispatcher>());
    Limits.MaxComb = Limits.MaxCombHigh;
    std::vector<std::string> only(argv + 1, argv + argc);
    std::printf("%-12s %-50s %8s %9s %9s %9s\n", "worker", "largest input", "run s", "early ms", "middle ms",
                "late ms");
    bool abandoned = false;
    for (const TRoad &road : Roads()) {
        if (!only.empty() && std::find(only.begin(), only.end(), road.Name) == only.end())
            continue;
        const TCalibration calibration = Calibrate(road);
        const int32_t phases[3] = {100, 5000, std::max(calibration.Last, 100)};
        std::string figures[3];
        for (int p = 0; p < 3; ++p) {
            figures[p] = Measure(road, phases[p]);
            abandoned = abandoned || figures[p][0] == '>';
        }
        std::printf("%-12s %-50s %8s %9s %9s %9s\n", road.Name.c_str(), road.Input.c_str(),
                    calibration.Time.c_str(), figures[0].c_str(), figures[1].c_str(), figures[2].c_str());
        std::fflush(stdout);
    }
    if (abandoned)
        std::_Exit(0); // a worker past the cap still runs
    return 0;
}
