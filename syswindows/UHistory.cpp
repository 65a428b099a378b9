#include "syswindows/UHistory.h"

#include "core/MoneyRange.h"
#include "core/UGlobalFiles.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/AtomicFile.h"
#include "shell/FGlobalStartup.h"

#include <charconv>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace {

constexpr size_t ReservedSize = 1;
// The upper date bound when it is off: the last moment of the year 9999.
constexpr TDateTime LastMoment = 2958465.99999;

// -D when A is greater, D when smaller, 0 when equal.
template <typename T> int CompareField(const T &A, const T &B, int D)
{
    return A > B ? -D : (A < B ? D : 0);
}

int CompareColumn(const THistoryItem &A, const THistoryItem &B, int Column, int D)
{
    switch (Column) {
    case 2:
        return CompareField(A.Date, B.Date, D);
    case 3:
        return CompareField(A.GameId, B.GameId, D);
    case 4:
        return CompareField(A.SysKind, B.SysKind, D);
    case 5:
        return CompareField(A.K, B.K, D);
    case 6:
        return CompareField(A.N, B.N, D);
    case 7:
        return CompareField(A.CombCount, B.CombCount, D);
    case 8:
        return CompareField(A.Multiplier, B.Multiplier, D);
    case 9:
        return CompareField(A.Cost, B.Cost, D);
    case 10:
        return CompareField(A.Win, B.Win, D);
    case 11:
        return CompareField(A.Profit, B.Profit, D);
    default:
        return 0;
    }
}

int CompareItems(const THistoryItem &A, const THistoryItem &B, int Column, int Direction)
{
    if (const int result = CompareColumn(A, B, Column, Direction))
        return result;
    // The tie chain: newest first, then the fields smallest first, then the higher Id.
    if (const int result = CompareColumn(A, B, 2, 1))
        return result;
    for (int column = 3; column <= 11; ++column)
        if (const int result = CompareColumn(A, B, column, -1))
            return result;
    return CompareField(A.Id, B.Id, 1);
}

// The text after the last '\' or '/'.
std::string BareName(const std::string &Stored)
{
    const size_t separator = Stored.find_last_of("\\/");
    return separator == std::string::npos ? Stored : Stored.substr(separator + 1);
}

bool HoldsName(const TGeneralList<THistoryItem> &Items, const std::string &Name)
{
    for (int i = 0; i < Items.Count(); ++i)
        if (Items.GetItem(i)->FileName == Name)
            return true;
    return false;
}

// "L<n>.dat" above every numbered file of the folder and not held by an entry; '' when the folder
// cannot be made.
std::string NewEntryFileName(const TGeneralList<THistoryItem> &Items)
{
    const std::string path = NextFileName(HistoryDir);
    if (path.empty())
        return std::string();
    const std::string name = BareName(path);
    int64_t number = 0;
    std::from_chars(name.data() + 1, name.data() + name.size() - 4, number);
    std::string candidate = name;
    while (HoldsName(Items, candidate))
        candidate = "L" + std::to_string(++number) + ".dat";
    return candidate;
}

bool MakeHistoryFolder()
{
    std::error_code error;
    std::filesystem::create_directories(HistoryDir, error);
    return std::filesystem::is_directory(HistoryDir, error);
}

} // namespace

void WriteHistoryItem(platform::ByteWriter &Out, const THistoryItem &Item)
{
    Out.put(Item.Id);
    Out.put(Item.Date);
    Out.put(Item.GameId);
    Out.put(Item.SysKind);
    Out.put(Item.K);
    Out.put(Item.N);
    Out.put(Item.CombCount);
    Out.put(Item.Multiplier);
    Out.put(Item.Cost.count());
    Out.put(Item.Win.count());
    for (uint32_t hits : Item.Hits)
        Out.put(hits);
    Out.putShortString(Item.FileName, HistoryFileNameSize);
    Out.putFill(ReservedSize);
}

bool ReadHistoryItem(platform::ByteReader &In, THistoryItem &Item)
{
    THistoryItem read;
    int64_t cost = 0;
    int64_t win = 0;
    std::string stored;
    In.get(read.Id);
    In.get(read.Date);
    In.get(read.GameId);
    In.get(read.SysKind);
    In.get(read.K);
    In.get(read.N);
    In.get(read.CombCount);
    In.get(read.Multiplier);
    In.get(cost);
    In.get(win);
    for (uint32_t &hits : read.Hits)
        In.get(hits);
    In.getShortString(stored, HistoryFileNameSize);
    In.skip(ReservedSize);
    // The program stores no negative amount; with both at least 0 the profit is always representable.
    if (!In.ok() || cost < 0 || win < 0)
        return false;
    read.Cost = Currency::fromCount(cost);
    read.Win = Currency::fromCount(win);
    read.Profit = read.Win - read.Cost;
    read.FileName = BareName(stored);
    Item = std::move(read);
    return true;
}

TDynByteArr HistoryIndexBytes(uint32_t LastId, const TGeneralList<THistoryItem> &Items)
{
    uint32_t count = 0;
    for (int i = 0; i < Items.Count(); ++i)
        count += Items.GetItem(i)->Deleted ? 0 : 1;
    platform::ByteWriter out;
    writeFileHeader(out, TFileHeader{CurrentFileVersion, 0, fkPlayHistory, 0});
    out.put(LastId);
    out.put(count);
    for (int i = 0; i < Items.Count(); ++i)
        if (!Items.GetItem(i)->Deleted)
            WriteHistoryItem(out, *Items.GetItem(i));
    AppendStreamCRC(out);
    return out.take();
}

