#pragma once
// What the play-history tests share: index files and entry records built byte by byte, and the road
// of a system window's system into the history.

#include "core/UGlobalFiles.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/gui/MessageBox.h"
#include "syswindows/FHistItem.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QDateEdit>

#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace histtest {

inline void put(platform::Bytes &B, uint64_t Value, int Size)
{
    for (int i = 0; i < Size; ++i)
        B.push_back(uint8_t(Value >> (8 * i)));
}

inline void putDouble(platform::Bytes &B, double Value)
{
    uint64_t raw = 0;
    std::memcpy(&raw, &Value, 8);
    put(B, raw, 8);
}

struct Entry {
    uint32_t Id = 1;
    double Date = 46000;
    uint32_t GameId = 1;
    int32_t Kind = 0;
    uint8_t K = 6;
    int32_t N = 10;
    int32_t Combs = 5;
    uint16_t Multiplier = 1;
    int64_t Cost = 0;
    int64_t Win = 0;
    std::array<uint32_t, 10> Hits{};
    std::string Name = "L1.dat";
};

// The 216-byte record; Fill stands in the name field after the text.
inline platform::Bytes record(const Entry &E, uint8_t Fill = 0)
{
    platform::Bytes b;
    put(b, E.Id, 4);
    putDouble(b, E.Date);
    put(b, E.GameId, 4);
    put(b, uint32_t(E.Kind), 4);
    b.push_back(E.K);
    put(b, uint32_t(E.N), 4);
    put(b, uint32_t(E.Combs), 4);
    put(b, E.Multiplier, 2);
    put(b, uint64_t(E.Cost), 8);
    put(b, uint64_t(E.Win), 8);
    for (uint32_t hits : E.Hits)
        put(b, hits, 4);
    b.push_back(uint8_t(E.Name.size()));
    b.insert(b.end(), E.Name.begin(), E.Name.end());
    b.insert(b.end(), 127 - E.Name.size(), Fill);
    b.push_back(0);
    return b;
}

// "Histoty.dat" of the entries: header (kind Kind), LastId, Count, the records, the checksum.
inline platform::Bytes index(uint32_t LastId, const std::vector<Entry> &Entries, uint8_t Kind = 6,
                             uint8_t Fill = 0)
{
    platform::Bytes b{3, 0, 0, 0, Kind, 0};
    put(b, LastId, 4);
    put(b, Entries.size(), 4);
    for (const Entry &e : Entries) {
        const platform::Bytes r = record(e, Fill);
        b.insert(b.end(), r.begin(), r.end());
    }
    put(b, StreamCRC(b, false), 4);
    return b;
}

inline platform::Bytes readAll(const std::filesystem::path &Path)
{
    std::ifstream in(Path, std::ios::binary);
    return platform::Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeAll(const std::filesystem::path &Path, const platform::Bytes &Bytes)
{
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream out(Path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(Bytes.data()), std::streamsize(Bytes.size()));
}

} // namespace histtest

class HistoryTest : public SysWindowTest {
protected:
    std::filesystem::path historyDir() const { return folder->path() / "History"; }
    std::filesystem::path indexPath() const { return historyDir() / "Histoty.dat"; }

    static TGameData &Lotto() { return *Games.GetGame(Games.GameIndexOfId(LottoId)); }

    // Queues the history dialog's answer (the day and the multiplier, then OK) and the boxes that
    // follow, and sends the history command.
    void AddThroughWindow(TGenSysForm *Window, int Rate, const QDate &Day, int Boxes = 1)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &item = dynamic_cast<TfrmHistItem &>(Dialog);
            item.dtDate->setDate(Day);
            item.seRate->SetValue(Rate);
            item.btnOK->click();
        });
        for (int i = 0; i < Boxes; ++i)
            script.answerBox(platform::IDOK);
        sendCommand(Window, WM_SYS_HISTORY);
    }
};
