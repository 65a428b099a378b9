#include "engine/UDrawsDB.h"

#include "core/UComb.h"
#include "core/UGlobalProgress.h"
#include "core/UGlobalThreads.h"
#include "engine/EFilterFeed.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"

#include <algorithm>
#include <vector>

namespace {

int CompareDrawDates(const TDraw *A, const TDraw *B, int Param)
{
    if (A->Date < B->Date)
        return Param;
    if (A->Date > B->Date)
        return -Param;
    return 0;
}

// Equal days: later dates first, whatever the direction.
int CompareDrawWeekDays(const TDraw *A, const TDraw *B, int Param)
{
    if (A->WeekDay < B->WeekDay)
        return Param;
    if (A->WeekDay > B->WeekDay)
        return -Param;
    return CompareDrawDates(A, B, 1);
}

int CompareDrawNumbers(const TDraw *A, const TDraw *B, int Param)
{
    if (A->Numbers < B->Numbers)
        return Param;
    if (B->Numbers < A->Numbers)
        return -Param;
    return 0;
}

// A draw-shaped record carrying the searched date.
TDraw DateKey(TDateTime Date)
{
    TDraw key;
    key.Date = Date;
    return key;
}

} // namespace

TDrawsManager::TDrawsManager(const TGameData *Game, int32_t SelectSortParam) : Game(Game)
{
    Draws.Compare = CompareDrawDates;
    Draws.SortParam = -1;
    Selection.OwnsItems = false;
    Selection.Compare = CompareDrawDates;
    Selection.SortParam = SelectSortParam;
    NumBuf.resize(Drawn());
}

TDrawsManager::~TDrawsManager() = default;

void TDrawsManager::SetFormat(const TDrawsFormat &Fmt)
{
    Format = Fmt;
}

void TDrawsManager::SetDefaultFormat()
{
    Format = TDrawsFormat{};
}

uint8_t TDrawsManager::MaxNumber() const
{
    return Game->Info.MaxNumber;
}

uint8_t TDrawsManager::Drawn() const
{
    return Game->Info.Drawn;
}

// ---------------------------------------------------------------------------------------------------
// Copying

void TDrawsManager::CopyDraws(const TDrawsManager &Source, bool Append)
{
    FilterOn = false;
    NumberSetOn = false;
    Selection.Clear();
    if (!Append)
        Draws.Clear();
    // Appending adds only what comes after the last draw; into an empty history everything.
    const bool bounded = Append && Draws.Count() > 0;
    const TDateTime last = bounded ? Draws.GetItem(Draws.Count() - 1)->Date : 0;
    for (int i = 0; i < Source.Draws.Count(); ++i) {
        const TDraw *draw = Source.Draws.GetItem(i);
        if (!bounded || draw->Date > last)
            Draws.AddItem(new TDraw(*draw), true);
    }
    BuildSelection(smEvery);
}

void TDrawsManager::CopyFilters(const TDrawsManager &Source)
{
    if (Source.HasFilter && Source.GroupFilter) {
        const TGroupFilter &filter = *Source.GroupFilter;
        GroupFilter = std::make_unique<TGroupFilter>(filter.Game, filter.N, filter.K, filter.Numbers);
        GroupFilter->Assign(filter);
        HasFilter = true;
    }
    if (Source.HasNumberSet) {
        NumberSet = Source.NumberSet;
        HasNumberSet = true;
    }
}

void TDrawsManager::Assign(const TDrawsManager &Source)
{
    Game = Source.Game;
    NumBuf.assign(Drawn(), 0);
    CopyDraws(Source, false);
    CopyFilters(Source);
    FilterOn = HasFilter;
    NumberSetOn = HasNumberSet;
}

// ---------------------------------------------------------------------------------------------------
// Editing

std::unique_ptr<TDraw> TDrawsManager::NewDraw(const TDynByteArr &Numbers, TDateTime Date, uint8_t Flags) const
{
    auto draw = std::make_unique<TDraw>();
    draw->Date = Date;
    draw->WeekDay = static_cast<uint8_t>(DayOfTheWeek(Date));
    draw->Numbers = Numbers;
    std::sort(draw->Numbers.begin(), draw->Numbers.end());
    draw->Flags = Flags;
    return draw;
}

int32_t TDrawsManager::AddDraw(const TDynByteArr &Numbers, TDateTime Date)
{
    const TDraw key = DateKey(Date);
    int index;
    if (Draws.Find(&key, index))
        return -1;
    TDraw *draw = NewDraw(Numbers, Date, dfInRange).release();
    Draws.AddItem(draw, true, index);
    if (FilterOn && GroupFilter) {
        GroupFilter->SetDrawsManager(this);
        GroupFilter->TakeDraws();
        GroupFilter->Prepare();
        if (GroupFilter->Test(draw->Numbers.data()))
            draw->Flags |= dfFilter;
        GroupFilter->Finish();
    }
    if (NumberSetOn && IsSubset(NumberSet.data(), draw->Numbers.data(), static_cast<int>(NumberSet.size()),
                                static_cast<int>(draw->Numbers.size())))
        draw->Flags |= dfNumberSet;
    if (SelectMode == smEvery || !InSelection(*draw))
        return -2;
    Renumber();
    return Selection.AddItem(draw, false);
}