bool ReadHistoryIndex(const TDynByteArr &Bytes, uint32_t &LastId, TGeneralList<THistoryItem> &Items)
{
    Items.Clear();
    if (!hasValidCRC(Bytes))
        return false;
    platform::ByteReader in(std::span<const uint8_t>(Bytes.data(), Bytes.size() - CRCSize));
    TFileHeader header;
    uint32_t lastId = 0;
    uint32_t count = 0;
    if (!readFileHeader(in, header) || !IsCurrentVersion(header.Ver) || header.FileKind != fkPlayHistory ||
        !in.get(lastId) || !in.get(count) ||
        Bytes.size() != HistoryIndexFrameSize + uint64_t(count) * HistoryRecordSize)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<THistoryItem>();
        if (!ReadHistoryItem(in, *item)) {
            Items.Clear();
            return false;
        }
        Items.AddItem(item.release(), true);
    }
    LastId = lastId;
    return true;
}

std::string HistoryIndexPath()
{
    return HistoryDir + HistoryIndexName;
}

THistory::THistory() : FileName(HistoryIndexPath())
{
    Items.Sorted = false;
    View.Sorted = false;
    View.OwnsItems = false;
}

void THistory::Load()
{
    Items.Clear();
    View.Clear();
    LastId = 0;
    Count = 0;
    TDynByteArr bytes;
    if (!readFileBytes(FileName, bytes) || !ReadHistoryIndex(bytes, LastId, Items)) {
        LastId = 0;
        return;
    }
    Count = uint32_t(Items.Count());
}

bool THistory::Save()
{
    if (!MakeHistoryFolder() || !platform::writeFileAtomically(FileName, HistoryIndexBytes(LastId, Items)))
        return false;
    for (int i = Items.Count() - 1; i >= 0; --i) {
        THistoryItem *item = Items.GetItem(i);
        if (!item->Deleted)
            continue;
        std::error_code error;
        std::filesystem::remove(HistoryDir + item->FileName, error);
        Items.DeleteItem(i);
    }
    return true;
}

void THistory::Select(int32_t GameId, bool FromOn, TDateTime From, bool ToOn, TDateTime To)
{
    if (!FromOn)
        From = 0;
    if (!ToOn)
        To = LastMoment;
    View.Clear();
    for (int i = 0; i < Items.Count(); ++i) {
        THistoryItem *item = Items.GetItem(i);
        if (!item->Deleted && (GameId == -1 || item->GameId == uint32_t(GameId)) && item->Date >= From &&
            item->Date <= To)
            View.AddItem(item, true);
    }
    UpdateTotals();
}

void THistory::Sort(int Column, int Direction)
{
    SortColumn = Column;
    View.SortBy(Direction, [Column](const THistoryItem *A, const THistoryItem *B, int D) {
        return CompareItems(*A, *B, Column, D);
    });
}

void THistory::DeleteRange(int First, int Last)
{
    for (int i = Last; i >= First; --i) {
        View.GetItem(i)->Deleted = true;
        View.DeleteItem(i);
        --Count;
    }
}

void THistory::UpdateTotals()
{
    const auto total = [this](Currency THistoryItem::*Amount) {
        return InMoneyRange([&] {
            Currency sum;
            for (int i = 0; i < View.Count(); ++i)
                sum += View.GetItem(i)->*Amount;
            return sum;
        });
    };
    TotalCost = total(&THistoryItem::Cost);
    TotalWin = total(&THistoryItem::Win);
    TotalProfit = total(&THistoryItem::Profit);
}

THistoryAddResult AddToHistory(uint16_t Multiplier, const TSystem &System, TDateTime Date)
{
    THistoryAddResult result;
    if (!MakeHistoryFolder())
        return result;
    const std::string indexPath = HistoryIndexPath();
    uint32_t lastId = 0;
    TGeneralList<THistoryItem> items;
    std::error_code error;
    if (std::filesystem::exists(indexPath, error)) {
        TDynByteArr bytes;
        if (!readFileBytes(indexPath, bytes))
            return result;
        // A damaged index is never overwritten: it is kept aside and a new one begins.
        if (!ReadHistoryIndex(bytes, lastId, items)) {
            const auto aside = platform::moveDamagedFileAside(indexPath);
            if (!aside)
                return result;
            result.DamagedKeptAs = aside->filename().string();
            lastId = 0;
        }
    }
    auto item = std::make_unique<THistoryItem>();
    item->Id = lastId + 1;
    item->Date = Date;
    item->GameId = System.Game->Info.Id;
    item->SysKind = System.Kind;
    item->K = uint8_t(System.K);
    item->N = System.N;
    item->CombCount = System.ViewCount();
    item->Multiplier = Multiplier;
    try {
        item->Cost = System.GetCost() * Multiplier;
    } catch (const std::overflow_error &) {
        return result;
    }
    item->Profit = item->Win - item->Cost;
    item->FileName = NewEntryFileName(items);
    if (item->FileName.empty())
        return result;
    const std::string systemPath = HistoryDir + item->FileName;
    if (!System.SaveToFile(systemPath, std::string(), std::string()))
        return result;
    items.AddItem(item.release(), true);
    if (!platform::writeFileAtomically(indexPath, HistoryIndexBytes(lastId + 1, items))) {
        std::filesystem::remove(systemPath, error);
        return result;
    }
    result.Written = true;
    return result;
}
