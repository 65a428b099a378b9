// The system file: the parameter block, the key, the live rows, the filter set and ShowAll, inside the
// common frame of the program's data files.
#include "core/DateTime.h"
#include "core/UComb.h"
#include "core/UGlobalFiles.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <functional>
#include <limits>

void TSystem::SaveParams(platform::ByteWriter &Stream) const
{
    Stream.put<uint8_t>(HasFilter ? 1 : 0);
    Stream.put<uint8_t>(FilterApplied ? 1 : 0);
}

bool TSystem::LoadParams(platform::ByteReader &Stream)
{
    uint8_t hasFilter = 0, filterApplied = 0;
    if (!Stream.get(hasFilter) || !Stream.get(filterApplied))
        return false;
    HasFilter = hasFilter != 0;
    FilterApplied = filterApplied != 0;
    return true;
}

void TSystem::SaveToStream(platform::ByteWriter &Stream) const
{
    SaveParams(Stream);
    Stream.putBytes(std::span(Key.data(), size_t(N)));
    const auto &index = Combs.GetIndex();
    for (int pos = 0; pos < index.Count(); ++pos) {
        const int32_t rec = index.GetItem(pos);
        if (Combs.IsDeleted(rec))
            continue;
        Stream.putBytes(std::span(Combs.CombPtr(rec, false), size_t(K)));
        Stream.putBytes(std::span(Combs.CombPtr(rec, true), size_t(K)));
        Stream.put(*Combs.FlagsPtr(rec));
    }
    if (HasFilter && Filter) {
        Stream.put<uint8_t>(Filter->FindType ? 1 : 0);
        writeFilterList(Stream, Filter->Filters);
    }
    Stream.put<uint8_t>(ShowAll ? 1 : 0);
}

bool TSystem::LoadFromStream(platform::ByteReader &Stream)
{
    View.Clear();
    ViewDistinct = -1;
    if (!LoadParams(Stream))
        return false;
    if (K < 1 || K > N || N > highestNumber() || Count < 0)
        return false;
    const bool hasFilter = HasFilter, filterApplied = HasFilter && FilterApplied;
    FreeFilter();
    if (!readKey(Stream) || !readRows(Stream))
        return false;
    if (hasFilter) {
        if (!readFilterSet(Stream))
            return false;
        FilterApplied = filterApplied;
    }
    uint8_t showAll = 1;
    if (!Stream.get(showAll))
        return false;
    RefreshView(showAll != 0);
    return true;
}

bool TSystem::readKey(platform::ByteReader &Stream)
{
    TDynByteArr key(static_cast<size_t>(N));
    if (!Stream.getBytes(key))
        return false;
    if (std::any_of(key.begin(), key.end(), [this](uint8_t v) { return v < 1 || v > highestNumber(); }))
        return false;
    Key = std::move(key);
    KeyAscending = IsAscending(Key.data(), N);
    return true;
}

// Rows go to the store in file order, which restores the saved index order; an index out of the order of
// the numbers (a damaged file) is sorted, so that lookups stay right.
bool TSystem::readRows(platform::ByteReader &Stream)
{
    const size_t recSize = 2 * size_t(K) + 1;
    if (Count > std::numeric_limits<int32_t>::max() || uint64_t(Count) > Stream.remaining() / recSize)
        return false;
    Combs.SetCapacity(int(Count));
    TDynByteArr record(recSize);
    const auto outOfRange = [this](uint8_t v) { return v < 1 || v > highestNumber(); };
    const auto numbers = record.begin() + K;
    bool ordered = true;
    for (int64_t i = 0; i < Count; ++i) {
        Stream.getBytes(record);
        if (std::any_of(record.begin(), record.end() - 1, outOfRange))
            return false;
        // The numbers of a row are distinct and ascending.
        if (std::adjacent_find(numbers, record.end() - 1, std::greater_equal<>()) != record.end() - 1)
            return false;
        const int pos = Combs.Add(TCombRow{record.back(), record.data(), record.data() + K}, true);
        if (pos > 0) {
            const auto &index = Combs.GetIndex();
            ordered = ordered && CompareCombs(Combs.CombPtr(index.GetItem(pos - 1), true),
                                              Combs.CombPtr(index.GetItem(pos), true), K) <= 0;
        }
    }
    if (!ordered)
        Combs.SortByB(-1);
    return true;
}

bool TSystem::readFilterSet(platform::ByteReader &Stream)
{
    uint8_t findType = 0;
    uint32_t count = 0;
    // Every filter takes at least its kind code and its AndMode byte.
    if (!Stream.get(findType) || !Stream.get(count) || count > Stream.remaining() / 5)
        return false;
    auto set = std::make_unique<TGroupFilter>(Game, N, K, Key);
    set->FindType = findType != 0;
    for (uint32_t i = 0; i < count; ++i) {
        // The limits as saved, for the file saved again and the filter editor; Build cuts them to the key.
        std::unique_ptr<TFilter> filter = readFilter(Stream, Game, N, K, Key, TFilterRecordRead::AsStored);
        if (!filter || !Stream.ok())
            return false;
        set->AddFilter(filter.release(), false);
    }
    set->Build();
    Filter = std::move(set);
    HasFilter = true;
    return true;
}

bool TSystem::SaveToFile(const std::string &FileName, const std::string &Title,
                         const std::string &Comment) const
{
    platform::ByteWriter out;
    writeFileHeader(out,
                    TFileHeader{CurrentFileVersion, Game->Info.Id, fkSystem, static_cast<uint8_t>(Kind)});
    writeFileInfo(out, TFileInfo{Now(), Title, Comment});
    SaveToStream(out);
    AppendStreamCRC(out);
    return platform::writeFileAtomically(FileName, out.bytes());
}

bool TSystem::LoadFromFile(const std::string &FileName)
{
    TDynByteArr bytes;
    if (!readFileBytes(FileName, bytes) || bytes.size() < CRCSize)
        return false;
    // The checksum trailer is not part of the body.
    platform::ByteReader in(std::span<const uint8_t>(bytes.data(), bytes.size() - CRCSize));
    TFileHeader header;
    TFileInfo info;
    if (!readFileHeader(in, header) || !readFileInfo(in, info))
        return false;
    if (header.FileKind != fkSystem || header.SubKind != Kind)
        return false;
    return LoadFromStream(in);
}
