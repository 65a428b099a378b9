#include "engine/USysGeneral.h"

#include "core/UComb.h"
#include "core/USort.h"
#include "engine/UFilters.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

TSystem::TSystem(const TGameData *Game_) : Game(Game_)
{
    View.Compare = [this](int32_t Key, int32_t Item, int Param) {
        return -Param * CompareCombs(Combs.CombPtr(Key, true), Combs.CombPtr(Item, true), K);
    };
    View.Sorted = true;
}

TSystem::~TSystem() = default;

int64_t TSystem::GetCount() const
{
    return Combs.GetLive();
}

void TSystem::Assign(const TSystem &Source)
{
    if (&Source == this)
        return;
    N = Source.N;
    K = Source.K;
    FullBet = Source.FullBet;
    Count = Source.Count;
    Key = Source.Key;
    KeyAscending = Source.KeyAscending;
    Combs.Assign(Source.Combs);
    Filter.reset();
    if (Source.Filter) {
        Filter = std::make_unique<TGroupFilter>(Game, N, K, Key);
        Filter->Assign(*Source.Filter);
    }
    HasFilter = Filter != nullptr;
    FilterApplied = HasFilter && Source.FilterApplied;
    Progress.OnProgress = Source.Progress.OnProgress;
    RefreshView(Source.ShowAll);
}

void TSystem::Clear()
{
    ClearCombs();
    FilterApplied = false;
}

bool TSystem::IsFullInOrder() const
{
    if (!RankFits(N, K) || ViewCount() != Newton[size_t(N)][size_t(K)])
        return false;
    for (int i = 0; i < ViewCount(); ++i) {
        const uint8_t *positions = GetComb(i, false);
        // Only a proper combination of 1..N has a rank.
        if (std::any_of(positions, positions + K, [this](uint8_t p) { return p > N; }) ||
            std::adjacent_find(positions, positions + K, std::greater_equal<>()) != positions + K)
            return false;
        if (CombToIndex(uint8_t(N), uint8_t(K), positions) != i + 1)
            return false;
    }
    return true;
}

TAGParams TSystem::GetNumberGroups() const
{
    TAGParam all{1.0, uint8_t(N), TDynByteArr(size_t(N))};
    FillNumbers(all.Numbers);
    return {all};
}

void TSystem::SetParams(int NewN, int NewK)
{
    N = NewN;
    K = NewK;
    FullBet = Game != nullptr && K >= Game->Info.MinK;
    resetKey();
    View.Clear();
    ViewDistinct = -1;
    Combs.SetK(K);
}

const uint8_t *TSystem::GetComb(int I, bool Numbers) const
{
    return Combs.CombPtr(View.GetItem(I), Numbers);
}

void TSystem::CopyComb(int I, bool Numbers, TDynByteArr &C) const
{
    const uint8_t *comb = GetComb(I, Numbers);
    C.assign(comb, comb + K);
}

std::vector<TNumberMask> TSystem::ViewMasks(bool Numbers) const
{
    std::vector<TNumberMask> masks(static_cast<size_t>(ViewCount()));
    for (int i = 0; i < ViewCount(); ++i)
        masks[size_t(i)] = MaskOf(GetComb(i, Numbers), K);
    return masks;
}

TDynByteArr TSystem::ViewNumbers() const
{
    TDynByteArr numbers(size_t(ViewCount()) * size_t(K));
    for (int i = 0; i < ViewCount(); ++i)
        std::copy_n(GetComb(i, true), K, numbers.data() + size_t(i) * size_t(K));
    return numbers;
}

uint8_t TSystem::GetCombFlags(int I) const
{
    return *Combs.FlagsPtr(View.GetItem(I));
}

Currency TSystem::GetCost() const
{
    return BetCost(Game->Info, K, ViewCount());
}

void TSystem::NumbersToPositions(uint8_t *C) const
{
    for (int j = 0; j < K; ++j) {
        const auto found = std::find(Key.begin(), Key.end(), C[j]);
        if (found != Key.end())
            C[j] = static_cast<uint8_t>(found - Key.begin() + 1);
    }
    SortBytes(C, K);
}

int TSystem::AddComb(const uint8_t *C)
{
    TDynByteArr positions(C, C + K);
    NumbersToPositions(positions.data());
    uint8_t flags = cfByHand;
    if (FilterApplied && Filter) {
        Filter->SetDrawsManager(Game->DrawsMan.get());
        Filter->TakeDraws();
        Filter->Prepare();
        if (Filter->Test(C))
            flags |= cfPassed;
        Filter->Finish();
    }
    Combs.Add(TCombRow{flags, positions.data(), C}, false);
    ViewDistinct = -1;
    return View.AddItem(Combs.GetCount() - 1, false);
}

int TSystem::ReplaceComb(int I, const uint8_t *C)
{
    DeleteCombs(I, I);
    return AddComb(C);
}

