#pragma once
// The user system: an abbreviated system whose rows come from outside the program, as text typed or
// pasted by the player, a text file, or the result of an operation on other systems (TSysOper). Its N
// is the game's highest number and its key 1..N, so both halves of a row hold the numbers.

#include "core/DynArrays.h"
#include "core/UComb.h"
#include "engine/USysGeneral.h"

#include <cstdint>
#include <string>

class TSysUser : public TSystem {
public:
    explicit TSysUser(const TGameData *Game);

    // N := the game's highest number, K := NewK, the key 1..N, the store emptied; Count := NewCount.
    void SetParams(int NewK, int64_t NewCount);
    // Lines := the lines of a text file, then parsed. False, with the system unchanged, when the file
    // cannot be read; false, with no rows, when no line holds a number. Never throws.
    bool LoadFromTextFile(const std::string &FileName);
    // Lines := a copy of Strings, then parsed; false, with no rows, when no line holds a number. Never
    // throws.
    bool LoadFromStrings(const TStrArray &Strings);
    // Appends a row of K ascending numbers of 1..N (both halves, no flags) at the end of the store's
    // index; the caller sorts and refreshes the view when all are in.
    void AppendComb(const uint8_t *C);

    // The base block, then K (u8) and the live rows (u32).
    void SaveParams(platform::ByteWriter &Stream) const override;
    bool LoadParams(platform::ByteReader &Stream) override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;
    // Empties the rows; the key goes back to 1..N.
    void Clear() override;

    TStrArray Lines;
    TTextToComb Parser;

private:
    // Every line in order, its distinct numbers sorted: the first line holding numbers fixes K, later
    // lines of another size are skipped. True when at least one row was read.
    bool parseLines();
};
