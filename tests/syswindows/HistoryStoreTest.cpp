// The play-history store: the index file byte by byte, adding from a system window, sorting, selecting,
// deleting and saving.
#include "core/DateTime.h"
#include "shell/FGlobalStartup.h"
#include "syswindows/UHistory.h"
#include "tests/syswindows/HistoryTestSupport.h"

#include <QDate>

#include <filesystem>

namespace fs = std::filesystem;
using histtest::Entry;

namespace {

std::vector<uint32_t> ViewIds(const THistory &History)
{
    std::vector<uint32_t> ids;
    for (int i = 0; i < History.View.Count(); ++i)
        ids.push_back(History.View.GetItem(i)->Id);
    return ids;
}

} // namespace

TEST_F(HistoryTest, IndexBuiltByHandLoadsEveryFieldAndRefusedIndexesLeaveTheHistoryEmpty)
{
    Entry first{.Id = 4,
                .Date = 46001,
                .GameId = 1,
                .Kind = 0,
                .K = 6,
                .N = 12,
                .Combs = 22,
                .Multiplier = 3,
                .Cost = 1980000,
                .Win = 240000,
                .Hits = {0, 0, 0, 0, 1, 2, 0, 0, 0, 7},
                .Name = "C:\\Gry\\Korvantile\\History\\L3.dat"};
    Entry second{.Id = 7,
                 .Date = 46010,
                 .GameId = 2,
                 .Kind = 4,
                 .K = 5,
                 .N = 20,
                 .Combs = 1000,
                 .Multiplier = 1,
                 .Cost = 12345678,
                 .Name = "L7.dat"};
    // The bytes after a stored name are undefined.
    histtest::writeAll(indexPath(), histtest::index(9, {first, second}, 6, 0xCC));
    THistory history;
    history.Load();
    EXPECT_EQ(history.LastId, 9u);
    EXPECT_EQ(history.Count, 2u);
    ASSERT_EQ(history.Items.Count(), 2);
    // Every field read: written again, the index is the hand-built one with the path reduced to the name.
    Entry reduced = first;
    reduced.Name = "L3.dat";
    EXPECT_EQ(HistoryIndexBytes(history.LastId, history.Items), histtest::index(9, {reduced, second}));
    EXPECT_EQ(history.Items.GetItem(0)->Hits, first.Hits);
    EXPECT_EQ(history.Items.GetItem(0)->Profit.count(), 240000 - 1980000);
    EXPECT_EQ(history.Items.GetItem(1)->Profit.count(), -12345678);

    // Another kind, an old version, a count that does not fit the size, a wrong checksum.
    platform::Bytes oldVersion = histtest::index(9, {first});
    oldVersion[0] = 2;
    oldVersion.resize(oldVersion.size() - 4);
    histtest::put(oldVersion, StreamCRC(oldVersion, false), 4);
    platform::Bytes longer = histtest::index(9, {first});
    longer.resize(longer.size() - 4);
    longer.push_back(0);
    histtest::put(longer, StreamCRC(longer, false), 4);
    platform::Bytes broken = histtest::index(9, {first});
    broken[20] ^= 1;
    // A negative amount: this one's profit, 2^62 - (-2^62), leaves the range of money.
    Entry negative = first;
    negative.Cost = -(int64_t(1) << 62);
    negative.Win = int64_t(1) << 62;
    for (const platform::Bytes &refused :
         {histtest::index(9, {first}, 5), oldVersion, longer, broken, histtest::index(9, {second, negative})}) {
        histtest::writeAll(indexPath(), refused);
        history.Load();
        EXPECT_EQ(history.Items.Count(), 0);
        EXPECT_EQ(history.LastId, 0u);
        EXPECT_EQ(history.Count, 0u);
    }
}

TEST_F(HistoryTest, AddingWritesTheSystemFileAndTheIndex)
{
    Lotto().Info.BasicStake = Currency::fromCount(25000);
    TGenSysForm *window = Generate(8, 6, 5);
    ASSERT_EQ(window->ViewCount(), 5);
    const QDate day(2026, 5, 4);
    AddThroughWindow(window, 3, day);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "System został zapisany.");
    EXPECT_EQ(script.boxes()[0].Flags, 64);

    Entry entry{.Id = 1,
                .Date = EncodeDate(2026, 5, 4),
                .GameId = LottoId,
                .Kind = 0,
                .K = 6,
                .N = 8,
                .Combs = 5,
                .Multiplier = 3,
                .Cost = 375000,
                .Name = "L1.dat"};
    const platform::Bytes once = histtest::readAll(indexPath());
    EXPECT_EQ(once.size(), 234u);
    EXPECT_EQ(once, histtest::index(1, {entry}));
    auto stored = CreateSystem(0, &Lotto());
    ASSERT_TRUE(stored->LoadFromFile((historyDir() / "L1.dat").string()));
    EXPECT_EQ(stored->ViewCount(), 5);

    // A second entry: 216 bytes more, both counters up, the next free name.
    AddThroughWindow(window, 1, day.addDays(1));
    Entry next = entry;
    next.Id = 2;
    next.Date += 1;
    next.Multiplier = 1;
    next.Cost = 125000;
    next.Name = "L2.dat";
    const platform::Bytes twice = histtest::readAll(indexPath());
    EXPECT_EQ(twice.size(), 450u);
    EXPECT_EQ(twice, histtest::index(2, {entry, next}));
    EXPECT_TRUE(hasValidCRC(twice));

    // An entry whose system file is gone keeps its name: the next entry does not take it.
    fs::remove(historyDir() / "L2.dat");
    AddThroughWindow(window, 1, day);
    THistory history;
    history.Load();
    ASSERT_EQ(history.Items.Count(), 3);
    EXPECT_EQ(history.Items.GetItem(2)->FileName, "L3.dat");
    EXPECT_EQ(history.LastId, 3u);
}