void TSystem::DeleteCombs(int From, int To)
{
    for (int i = From; i <= To; ++i)
        Combs.MarkDeleted(View.GetItem(i));
    // Rows added by hand stand at the end of the records, so a pack always re-sorts.
    if (Combs.Pack(true)) {
        RefreshView(ShowAll);
        return;
    }
    std::vector<int32_t> kept;
    kept.reserve(size_t(View.Count()));
    for (int i = 0; i < View.Count(); ++i)
        if (i < From || i > To)
            kept.push_back(View.GetItem(i));
    View.Clear();
    ViewDistinct = -1;
    for (const int32_t rec : kept)
        View.AddItem(rec, true);
}

void TSystem::SetKey(const TDynByteArr &NewKey)
{
    const bool currentAscending = IsAscending(Key.data(), N);
    const bool newAscending = IsAscending(NewKey.data(), N);
    bool sortNumbers = true, resort = true;
    if (currentAscending && newAscending)
        sortNumbers = resort = false;
    else if (newAscending)
        sortNumbers = false;
    TDynByteArr key = NewKey;
    if (TooMany || IsFullInOrder())
        std::sort(key.begin(), key.end());
    Key = std::move(key);
    if (!TooMany)
        ApplyKey(sortNumbers, resort);
    FilterApplied = false;
    if (!TooMany)
        RefreshView(true);
    KeyAscending = IsAscending(Key.data(), N);
}

bool TSystem::IsDefaultKey() const
{
    for (int i = 0; i < N; ++i)
        if (Key[size_t(i)] != i + 1)
            return false;
    return true;
}

bool TSystem::SameKey(const TDynByteArr &OtherKey) const
{
    return OtherKey.size() >= size_t(N) && CombsEqual(Key.data(), OtherKey.data(), N);
}

void TSystem::ApplyKey(bool SortNumbers, bool Resort)
{
    // A position above N is a number outside the key, kept as itself: it leaves the numbers unordered
    // and the rows' order changed whatever the key.
    bool outsideKey = false;
    ViewDistinct = -1;
    const auto &index = Combs.GetIndex();
    for (int pos = 0; pos < index.Count(); ++pos) {
        const int32_t rec = index.GetItem(pos);
        if (Combs.IsDeleted(rec))
            continue;
        const uint8_t *positions = Combs.CombPtr(rec, false);
        uint8_t *numbers = Combs.CombPtr(rec, true);
        bool rowOutside = false;
        for (int j = 0; j < K; ++j) {
            if (positions[j] >= 1 && positions[j] <= N) {
                numbers[j] = Key[size_t(positions[j]) - 1];
            } else {
                numbers[j] = positions[j];
                rowOutside = true;
            }
        }
        if (SortNumbers || rowOutside)
            SortBytes(numbers, K);
        outsideKey = outsideKey || rowOutside;
    }
    if (Resort || outsideKey)
        Combs.SortByB(-1);
}

void TSystem::SortCombs(bool ByNumbers)
{
    if (ByNumbers)
        Combs.SortByB(-1);
    else
        Combs.SortByA(-1);
}

void TSystem::RefreshView(bool NewShowAll)
{
    ShowAll = NewShowAll;
    View.Clear();
    // Counted here, where each row is at hand anyway: a second pass over a large view reads its rows
    // scattered over the store again.
    ViewDistinct = 0;
    const uint8_t *previous = nullptr;
    const auto &index = Combs.GetIndex();
    for (int pos = 0; pos < index.Count(); ++pos) {
        const int32_t rec = index.GetItem(pos);
        if (Combs.IsDeleted(rec) || !(ShowAll || Shows(*Combs.FlagsPtr(rec))))
            continue;
        View.AddItem(rec, true);
        const uint8_t *numbers = Combs.CombPtr(rec, true);
        if (!previous || !CombsEqual(previous, numbers, K))
            ++ViewDistinct;
        previous = numbers;
    }
}

void TSystem::ClearCombs()
{
    View.Clear();
    ViewDistinct = -1;
    Combs.Clear();
}

int64_t TSystem::CountDistinct() const
{
    if (ViewDistinct >= 0)
        return ViewDistinct;
    if (ViewCount() == 0)
        return 0;
    int64_t distinct = 1;
    for (int i = 1; i < ViewCount(); ++i)
        if (!CombsEqual(GetComb(i - 1, true), GetComb(i, true), K))
            ++distinct;
    return distinct;
}

void TSystem::resetKey()
{
    Key.resize(size_t(N));
    FillNumbers(Key);
    KeyAscending = true;
}

int TSystem::highestNumber() const
{
    return Game->Info.MaxNumber;
}

bool CombsEqual(const uint8_t *A, const uint8_t *B, int Len)
{
    return Len <= 0 || std::memcmp(A, B, size_t(Len)) == 0;
}

int CompareCombs(const uint8_t *A, const uint8_t *B, int Len)
{
    const int c = Len > 0 ? std::memcmp(A, B, size_t(Len)) : 0;
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}
