#pragma once
// The composite full system: the numbers split into a first group of a (positions 1..a) and a second of
// b (positions a + 1..a + b); every x-combination of the first joined with every y-combination of the
// second.

#include "engine/USysGeneral.h"

#include <cstdint>
#include <string>

class TSysFullComp : public TSystem {
public:
    explicit TSysFullComp(const TGameData *Game);

    // N = a + b, K = x + y; the key 1..N; the store emptied.
    void SetParams(int A, int X, int Y, int B);
    // The rows in lexicographic order, over the key 1..N; CombCheck records their checksum. False, with
    // the store empty, when x > a, y > b, K < 1 or the rows would not fit the store.
    bool Generate();
    // The shown rows are the C(a, x) x C(b, y) rows of the last generation: their number agrees and so
    // does the checksum of their positions, taken in the order of generation.
    bool IsIntact() const;

    // x, y, a, b and the live rows as u32.
    void SaveParams(platform::ByteWriter &Stream) const override;
    bool LoadParams(platform::ByteReader &Stream) override;
    // The recorded checksum is not copied.
    void Assign(const TSystem &Source) override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;

    uint8_t GroupA = 0; // a
    uint8_t PickA = 0;  // x
    uint8_t GroupB = 0; // b
    uint8_t PickB = 0;  // y
    uint32_t CombCheck = 0;

private:
    // C(a, x) x C(b, y); -1 when it leaves 63 bits.
    int64_t fullCount() const;

    TDynByteArr Comb;
};
