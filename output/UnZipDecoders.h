#pragma once
// The decoders of the ZIP compression methods. Each reads one member's compressed bytes and appends to an
// output that refuses to grow past the member's uncompressed size (EBiggerThanUncompressed). Damaged data
// stop a decoder at once, leaving the output short.

#include "output/VCLUnZipErrors.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Bits taken least significant first; past the end of the input every bit is 0 and Overrun is set.
class TUnZipBits {
public:
    explicit TUnZipBits(std::span<const uint8_t> In) : In(In) {}

    // N up to 24 bits.
    uint32_t Bits(int N);
    // Whole bytes, from the byte boundary the bits have reached.
    uint8_t Byte() { return static_cast<uint8_t>(Bits(8)); }
    uint64_t BitsLeft() const { return (In.size() - Pos) * 8 + static_cast<uint64_t>(Count); }
    bool Overrun = false;

private:
    std::span<const uint8_t> In;
    size_t Pos = 0;
    uint32_t Buffer = 0;
    int Count = 0;
};

class TUnZipOutput {
public:
    explicit TUnZipOutput(uint64_t Limit) : Limit(Limit) {}

    void Put(uint8_t Byte)
    {
        if (Data.size() >= Limit)
            throw EBiggerThanUncompressed();
        Data.push_back(Byte);
    }
    void Append(const uint8_t *Bytes, size_t Count)
    {
        if (Count > Limit - Data.size())
            throw EBiggerThanUncompressed();
        Data.insert(Data.end(), Bytes, Bytes + Count);
    }
    // Length bytes from Distance back; positions before the start give 0.
    void Copy(size_t Distance, size_t Length);
    bool Full() const { return Data.size() >= Limit; }

    std::vector<uint8_t> Data;
    const uint64_t Limit;
};

// Method 1: until the input is used up.
void Unshrink(std::span<const uint8_t> In, TUnZipOutput &Out);
// Methods 2 to 5 (Factor = method - 1): until the output is full.
void Unreduce(std::span<const uint8_t> In, int Factor, TUnZipOutput &Out);
// Method 6 with the member's general-purpose flags: until the output is full.
void Explode(std::span<const uint8_t> In, uint16_t Flags, TUnZipOutput &Out);
// Method 8 (raw deflate through zlib): until the last block or the end of the input.
void Inflate(std::span<const uint8_t> In, TUnZipOutput &Out);
