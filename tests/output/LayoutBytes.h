#pragma once
// A slip layout file built byte by byte, field by field as the layout format lays them out, for a
// test layout whose geometry the tests work out by hand.

#include "core/UGlobalFiles.h"
#include "platform/Cp1250.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct TestGrid {
    uint8_t PerRow, FirstCol, Low, High;
    double X, Y;
};

struct TestLayout {
    uint8_t GameId = 1;
    uint8_t FormId = 1;
    std::string Name = "Kupon testowy";
    double CellSizeY = 4, CellSizeX = 5, GapY = 1, GapX = 2, MarkSizeX = 3, MarkSizeY = 2;
    uint8_t PerRow = 10, FirstCol = 3;
    std::vector<std::pair<double, double>> Panels{{100, 10}, {100, 60}, {60, 10}, {60, 60}, {20, 10}, {20, 60}};
    std::optional<TestGrid> Grid1 = TestGrid{3, 1, 7, 12, 150, 10};
    std::optional<TestGrid> Grid2;
    std::optional<TestGrid> Grid3 = TestGrid{5, 2, 1, 5, 150, 50};
    std::optional<std::pair<double, double>> Marker = std::pair(170.0, 100.0);
    double CaptionX = 30, CaptionY = 5;
};

inline void PutDouble(std::vector<uint8_t> &Bytes, double Value)
{
    static_assert(std::endian::native == std::endian::little);
    uint8_t raw[8];
    std::memcpy(raw, &Value, 8);
    Bytes.insert(Bytes.end(), raw, raw + 8);
}

// The fields without the checksum.
inline std::vector<uint8_t> LayoutBody(const TestLayout &L)
{
    std::vector<uint8_t> bytes{3, 0, 0, L.GameId, 3, L.FormId};
    // Windows-1250, zero-padded.
    const std::string text = platform::utf8ToCp1250(L.Name);
    std::vector<uint8_t> name(128, 0);
    std::memcpy(name.data(), text.data(), text.size());
    bytes.insert(bytes.end(), name.begin(), name.end());
    for (const double length : {L.CellSizeY, L.CellSizeX, L.GapY, L.GapX, L.MarkSizeX, L.MarkSizeY})
        PutDouble(bytes, length);
    bytes.push_back(uint8_t(L.Panels.size()));
    bytes.push_back(L.PerRow);
    bytes.push_back(L.FirstCol);
    for (const auto &[x, y] : L.Panels) {
        PutDouble(bytes, x);
        PutDouble(bytes, y);
    }
    for (const auto &grid : {L.Grid1, L.Grid2, L.Grid3}) {
        bytes.push_back(grid ? 1 : 0);
        if (!grid)
            continue;
        bytes.insert(bytes.end(), {grid->PerRow, grid->FirstCol, grid->Low, grid->High});
        PutDouble(bytes, grid->X);
        PutDouble(bytes, grid->Y);
    }
    bytes.push_back(L.Marker ? 1 : 0);
    if (L.Marker) {
        PutDouble(bytes, L.Marker->first);
        PutDouble(bytes, L.Marker->second);
    }
    PutDouble(bytes, L.CaptionX);
    PutDouble(bytes, L.CaptionY);
    return bytes;
}

// Body and the checksum of the body.
inline std::vector<uint8_t> WithCRC(std::vector<uint8_t> Bytes)
{
    const uint32_t crc = StreamCRC(Bytes, false);
    for (int i = 0; i < 4; ++i)
        Bytes.push_back(uint8_t(crc >> (8 * i)));
    return Bytes;
}

inline std::vector<uint8_t> LayoutFileBytes(const TestLayout &L)
{
    return WithCRC(LayoutBody(L));
}

inline std::string AsText(const std::vector<uint8_t> &Bytes)
{
    return std::string(Bytes.begin(), Bytes.end());
}

} // namespace testsupport