TEST_F(HistoryTest, ADamagedIndexIsKeptAsideAndAHistoryThatIsAFileTakesNothing)
{
    TGenSysForm *window = Generate(8, 6, 5);
    const platform::Bytes damaged = {3, 0, 0, 0, 6, 0, 1, 2, 3};
    histtest::writeAll(indexPath(), damaged);
    AddThroughWindow(window, 1, QDate(2026, 1, 2), 2);
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].Text, "Plik historii był uszkodzony i został zachowany jako Histoty.dat.damaged.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    EXPECT_EQ(script.boxes()[1].Text, "System został zapisany.");
    EXPECT_EQ(histtest::readAll(historyDir() / "Histoty.dat.damaged"), damaged);
    THistory history;
    history.Load();
    EXPECT_EQ(history.Count, 1u);
    EXPECT_EQ(history.LastId, 1u);

    // "History" is a file: nothing is written, and the failure is said.
    fs::remove_all(historyDir());
    histtest::writeAll(historyDir(), {'x'});
    AddThroughWindow(window, 1, QDate(2026, 1, 2));
    ASSERT_EQ(script.boxes().size(), 3u);
    EXPECT_EQ(script.boxes()[2].Text, "Nie można zapisać systemu w historii.");
    EXPECT_EQ(script.boxes()[2].Flags, 48);
    EXPECT_TRUE(fs::is_regular_file(historyDir()));
    EXPECT_EQ(histtest::readAll(historyDir()), platform::Bytes{'x'});
}

TEST_F(HistoryTest, SortingFollowsTheColumnThenTheTieChainDownToTheId)
{
    const Entry base{.Date = 100, .GameId = 1, .K = 6, .Cost = 200000};
    std::vector<Entry> entries(6, base);
    for (uint32_t i = 0; i < 6; ++i) {
        entries[i].Id = i + 1;
        entries[i].Name = "L" + std::to_string(i + 1) + ".dat";
    }
    entries[1].Cost = 100000; // cheaper
    entries[2].Date = 101;    // newer
    entries[3].GameId = 2;    // a larger game id
    entries[5].K = 5;         // fewer numbers per bet
    // 1 and 5 differ only in the Id.
    histtest::writeAll(indexPath(), histtest::index(6, entries));
    THistory history;
    history.Load();
    history.Select(-1, false, 0, false, 0);
    history.Sort(9, 1);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{3, 6, 5, 1, 4, 2}));
    EXPECT_EQ(history.SortColumn, 9);
    history.Sort(9, -1);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{2, 3, 6, 5, 1, 4}));
    // The row-number column sorts by the chain alone, where the cheaper entry comes first.
    history.Sort(1, 1);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{3, 6, 2, 5, 1, 4}));
    history.Sort(3, 1);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{4, 3, 6, 2, 5, 1}));
}

TEST_F(HistoryTest, SelectTakesTheGameAndEachDateBoundAndSavingRemovesTheDeletedEntriesFiles)
{
    std::vector<Entry> entries;
    for (uint32_t i = 0; i < 4; ++i) {
        entries.push_back({.Id = i + 1,
                           .Date = 100.0 + i,
                           .GameId = i == 3 ? 2u : 1u,
                           .Cost = 10000 * (i + 1),
                           .Win = 50000,
                           .Name = "L" + std::to_string(i + 1) + ".dat"});
        histtest::writeAll(historyDir() / entries.back().Name, {uint8_t(i)});
    }
    histtest::writeAll(indexPath(), histtest::index(9, entries));
    THistory history;
    history.Load();
    history.Select(-1, false, 0, false, 0);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(history.TotalCost, Currency::fromCount(100000));
    EXPECT_EQ(history.TotalWin, Currency::fromCount(200000));
    EXPECT_EQ(history.TotalProfit, Currency::fromCount(100000));
    history.Select(-1, true, 101, false, 0);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{2, 3, 4}));
    history.Select(-1, false, 500, true, 101);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{1, 2})) << "the bound's own day is in";
    history.Select(1, true, 101, true, 103);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{2, 3}));
    EXPECT_EQ(history.TotalCost, Currency::fromCount(50000));
    EXPECT_EQ(history.TotalProfit, Currency::fromCount(50000));

    history.Select(-1, false, 0, false, 0);
    history.Sort(2, 1); // newest first: 4 3 2 1
    history.DeleteRange(1, 2);
    EXPECT_EQ(ViewIds(history), (std::vector<uint32_t>{4, 1}));
    EXPECT_EQ(history.Count, 2u);
    EXPECT_TRUE(fs::exists(historyDir() / "L2.dat")) << "nothing leaves the disk before Save";
    ASSERT_TRUE(history.Save());
    EXPECT_EQ(histtest::readAll(indexPath()), histtest::index(9, {entries[0], entries[3]}));
    for (const Entry &e : entries)
        EXPECT_EQ(fs::exists(historyDir() / e.Name), e.Id == 1 || e.Id == 4) << e.Name;
}
