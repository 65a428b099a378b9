#include "engine/USysFullComp.h"

#include "core/UCRC.h"
#include "core/UComb.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

TSysFullComp::TSysFullComp(const TGameData *Game) : TSystem(Game)
{
    Kind = skFullComp;
}

void TSysFullComp::SetParams(int A, int X, int Y, int B)
{
    GroupA = uint8_t(A);
    PickA = uint8_t(X);
    GroupB = uint8_t(B);
    PickB = uint8_t(Y);
    TSystem::SetParams(A + B, X + Y);
    Comb.assign(size_t(K), 0);
}

int64_t TSysFullComp::fullCount() const
{
    if (PickA > GroupA || PickB > GroupB)
        return 0;
    int64_t count = 0;
    if (!RankFits(GroupA, PickA) || !RankFits(GroupB, PickB) ||
        __builtin_mul_overflow(Newton[GroupA][PickA], Newton[GroupB][PickB], &count))
        return -1;
    return count;
}

bool TSysFullComp::Generate()
{
    CombCheck = 0;
    ClearCombs();
    const int64_t total = fullCount();
    if (K < 1 || PickA > GroupA || PickB > GroupB || total < 0 || total > INT32_MAX)
        return false;
    resetKey();
    Combs.SetCapacity(int(total));
    Progress.Init(10000, total, 0);
    TDynByteArr first, second;
    uint32_t crc = CRCInit;
    for (int64_t i = 0; i < Newton[GroupA][PickA]; ++i) {
        NextComb(first, GroupA, PickA, i == 0);
        std::copy_n(first.begin(), PickA, Comb.begin());
        for (int64_t j = 0; j < Newton[GroupB][PickB]; ++j) {
            NextComb(second, GroupB, PickB, j == 0);
            for (int m = 0; m < PickB; ++m)
                Comb[size_t(PickA + m)] = uint8_t(second[size_t(m)] + GroupA);
            Combs.Add(TCombRow{0, Comb.data(), Comb.data()}, true);
            crc = updateCRC(crc, std::span(Comb.data(), size_t(K)));
            Progress.Advance(1);
        }
    }
    CombCheck = crc;
    Count = Combs.GetLive();
    RefreshView(true);
    return true;
}

// The positions, unlike the numbers, do not change with the key; sorted, they come in the order of
// generation.
bool TSysFullComp::IsIntact() const
{
    if (ViewCount() != fullCount())
        return false;
    std::vector<const uint8_t *> rows(static_cast<size_t>(ViewCount()));
    for (int i = 0; i < ViewCount(); ++i)
        rows[size_t(i)] = GetComb(i, false);
    std::sort(rows.begin(), rows.end(),
              [this](const uint8_t *A, const uint8_t *B) { return CompareCombs(A, B, K) < 0; });
    uint32_t crc = CRCInit;
    for (const uint8_t *row : rows)
        crc = updateCRC(crc, std::span(row, size_t(K)));
    return crc == CombCheck;
}

void TSysFullComp::SaveParams(platform::ByteWriter &Stream) const
{
    TSystem::SaveParams(Stream);
    Stream.put<uint8_t>(PickA);
    Stream.put<uint8_t>(PickB);
    Stream.put<uint8_t>(GroupA);
    Stream.put<uint8_t>(GroupB);
    Stream.put<uint32_t>(uint32_t(GetCount()));
}

bool TSysFullComp::LoadParams(platform::ByteReader &Stream)
{
    uint8_t x = 0, y = 0, a = 0, b = 0;
    uint32_t count = 0;
    if (!TSystem::LoadParams(Stream) || !Stream.get(x) || !Stream.get(y) || !Stream.get(a) ||
        !Stream.get(b) || !Stream.get(count))
        return false;
    // The group sizes must stand in the binomial table, which the counts of the system read.
    if (x > a || y > b || size_t(a) + b >= Newton.size())
        return false;
    Count = count;
    SetParams(a, x, y, b);
    return true;
}

void TSysFullComp::Assign(const TSystem &Source)
{
    if (&Source == this)
        return;
    if (const auto *source = dynamic_cast<const TSysFullComp *>(&Source))
        SetParams(source->GroupA, source->PickA, source->PickB, source->GroupB);
    TSystem::Assign(Source);
}

std::string TSysFullComp::GetName(bool Short) const
{
    return Short ? "Pełny-złożony" : "System pełny-złożony";
}

std::string TSysFullComp::GetDescription(bool Short) const
{
    const auto text = [](int V) { return std::to_string(V); };
    return GetName(Short) + " " + text(K) + "(" + text(PickA) + "+" + text(PickB) + ")/" + text(N) + "(" +
           text(GroupA) + "+" + text(GroupB) + ")/" + std::to_string(Count);
}
