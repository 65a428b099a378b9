#include "tests/output/ZipTestSupport.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <map>
#include <string_view>

namespace testsupport {
namespace {

void put16(std::string &S, uint32_t V)
{
    S += static_cast<char>(V & 0xFF);
    S += static_cast<char>((V >> 8) & 0xFF);
}

void put32(std::string &S, uint32_t V)
{
    put16(S, V & 0xFFFF);
    put16(S, V >> 16);
}

// The fields the local and the central header share: from the version needed to the extra field's length.
void putSharedHeaderFields(std::string &S, const ZipEntry &E)
{
    put16(S, 20); // version needed
    put16(S, E.Flags);
    put16(S, E.Method);
    put16(S, E.Time);
    put16(S, E.Date);
    put32(S, E.Crc);
    put32(S, static_cast<uint32_t>(E.Packed.size()));
    put32(S, E.Size);
    put16(S, static_cast<uint32_t>(E.Name.size()));
    put16(S, 0); // extra
}

// Bits least significant first.
class BitWriter {
public:
    void put(uint32_t Value, int Bits)
    {
        for (int i = 0; i < Bits; ++i) {
            if (m_count == 0)
                m_out += '\0';
            if ((Value >> i) & 1)
                m_out.back() = static_cast<char>(m_out.back() | (1 << m_count));
            m_count = (m_count + 1) % 8;
        }
    }
    void putByte(uint8_t Byte) { put(Byte, 8); }
    std::string take() { return std::move(m_out); }

private:
    std::string m_out;
    int m_count = 0;
};

// The longest earlier match at Pos within MaxDistance, among the 64 nearest starts of its first three
// bytes; Length 0 when none.
void findMatch(const std::string &Data, size_t Pos, size_t MaxDistance, size_t MaxLength, size_t &Distance,
               size_t &Length)
{
    Length = 0;
    if (Pos == 0 || Pos + 3 > Data.size())
        return;
    const size_t first = Pos - std::min(Pos, MaxDistance);
    const std::string_view window(Data.data() + first, Pos + 2 - first), prefix(Data.data() + Pos, 3);
    size_t at = Pos - 1 - first;
    for (int tries = 0; tries < 64 && (at = window.rfind(prefix, at)) != window.npos; ++tries, --at) {
        size_t len = 0;
        while (Pos + len < Data.size() && len < MaxLength && Data[first + at + len] == Data[Pos + len])
            ++len;
        if (len > Length) {
            Length = len;
            Distance = Pos - first - at;
        }
        if (at == 0)
            break;
    }
}

// Code lengths: two short codes for the symbols given, the rest as long as a complete code needs.
std::vector<int> treeLengths(int N, int ShortA, int ShortB)
{
    std::vector<int> lengths(static_cast<size_t>(N), N == 256 ? 9 : 7);
    lengths[static_cast<size_t>(ShortA)] = lengths[static_cast<size_t>(ShortB)] = 2;
    // The rest must fill half of the code space: two of them one bit shorter.
    int shortened = 0;
    for (int s = N - 1; s >= 0 && shortened < 2; --s)
        if (s != ShortA && s != ShortB) {
            lengths[static_cast<size_t>(s)] -= 1;
            ++shortened;
        }
    return lengths;
}

// Runs of equal lengths, at most 16 each, as (count - 1) << 4 | (length - 1), after the byte count - 1.
std::string treeDescription(const std::vector<int> &Lengths)
{
    std::string runs;
    for (size_t i = 0; i < Lengths.size();) {
        size_t n = 1;
        while (i + n < Lengths.size() && Lengths[i + n] == Lengths[i] && n < 16)
            ++n;
        runs += static_cast<char>(((n - 1) << 4) | static_cast<size_t>(Lengths[i] - 1));
        i += n;
    }
    return static_cast<char>(runs.size() - 1) + runs;
}

// Canonical codes of the lengths, shortest first, ties by symbol.
std::vector<uint32_t> canonicalCodes(const std::vector<int> &Lengths)
{
    std::vector<uint32_t> codes(Lengths.size());
    uint32_t code = 0;
    for (int len = 1; len <= 16; ++len) {
        for (size_t s = 0; s < Lengths.size(); ++s)
            if (Lengths[s] == len)
                codes[s] = code++;
        code <<= 1;
    }
    return codes;
}

// The code's bits from its most significant, each inverted.
void putCode(BitWriter &Out, uint32_t Code, int Length)
{
    for (int i = Length - 1; i >= 0; --i)
        Out.put(((Code >> i) & 1) ^ 1, 1);
}

} // namespace

uint32_t zipCrc(const std::string &Data)
{
    return static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef *>(Data.data()), static_cast<uInt>(Data.size())));
}

