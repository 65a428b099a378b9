#include "output/kpZipObj.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>

TZipDateTime RepairDosDateTime(uint16_t Date, uint16_t Time)
{
    TZipDateTime t;
    t.Year = std::min(1980 + (Date >> 9), 2099);
    t.Month = std::clamp((Date >> 5) & 0x0F, 1, 12);
    t.Day = std::max(Date & 0x1F, 1);
    t.Hour = std::min(Time >> 11, 23);
    t.Minute = std::min((Time >> 5) & 0x3F, 59);
    t.Second = std::min((Time & 0x1F) * 2, 59);
    return t;
}

int TZipHeaderInfo::Rate() const
{
    if (UncompressedSize == 0)
        return 0;
    const double rate = std::round(static_cast<double>(CompressedSize) * 100.0 / static_cast<double>(UncompressedSize));
    return static_cast<int>(std::min(rate, 100.0));
}

namespace {

std::string Folded(const std::string &S)
{
    std::string r = S;
    std::transform(r.begin(), r.end(), r.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
    return r;
}

} // namespace

std::vector<int> SortZipMembers(const std::vector<TZipHeaderInfo> &Members, TZipSortMode Mode)
{
    std::vector<int> order(Members.size());
    std::iota(order.begin(), order.end(), 0);
    const auto archiveOrder = [&](int a, int b) {
        return std::tie(Members[a].DiskStart, Members[a].LocalOffset) <
               std::tie(Members[b].DiskStart, Members[b].LocalOffset);
    };
    std::stable_sort(order.begin(), order.end(), archiveOrder);
    const auto by = [&](auto Key) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return Key(Members[a]) < Key(Members[b]); });
    };
    switch (Mode) {
    case TZipSortMode::ByName:
        by([](const TZipHeaderInfo &m) { return Folded(m.Directory + m.FileName); });
        break;
    case TZipSortMode::ByFileName:
        by([](const TZipHeaderInfo &m) { return Folded(m.FileName); });
        break;
    case TZipSortMode::ByDirectoryName:
        by([](const TZipHeaderInfo &m) { return Folded(m.Directory); });
        break;
    case TZipSortMode::ByDate:
        by([](const TZipHeaderInfo &m) { return (uint32_t{m.Date} << 16) | m.Time; });
        break;
    case TZipSortMode::ByCompressedSize:
        by([](const TZipHeaderInfo &m) { return m.CompressedSize; });
        break;
    case TZipSortMode::ByUnCompressedSize:
        by([](const TZipHeaderInfo &m) { return m.UncompressedSize; });
        break;
    case TZipSortMode::ByRate:
        by([](const TZipHeaderInfo &m) { return m.Rate(); });
        break;
    case TZipSortMode::ByNone:
        break;
    }
    return order;
}
