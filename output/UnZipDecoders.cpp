#include "output/UnZipDecoders.h"

#include <zlib.h>

#include <array>

uint32_t TUnZipBits::Bits(int N)
{
    while (Count < N) {
        uint32_t byte = 0;
        if (Pos < In.size())
            byte = In[Pos++];
        else
            Overrun = true;
        Buffer |= byte << Count;
        Count += 8;
    }
    const uint32_t value = Buffer & ((1u << N) - 1);
    Buffer >>= N;
    Count -= N;
    return value;
}

void TUnZipOutput::Copy(size_t Distance, size_t Length)
{
    for (; Length > 0; --Length)
        Put(Distance > Data.size() ? 0 : Data[Data.size() - Distance]);
}

void Inflate(std::span<const uint8_t> In, TUnZipOutput &Out)
{
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK)
        throw std::bad_alloc();
    std::array<uint8_t, 16000> block;
    size_t done = 0;
    int result = Z_OK;
    do {
        // zlib counts in 32 bits: the input goes in slices.
        const size_t slice = std::min<size_t>(In.size() - done, 1u << 30);
        z.next_in = const_cast<Bytef *>(In.data() + done);
        z.avail_in = static_cast<uInt>(slice);
        do {
            z.next_out = block.data();
            z.avail_out = static_cast<uInt>(block.size());
            result = inflate(&z, Z_NO_FLUSH);
            try {
                Out.Append(block.data(), static_cast<size_t>(z.next_out - block.data()));
            } catch (...) {
                inflateEnd(&z);
                throw;
            }
        } while (result == Z_OK && z.avail_out == 0);
        done += slice - z.avail_in;
    } while (result == Z_OK && done < In.size() && z.avail_in == 0);
    inflateEnd(&z);
    if (result == Z_MEM_ERROR)
        throw std::bad_alloc();
}
