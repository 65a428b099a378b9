// Method 1, shrinking: LZW with codes of 9 to 13 bits; code 256 followed by 1 widens the codes, followed
// by 2 frees every code that is no prefix of another.
#include "output/UnZipDecoders.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int TableSize = 8192;
constexpr int Control = 256;
constexpr int FirstFree = 257;
constexpr int MaxCodeBits = 13;
constexpr int16_t Unused = -1;

struct TShrinkTable {
    std::vector<int16_t> Parent = std::vector<int16_t>(TableSize, Unused);
    std::vector<uint8_t> Suffix = std::vector<uint8_t>(TableSize, 0);
    int NextFree = FirstFree;

    TShrinkTable()
    {
        for (int c = 0; c < 256; ++c) {
            Parent[c] = Control; // a literal: no prefix
            Suffix[c] = static_cast<uint8_t>(c);
        }
    }

    bool Defined(int Code) const { return Code < 256 || (Code >= FirstFree && Parent[Code] != Unused); }

    void FindFree()
    {
        while (NextFree < TableSize && Parent[NextFree] != Unused)
            ++NextFree;
    }

    void PartialClear()
    {
        std::vector<bool> isPrefix(TableSize, false);
        for (int c = FirstFree; c < TableSize; ++c)
            if (Parent[c] >= FirstFree)
                isPrefix[static_cast<size_t>(Parent[c])] = true;
        for (int c = FirstFree; c < TableSize; ++c)
            if (!isPrefix[static_cast<size_t>(c)])
                Parent[c] = Unused;
        NextFree = FirstFree;
        FindFree();
    }

    // The string of Code, first byte first; false for a chain that loops or leaves the table.
    bool Expand(int Code, std::vector<uint8_t> &Stack) const
    {
        Stack.clear();
        while (Code != Control) {
            if (Code < 0 || !Defined(Code) || Stack.size() >= TableSize)
                return false;
            Stack.push_back(Suffix[Code]);
            Code = Parent[Code];
        }
        std::reverse(Stack.begin(), Stack.end());
        return true;
    }
};

} // namespace

void Unshrink(std::span<const uint8_t> In, TUnZipOutput &Out)
{
    TShrinkTable table;
    TUnZipBits bits(In);
    int codeBits = 9;
    int previous = -1;
    std::vector<uint8_t> stack;
    while (bits.BitsLeft() >= static_cast<uint64_t>(codeBits)) {
        const int code = static_cast<int>(bits.Bits(codeBits));
        if (code == Control) {
            if (bits.BitsLeft() < static_cast<uint64_t>(codeBits))
                return;
            const uint32_t command = bits.Bits(codeBits);
            if (command == 1 && codeBits < MaxCodeBits)
                ++codeBits;
            else if (command == 2)
                table.PartialClear();
            else
                return; // damage
            continue;
        }
        if (previous < 0) {
            if (code >= 256)
                return;
            Out.Put(static_cast<uint8_t>(code));
            previous = code;
            continue;
        }
        if (table.Defined(code)) {
            if (!table.Expand(code, stack))
                return;
        } else {
            // The code about to be made: the previous string and its own first byte.
            if (code != table.NextFree || !table.Expand(previous, stack))
                return;
            stack.push_back(stack.front());
        }
        if (table.NextFree < TableSize) {
            table.Parent[table.NextFree] = static_cast<int16_t>(previous);
            table.Suffix[table.NextFree] = stack.front();
            ++table.NextFree;
            table.FindFree();
        }
        for (uint8_t byte : stack)
            Out.Put(byte);
        previous = code;
    }
}