int32_t TDrawsManager::ChangeDraw(int32_t SelIndex, const TDynByteArr &Numbers, TDateTime Date)
{
    if (Date != Selection.GetItem(SelIndex)->Date && IndexOfDate(Date) >= 0)
        return -1;
    RemoveDraw(SelIndex);
    return AddDraw(Numbers, Date);
}

void TDrawsManager::DeleteDraw(int32_t SelIndex)
{
    RemoveDraw(SelIndex);
}

void TDrawsManager::RemoveDraw(int32_t SelIndex)
{
    const TDraw key = DateKey(Selection.GetItem(SelIndex)->Date);
    Selection.DeleteItem(SelIndex);
    int index;
    if (Draws.Find(&key, index))
        Draws.DeleteItem(index);
}

// ---------------------------------------------------------------------------------------------------
// Marks and flags

int32_t TDrawsManager::MarkByNumbers(const TDynByteArr &Set, int32_t Len)
{
    NumberSet.assign(Set.begin(), Set.begin() + std::clamp<int32_t>(Len, 0, static_cast<int32_t>(Set.size())));
    std::sort(NumberSet.begin(), NumberSet.end());
    int32_t count = 0;
    for (int i = 0; i < Draws.Count(); ++i) {
        TDraw &draw = *Draws.GetItem(i);
        draw.Flags &= dfInRange | dfFilter;
        if (IsSubset(NumberSet.data(), draw.Numbers.data(), static_cast<int>(NumberSet.size()),
                     static_cast<int>(draw.Numbers.size()))) {
            draw.Flags |= dfNumberSet;
            ++count;
        }
    }
    HasNumberSet = true;
    NumberSetOn = true;
    return count;
}

void TDrawsManager::SetFlags(uint8_t Bits, bool On, uint8_t Keep)
{
    for (int i = 0; i < Draws.Count(); ++i) {
        TDraw &draw = *Draws.GetItem(i);
        if (On)
            draw.Flags = (draw.Flags & Keep) | Bits;
        else
            draw.Flags = (draw.Flags & ~Bits) | (draw.Flags & Keep);
    }
}

int32_t TDrawsManager::MarkByFilter(TGroupFilter &Filter, TMyThread *Thread, const TProgressProc &OnProgress)
{
    TProgress progress;
    progress.OnProgress = OnProgress;
    progress.Init(10000, Draws.Count(), 0);
    // The verdicts are kept apart until the testing ends, so a set that throws changes no mark.
    std::vector<bool> passes(static_cast<size_t>(Draws.Count()));
    int handled = 0;
    RunPrepared(Filter, [&] {
        while (handled < Draws.Count()) {
            const int i = handled++;
            passes[static_cast<size_t>(i)] = Filter.Test(Draws.GetItem(i)->Numbers.data());
            if (Thread && Thread->GetTerminated())
                break;
            progress.Advance(1);
        }
    });
    int32_t count = 0;
    for (int i = 0; i < handled; ++i) {
        TDraw &draw = *Draws.GetItem(i);
        draw.Mark = passes[static_cast<size_t>(i)] ? 1 : 0;
        if (draw.Mark == 1 && (draw.Flags & dfInRange))
            ++count;
    }
    return count;
}

void TDrawsManager::CollectEFilters(const TEFilters &EFilters, TGroupFilter *GroupFilter, TMyThread *Thread,
                                    const TProgressProc &OnProgress) const
{
    TProgress progress;
    progress.OnProgress = OnProgress;
    progress.Init(10000, Draws.Count(), 0);
    CollectEFiltersOver(EFilters, GroupFilter, [&](const auto &Add) {
        TStopPoll poll;
        for (int i = 0; i < Draws.Count(); ++i) {
            const TDraw &draw = *Draws.GetItem(i);
            if (draw.Flags & dfInRange)
                Add(draw.Numbers.data());
            if (poll.Due([Thread] { return Thread && Thread->GetTerminated(); }))
                return false;
            progress.Advance(1);
        }
        return true;
    });
}

void TDrawsManager::SetFilter(const TGroupFilter &Filter)
{
    GroupFilter = std::make_unique<TGroupFilter>(Filter.Game, Filter.N, Filter.K, Filter.Numbers);
    GroupFilter->Assign(Filter);
    HasFilter = true;
    FilterOn = true;
    FlagMarked(dfFilter);
}

void TDrawsManager::FlagMarked(uint8_t Flag)
{
    for (int i = 0; i < Draws.Count(); ++i) {
        TDraw &draw = *Draws.GetItem(i);
        if (draw.Mark == 1)
            draw.Flags |= Flag;
        else
            draw.Flags &= ~Flag;
    }
}

void TDrawsManager::ClearFilter()
{
    GroupFilter.reset();
    HasFilter = false;
    FilterOn = false;
}

