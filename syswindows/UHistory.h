#pragma once
// The play history: the index "History/Histoty.dat" of the systems the player has sent, one entry each,
// and one system file per entry in the same folder. The browser works on a THistory loaded into memory;
// AddToHistory appends to the files directly.
//
// The index: the data-file header (kind fkPlayHistory), u32 LastId, u32 Count, Count records of 216
// bytes and the checksum. An entry names its system file by its bare name ("L12.dat").

#include "core/Currency.h"
#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "core/UGeneralList.h"
#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class TSystem;

constexpr size_t HistoryRecordSize = 216;
constexpr size_t HistoryIndexFrameSize = 18; // header, the two counters and the checksum
constexpr size_t HistoryFileNameSize = 127;
constexpr int HistoryHitLevels = 10;
inline constexpr const char *HistoryIndexName = "Histoty.dat";

struct THistoryItem {
    uint32_t Id = 0;
    TDateTime Date = 0; // whole days
    uint32_t GameId = 0;
    int32_t SysKind = 0;
    uint8_t K = 0;
    int32_t N = 0;
    int32_t CombCount = 0;
    uint16_t Multiplier = 0;
    Currency Cost;
    Currency Win;
    Currency Profit; // Win - Cost; not stored
    // Element i counts the bets with 10 - i hits.
    std::array<uint32_t, HistoryHitLevels> Hits{};
    std::string FileName; // the system file's name in the history folder
    bool Deleted = false; // not stored
};

// The 216-byte record of an entry.
void WriteHistoryItem(platform::ByteWriter &Out, const THistoryItem &Item);
// False when the data end early or an amount is negative. A stored path is reduced to its last component; Profit is computed.
bool ReadHistoryItem(platform::ByteReader &In, THistoryItem &Item);

// The whole index file of LastId and the entries not deleted.
TDynByteArr HistoryIndexBytes(uint32_t LastId, const TGeneralList<THistoryItem> &Items);
// Reads an index file's bytes: the checksum, the current version, kind fkPlayHistory and a size that
// fits Count are required; false otherwise (Items is then left empty).
bool ReadHistoryIndex(const TDynByteArr &Bytes, uint32_t &LastId, TGeneralList<THistoryItem> &Items);

// The path of the index file.
std::string HistoryIndexPath();

class THistory {
public:
    THistory();
    THistory(const THistory &) = delete;
    THistory &operator=(const THistory &) = delete;

    // Reads the index into Items; a missing or refused file leaves the history empty.
    void Load();
    // Writes the index of the entries not deleted, then deletes the deleted entries' system files and
    // forgets those entries. False, with nothing written or deleted, when the index cannot be written.
    bool Save();
    // View := the entries not deleted of the game (GameId -1: every game) dated within the bounds that
    // are on (both ends included), in Items' order; then the totals.
    void Select(int32_t GameId, bool FromOn, TDateTime From, bool ToOn, TDateTime To);
    // Sorts View by a column code (2 Date, 3 GameId, 4 SysKind, 5 K, 6 N, 7 CombCount, 8 Multiplier,
    // 9 Cost, 10 Win, 11 Profit; others compare equal); Direction 1 puts larger values first. Ties go by
    // Date newest first, then GameId, SysKind, K, N, CombCount, Multiplier, Cost, Win and Profit
    // smallest first, and last by the higher Id.
    void Sort(int Column, int Direction);
    // Marks the View entries First..Last deleted and takes them out of View.
    void DeleteRange(int First, int Last);
    // The sums over View; a sum that leaves the range of money is none.
    void UpdateTotals();

    uint32_t LastId = 0;
    std::string FileName;
    TGeneralList<THistoryItem> Items; // owning, in file order
    int SortColumn = 2;
    TGeneralList<THistoryItem> View; // the shown entries, in shown order
    std::optional<Currency> TotalCost;
    std::optional<Currency> TotalWin;
    std::optional<Currency> TotalProfit;
    uint32_t Count = 0; // entries not deleted
};

struct THistoryAddResult {
    bool Written = false;
    // The name under which a damaged index was kept aside before a new one was started; empty when the
    // index was sound or absent.
    std::string DamagedKeptAs;
};

// Appends an entry for System, played Multiplier times on Date, and writes its system file: first the
// system file, then the whole new index. Nothing is left behind when either cannot be written.
THistoryAddResult AddToHistory(uint16_t Multiplier, const TSystem &System, TDateTime Date);
