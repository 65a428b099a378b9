// Methods 2 to 5, reducing: bytes predicted from follower sets of the previous byte, then expanded by the
// copy escape 144 (DLE): 144 0 is a literal 144, 144 followed by a length and distance is a copy.
#include "output/UnZipDecoders.h"

#include <array>

namespace {

constexpr uint8_t DLE = 144;

// Bits of an index into a follower set of N bytes.
int IndexBits(int N)
{
    int bits = 1;
    while ((1 << bits) < N)
        ++bits;
    return bits;
}

} // namespace

void Unreduce(std::span<const uint8_t> In, int Factor, TUnZipOutput &Out)
{
    const uint32_t lengthMask = 0x7Fu >> (Factor - 1); // 7F, 3F, 1F, 0F
    const int distanceShift = 8 - Factor;              // 7, 6, 5, 4
    const uint32_t distanceMask = (1u << Factor) - 1;  // 1, 3, 7, F

    TUnZipBits bits(In);
    std::array<std::array<uint8_t, 64>, 256> followers{};
    std::array<int, 256> setSize{};
    for (int set = 255; set >= 0; --set) {
        setSize[set] = static_cast<int>(bits.Bits(6));
        for (int i = 0; i < setSize[set]; ++i)
            followers[set][i] = bits.Byte();
    }

    uint8_t last = 0;
    int state = 0;
    uint32_t value = 0, length = 0;
    while (!Out.Full()) {
        uint8_t next;
        const int size = setSize[last];
        if (size == 0 || bits.Bits(1) == 1) {
            next = bits.Byte();
        } else {
            const uint32_t index = bits.Bits(IndexBits(size));
            if (index >= static_cast<uint32_t>(size))
                return; // damage
            next = followers[last][index];
        }
        if (bits.Overrun)
            return;
        switch (state) {
        case 0:
            if (next == DLE)
                state = 1;
            else
                Out.Put(next);
            break;
        case 1:
            if (next == 0) {
                Out.Put(DLE);
                state = 0;
            } else {
                value = next;
                length = value & lengthMask;
                state = length == lengthMask ? 2 : 3;
            }
            break;
        case 2:
            length += next;
            state = 3;
            break;
        default:
            Out.Copy((((value >> distanceShift) & distanceMask) << 8) + next + 1, length + 3);
            state = 0;
        }
        last = next;
    }
}