void TDrawsManager::DeleteByFilter()
{
    if (!GroupFilter)
        return;
    // A find-type set keeps the draws that pass it, a delete-type set removes them.
    const bool keepPassing = GroupFilter->FindType;
    Selection.Clear();
    std::vector<TDraw *> kept;
    kept.reserve(static_cast<size_t>(Draws.Count()));
    Draws.OwnsItems = false;
    for (int i = 0; i < Draws.Count(); ++i) {
        TDraw *draw = Draws.GetItem(i);
        const bool passes = (draw->Flags & dfFilter) != 0;
        if ((draw->Flags & dfInRange) && passes != keepPassing)
            delete draw;
        else
            kept.push_back(draw);
    }
    Draws.Clear();
    Draws.OwnsItems = true;
    for (TDraw *draw : kept)
        Draws.AddItem(draw, true);
    ClearFilter();
    BuildSelection(SelectMode);
}

// ---------------------------------------------------------------------------------------------------
// Looking up

int32_t TDrawsManager::IndexOfDate(TDateTime D) const
{
    const TDraw key = DateKey(D);
    int index;
    return Draws.Find(&key, index) ? index : -1;
}

int32_t TDrawsManager::IndexBeforeDate(TDateTime D) const
{
    const TDraw key = DateKey(D);
    int index;
    Draws.Find(&key, index);
    return index - 1;
}

int32_t TDrawsManager::IndexAfterDate(TDateTime D) const
{
    const TDraw key = DateKey(D);
    int index;
    if (Draws.Find(&key, index))
        ++index;
    return index < Draws.Count() ? index : -1;
}

int32_t TDrawsManager::IndexOnOrBefore(TDateTime D) const
{
    const TDraw key = DateKey(D);
    int index;
    return Draws.Find(&key, index) ? index : index - 1;
}

int32_t TDrawsManager::IndexOnOrAfter(TDateTime D) const
{
    const TDraw key = DateKey(D);
    int index;
    Draws.Find(&key, index);
    return index < Draws.Count() ? index : -1;
}

// ---------------------------------------------------------------------------------------------------
// The selection

void TDrawsManager::SetSelectionOrder(TDrawCompare Compare, int32_t Param)
{
    Selection.Compare = std::move(Compare);
    Selection.SortParam = Param;
    Selection.SortBy(Param, Selection.Compare);
}

void TDrawsManager::SortByDate(int32_t Dir)
{
    SetSelectionOrder(CompareDrawDates, Dir);
}

void TDrawsManager::SortByWeekDay(int32_t Dir)
{
    SetSelectionOrder(CompareDrawWeekDays, Dir);
}

void TDrawsManager::SortByNumbers(int32_t Dir)
{
    SetSelectionOrder(CompareDrawNumbers, Dir);
}

bool TDrawsManager::InSelection(const TDraw &Draw) const
{
    const bool inRange = (Draw.Flags & dfInRange) != 0;
    switch (SelectMode) {
    case smEvery:
        return true;
    case smAll:
        return inRange;
    case smNumbers:
        return inRange && (Draw.Flags & dfNumberSet);
    case smFilter:
        return inRange && (!GroupFilter || ((Draw.Flags & dfFilter) != 0) == GroupFilter->FindType);
    default:
        return false;
    }
}

void TDrawsManager::BuildSelection(uint8_t Mode)
{
    SelectMode = Mode;
    Selection.Clear();
    for (int i = 0; i < Draws.Count(); ++i) {
        TDraw *draw = Draws.GetItem(i);
        if (InSelection(*draw))
            Selection.AddItem(draw, true);
    }
    Selection.SortBy(Selection.SortParam, Selection.Compare);
    Renumber();
}

void TDrawsManager::Renumber()
{
    for (int i = 0; i < Draws.Count(); ++i)
        Draws.GetItem(i)->No = i + 1;
}

int32_t TDrawsManager::GetSelNo(int32_t I) const
{
    return Selection.GetItem(I)->No;
}

TDateTime TDrawsManager::GetSelDate(int32_t I) const
{
    return Selection.GetItem(I)->Date;
}

const TDynByteArr &TDrawsManager::GetSelNumbers(int32_t I) const
{
    return Selection.GetItem(I)->Numbers;
}

const TDraw &TDrawsManager::GetSelDraw(int32_t I) const
{
    return *Selection.GetItem(I);
}

const TDraw &TDrawsManager::GetDraw(int32_t I) const
{
    return *Draws.GetItem(I);
}

int32_t TDrawsManager::CountFlagged(uint8_t Mask) const
{
    if (Mask == 0)
        return Draws.Count();
    int32_t count = 0;
    for (int i = 0; i < Draws.Count(); ++i) {
        if (Draws.GetItem(i)->Flags & Mask)
            ++count;
    }
    return count;
}

int32_t TDrawsManager::CountMissingFrom(const TDrawsManager &Other) const
{
    // Both histories are in date order.
    int32_t missing = 0;
    int j = 0;
    for (int i = 0; i < Draws.Count(); ++i) {
        const TDateTime date = Draws.GetItem(i)->Date;
        while (j < Other.Draws.Count() && Other.Draws.GetItem(j)->Date < date)
            ++j;
        if (j == Other.Draws.Count() || Other.Draws.GetItem(j)->Date != date)
            ++missing;
    }
    return missing;
}
