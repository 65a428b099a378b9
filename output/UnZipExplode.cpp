// Method 6, imploding: literals (through a Shannon-Fano tree, or raw bytes) and copies whose length and
// high distance bits come from two more trees. The trees are described first, byte-aligned; their codes
// are canonical, with every bit of the stream inverted.
#include "output/UnZipDecoders.h"

#include <array>
#include <vector>

namespace {

constexpr int MaxCodeBits = 16;

struct TTree {
    std::array<int, MaxCodeBits + 1> Count{}; // codes of each length
    std::vector<int> Symbol;                  // by code

    // The code lengths from the description: a byte count - 1, then bytes of (lengths with it - 1) << 4
    // and (length - 1). False for a description that does not give exactly N lengths, or whose codes
    // are over-subscribed.
    bool Read(TUnZipBits &Bits, int N)
    {
        std::vector<int> lengths;
        for (int bytes = Bits.Byte() + 1; bytes > 0; --bytes) {
            const uint8_t b = Bits.Byte();
            for (int repeat = (b >> 4) + 1; repeat > 0; --repeat)
                lengths.push_back((b & 0x0F) + 1);
            if (static_cast<int>(lengths.size()) > N)
                return false;
        }
        if (static_cast<int>(lengths.size()) != N || Bits.Overrun)
            return false;
        for (int length : lengths)
            ++Count[length];
        int left = 1;
        for (int len = 1; len <= MaxCodeBits; ++len) {
            left = left * 2 - Count[len];
            if (left < 0)
                return false;
        }
        std::array<int, MaxCodeBits + 2> offset{};
        for (int len = 1; len <= MaxCodeBits; ++len)
            offset[len + 1] = offset[len] + Count[len];
        Symbol.assign(lengths.size(), 0);
        for (int s = 0; s < N; ++s)
            Symbol[offset[lengths[s]]++] = s;
        return true;
    }

    // The next symbol; -1 for a code the tree lacks.
    int Decode(TUnZipBits &Bits) const
    {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= MaxCodeBits; ++len) {
            code |= static_cast<int>(Bits.Bits(1) ^ 1);
            const int count = Count[len];
            if (code - first < count)
                return Symbol[index + code - first];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }
};

} // namespace

void Explode(std::span<const uint8_t> In, uint16_t Flags, TUnZipOutput &Out)
{
    const bool bigWindow = (Flags & 2) != 0;
    const bool literalTree = (Flags & 4) != 0;
    TUnZipBits bits(In);
    TTree literals, lengths, distances;
    if ((literalTree && !literals.Read(bits, 256)) || !lengths.Read(bits, 64) || !distances.Read(bits, 64))
        return;
    const int lowDistanceBits = bigWindow ? 7 : 6;
    const int minLength = literalTree ? 3 : 2;

    while (!Out.Full()) {
        if (bits.Bits(1) == 1) {
            const int literal = literalTree ? literals.Decode(bits) : static_cast<int>(bits.Byte());
            if (literal < 0 || bits.Overrun)
                return;
            Out.Put(static_cast<uint8_t>(literal));
            continue;
        }
        const uint32_t low = bits.Bits(lowDistanceBits);
        const int high = distances.Decode(bits);
        int length = lengths.Decode(bits);
        if (high < 0 || length < 0)
            return;
        if (length == 63)
            length += static_cast<int>(bits.Byte());
        if (bits.Overrun)
            return;
        Out.Copy(((static_cast<size_t>(high) << lowDistanceBits) | low) + 1, static_cast<size_t>(length + minLength));
    }
}