ZipEntry packedEntry(const std::string &Name, const std::string &Data, uint16_t Method, std::string Packed,
                     uint16_t Flags)
{
    ZipEntry e;
    e.Name = Name;
    e.Packed = std::move(Packed);
    e.Crc = zipCrc(Data);
    e.Size = static_cast<uint32_t>(Data.size());
    e.Method = Method;
    e.Flags = Flags;
    return e;
}

ZipEntry storedEntry(const std::string &Name, const std::string &Data)
{
    return packedEntry(Name, Data, 0, Data);
}

ZipEntry deflatedEntry(const std::string &Name, const std::string &Data)
{
    return packedEntry(Name, Data, 8, deflateRaw(Data));
}

std::string buildZip(const std::vector<ZipEntry> &Entries, const std::string &Prefix, bool AdjustOffsets)
{
    std::string out = Prefix, central;
    const size_t base = AdjustOffsets ? 0 : Prefix.size();
    for (const ZipEntry &e : Entries) {
        const size_t offset = out.size() - base;
        put32(out, 0x04034B50);
        putSharedHeaderFields(out, e);
        out += e.Name + e.Packed;

        put32(central, 0x02014B50);
        put16(central, 20); // version made by
        putSharedHeaderFields(central, e);
        put16(central, 0); // comment
        put16(central, 0); // disk
        put16(central, 0); // internal attributes
        put32(central, 0); // external attributes
        put32(central, static_cast<uint32_t>(offset));
        central += e.Name;
    }
    const size_t centralOffset = out.size() - base;
    out += central;
    put32(out, 0x06054B50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint32_t>(Entries.size()));
    put16(out, static_cast<uint32_t>(Entries.size()));
    put32(out, static_cast<uint32_t>(central.size()));
    put32(out, static_cast<uint32_t>(centralOffset));
    put16(out, 0);
    return out;
}

