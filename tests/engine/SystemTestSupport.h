#pragma once
// What the system tests share: the rows a system shows, marking in a worker thread as the filter window
// runs it, and a system file framed byte by byte.

#include "core/UGlobalFiles.h"
#include "core/UGlobalThreads.h"
#include "engine/UFilters.h"
#include "engine/USysGeneral.h"
#include "platform/ByteStream.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace systest {

using Rows = std::vector<std::vector<int>>;

// Half B (Numbers) or half A of every shown row, in view order.
inline Rows shown(const TSystem &System, bool Numbers = true)
{
    Rows rows;
    for (int i = 0; i < System.ViewCount(); ++i)
        rows.emplace_back(System.GetComb(i, Numbers), System.GetComb(i, Numbers) + System.K);
    return rows;
}

// MarkByFilter in a worker thread; -1 when it gives no answer.
inline int64_t markInWorker(TSystem &System, TGroupFilter &Set, bool Stopped,
                            std::vector<int> *Positions = nullptr, std::string *Failure = nullptr)
{
    int64_t passed = -1;
    TMyThread2 worker;
    worker.Proc = [&](TMyThread &Thread) {
        passed = System.MarkByFilter(Set, Thread, [Positions](int32_t Position, int32_t) {
            if (Positions)
                Positions->push_back(Position);
        });
    };
    if (Stopped)
        worker.Terminate();
    worker.Resume();
    worker.WaitFor();
    if (Failure)
        *Failure = worker.FailureText;
    return passed;
}

inline void put32(platform::Bytes &B, uint32_t V)
{
    for (int i = 0; i < 4; ++i)
        B.push_back(uint8_t(V >> (8 * i)));
}

// A system file of the game: header, block with the title "Mój" and the comment "abc", the body and the
// checksum.
inline platform::Bytes systemFile(uint8_t GameId, uint8_t SubKind, const platform::Bytes &Body,
                                  double Date = 45000.5)
{
    platform::Bytes bytes{3, 0, 0, GameId, 0, SubKind};
    uint64_t raw;
    std::memcpy(&raw, &Date, 8);
    for (int i = 0; i < 8; ++i)
        bytes.push_back(uint8_t(raw >> (8 * i)));
    platform::Bytes title(256, 0);
    title[0] = 'M';
    title[1] = 0xF3; // ó in Windows-1250
    title[2] = 'j';
    bytes.insert(bytes.end(), title.begin(), title.end());
    put32(bytes, 3);
    bytes.insert(bytes.end(), {'a', 'b', 'c'});
    bytes.insert(bytes.end(), Body.begin(), Body.end());
    put32(bytes, StreamCRC(bytes, false));
    return bytes;
}

} // namespace systest