std::string deflateRaw(const std::string &Data)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, static_cast<uLong>(Data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(Data.data()));
    z.avail_in = static_cast<uInt>(Data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string shrink(const std::string &Data)
{
    constexpr int tableSize = 8192;
    std::vector<int> parent(tableSize, -1);
    std::map<std::pair<int, uint8_t>, int> codes;
    int nextFree = 257, codeBits = 9;
    BitWriter out;
    const auto emit = [&](int Code) {
        while (Code >= (1 << codeBits)) {
            out.put(256, codeBits);
            out.put(1, codeBits);
            ++codeBits;
        }
        out.put(static_cast<uint32_t>(Code), codeBits);
    };
    const auto add = [&](int Prefix, uint8_t Byte) {
        parent[static_cast<size_t>(nextFree)] = Prefix;
        codes[{Prefix, Byte}] = nextFree;
        while (nextFree < tableSize && parent[static_cast<size_t>(nextFree)] != -1)
            ++nextFree;
    };
    const auto partialClear = [&] {
        std::vector<bool> isPrefix(tableSize, false);
        for (int c = 257; c < tableSize; ++c)
            if (parent[static_cast<size_t>(c)] >= 257)
                isPrefix[static_cast<size_t>(parent[static_cast<size_t>(c)])] = true;
        for (auto it = codes.begin(); it != codes.end();)
            if (!isPrefix[static_cast<size_t>(it->second)]) {
                parent[static_cast<size_t>(it->second)] = -1;
                it = codes.erase(it);
            } else {
                ++it;
            }
        nextFree = 257;
        while (nextFree < tableSize && parent[static_cast<size_t>(nextFree)] != -1)
            ++nextFree;
    };
    if (Data.empty())
        return {};
    // Once the table is full no string is extended, so the code before a partial clear is a single byte.
    int w = static_cast<uint8_t>(Data[0]);
    for (size_t i = 1; i < Data.size(); ++i) {
        const auto c = static_cast<uint8_t>(Data[i]);
        if (nextFree < tableSize) {
            if (const auto it = codes.find({w, c}); it != codes.end()) {
                w = it->second;
                continue;
            }
        }
        emit(w);
        if (nextFree >= tableSize) {
            out.put(256, codeBits);
            out.put(2, codeBits);
            partialClear();
        }
        add(w, c);
        w = c;
    }
    emit(w);
    return out.take();
}

std::string reduce(const std::string &Data, int Factor)
{
    constexpr uint8_t dle = 144;
    const size_t lengthMask = 0x7Fu >> (Factor - 1);
    const size_t maxDistance = ((size_t{1} << Factor) - 1) * 256 + 256;
    std::string expanded;
    for (size_t i = 0; i < Data.size();) {
        size_t distance = 0, length = 0;
        findMatch(Data, i, maxDistance, lengthMask + 255 + 3, distance, length);
        const size_t d = distance - 1;
        if (length >= 3 && !(length == 3 && d < 256)) { // a copy byte of 0 would read as a literal 144
            const size_t l = length - 3;
            expanded += static_cast<char>(dle);
            expanded += static_cast<char>(((d >> 8) << (8 - Factor)) | std::min(l, lengthMask));
            if (l >= lengthMask)
                expanded += static_cast<char>(l - lengthMask);
            expanded += static_cast<char>(d & 0xFF);
        } else {
            length = 1;
            expanded += Data[i];
            if (static_cast<uint8_t>(Data[i]) == dle)
                expanded += '\0';
        }
        i += length;
    }

    // Follower sets: the eight most frequent successors of each byte.
    std::array<std::map<uint8_t, int>, 256> successors;
    uint8_t last = 0;
    for (char c : expanded) {
        ++successors[last][static_cast<uint8_t>(c)];
        last = static_cast<uint8_t>(c);
    }
    std::array<std::vector<uint8_t>, 256> sets;
    for (int p = 0; p < 256; ++p) {
        std::vector<std::pair<int, uint8_t>> byCount;
        for (const auto &[byte, count] : successors[static_cast<size_t>(p)])
            byCount.push_back({-count, byte});
        std::sort(byCount.begin(), byCount.end());
        for (size_t k = 0; k < byCount.size() && k < 8; ++k)
            sets[static_cast<size_t>(p)].push_back(byCount[k].second);
    }
    BitWriter out;
    for (int p = 255; p >= 0; --p) {
        out.put(static_cast<uint32_t>(sets[static_cast<size_t>(p)].size()), 6);
        for (uint8_t b : sets[static_cast<size_t>(p)])
            out.putByte(b);
    }
    last = 0;
    for (char ch : expanded) {
        const auto c = static_cast<uint8_t>(ch);
        const auto &set = sets[last];
        const auto at = std::find(set.begin(), set.end(), c);
        if (set.empty()) {
            out.putByte(c);
        } else if (at == set.end()) {
            out.put(1, 1);
            out.putByte(c);
        } else {
            out.put(0, 1);
            out.put(static_cast<uint32_t>(at - set.begin()), static_cast<int>(std::max<size_t>(1, std::bit_width(set.size() - 1))));
        }
        last = c;
    }
    return out.take();
}

std::string implode(const std::string &Data, uint16_t Flags)
{
    const bool bigWindow = (Flags & 2) != 0, literalTree = (Flags & 4) != 0;
    const int lowBits = bigWindow ? 7 : 6;
    const size_t minLength = literalTree ? 3 : 2;
    const std::vector<int> literalLengths = treeLengths(256, ',', '0');
    const std::vector<int> lengthLengths = treeLengths(64, 0, 1);
    const std::vector<int> distanceLengths = treeLengths(64, 0, 2);
    const auto literalCodes = canonicalCodes(literalLengths), lengthCodes = canonicalCodes(lengthLengths),
               distanceCodes = canonicalCodes(distanceLengths);

    std::string header = literalTree ? treeDescription(literalLengths) : std::string();
    header += treeDescription(lengthLengths) + treeDescription(distanceLengths);
    BitWriter out;
    for (char c : header)
        out.putByte(static_cast<uint8_t>(c));
    for (size_t i = 0; i < Data.size();) {
        size_t distance = 0, length = 0;
        findMatch(Data, i, size_t{1} << (lowBits + 6), 63 + 255 + minLength, distance, length);
        if (length >= minLength) {
            const size_t d = distance - 1, l = length - minLength;
            out.put(0, 1);
            out.put(static_cast<uint32_t>(d & ((1u << lowBits) - 1)), lowBits);
            const size_t high = d >> lowBits;
            putCode(out, distanceCodes[high], distanceLengths[high]);
            const size_t symbol = std::min<size_t>(l, 63);
            putCode(out, lengthCodes[symbol], lengthLengths[symbol]);
            if (symbol == 63)
                out.putByte(static_cast<uint8_t>(l - 63));
        } else {
            length = 1;
            const auto c = static_cast<uint8_t>(Data[i]);
            out.put(1, 1);
            if (literalTree)
                putCode(out, literalCodes[c], literalLengths[c]);
            else
                out.putByte(c);
        }
        i += length;
    }
    return out.take();
}

std::string unzipMember(const std::string &Archive, const std::string &Member)
{
    const std::string command = "unzip -p '" + Archive + "' '" + Member + "' 2>/dev/null";
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "<failed>";
    std::string out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe)) > 0;)
        out.append(buf, n);
    return pclose(pipe) == 0 ? out : "<failed>";
}

std::string sampleText(int Lines)
{
    std::string text;
    uint32_t seed = 12345;
    for (int i = 1; i <= Lines; ++i) {
        char line[64];
        std::array<int, 6> n{};
        for (int &x : n) {
            seed = seed * 1103515245u + 12345u;
            x = static_cast<int>((seed >> 16) % 49) + 1;
        }
        std::snprintf(line, sizeof line, "%d. %02d.%02d.%04d %d,%d,%d,%d,%d,%d\r\n", i, i % 28 + 1, i % 12 + 1,
                      1992 + i / 104, n[0], n[1], n[2], n[3], n[4], n[5]);
        text += line;
    }
    return text;
}

} // namespace testsupport
