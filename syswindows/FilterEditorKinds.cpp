#include "syswindows/FilterEditorKinds.h"

#include "engine/UFltCount.h"
#include "engine/UFltGroup.h"
#include "engine/UFltRef.h"
#include "engine/UFltValue.h"

#include <algorithm>
#include <initializer_list>

namespace {

const char *RelationText(uint8_t Code)
{
    static const char *const texts[] = {"Dokładnie", "Przedział: od - do", "Co najmniej",
                                        "Co najwyżej", "Dowolna", "Wszystkie"};
    return texts[Code];
}

std::vector<TRelationItem> Relations(std::initializer_list<uint8_t> Codes)
{
    std::vector<TRelationItem> items;
    for (const uint8_t code : Codes)
        items.push_back({code, RelationText(code)});
    return items;
}

void Drop(std::vector<TRelationItem> &Items, std::initializer_list<uint8_t> Codes)
{
    std::erase_if(Items, [Codes](const TRelationItem &Item) {
        return std::find(Codes.begin(), Codes.end(), Item.Code) != Codes.end();
    });
}

// "Co najmniej" and "Co najwyżej" read as the bounds of a range of numbers or differences.
void RetitleBounds(std::vector<TRelationItem> &Items, const char *From, const char *To)
{
    for (TRelationItem &item : Items) {
        if (item.Code == rmAtLeast)
            item.Text = From;
        else if (item.Code == rmAtMost)
            item.Text = To;
    }
}

// The second row of the count kinds: the numbers counted lie within a range of numbers.
void NumberScopeRows(TFilterEditorLayout &Layout, const TFltScopeCount &Filter, const char *Title1)
{
    Layout.Title1 = Title1;
    Drop(Layout.Relations1, {rmAny});
    Layout.Max1 = int32_t(Filter.MaxCountInRange(1, Filter.GameMaxNumber()));
    Layout.Title2 = "Zakres liczb:";
    RetitleBounds(Layout.Relations2, "Od liczby", "Do liczby");
    Drop(Layout.Relations2, {rmAny, rmExact});
    Layout.Min2 = 1;
    Layout.Max2 = Filter.GameMaxNumber();
}

void ValueRow(TFilterEditorLayout &Layout, const TFltValueRange &Filter, const char *Title1)
{
    Layout.Title1 = Title1;
    Drop(Layout.Relations1, {rmAll, rmAny});
    Layout.Min1 = Filter.Lowest;
    Layout.Max1 = Filter.Highest;
    Layout.Row2 = false;
}

void GroupRows(TFilterEditorLayout &Layout, int32_t MaxCount, int32_t MinSize, int32_t MaxSize)
{
    Layout.Title1 = "Liczba grup:";
    Layout.Max1 = MaxCount;
    Layout.Min2 = MinSize;
    Layout.Max2 = MaxSize;
    Layout.Exclusive = true;
}

void PositionRows(TFilterEditorLayout &Layout, int32_t MaxPosition, int32_t MaxValue)
{
    Layout.Title1 = "Pozycja:";
    Layout.PositionOnly = true;
    Layout.Relations1.clear();
    // Positions count from 1: the conditions test no position 0.
    Layout.Min1 = 1;
    Layout.Max1 = MaxPosition;
    Layout.Title2 = "Zakres:";
    RetitleBounds(Layout.Relations2, "Od", "Do");
    Drop(Layout.Relations2, {rmAny, rmAll});
    Layout.Min2 = 1;
    Layout.Max2 = MaxValue;
}

void Block(const TRangeBlock &B, uint8_t &Relation, int32_t &From, int32_t &To)
{
    Relation = B.Mode;
    From = B.Min;
    To = B.Max;
}

TRangeBlock Block(uint8_t Relation, int32_t From, int32_t To)
{
    return TRangeBlock{Relation, From, To};
}

template <typename TCond>
TCond *ParamsOf(TFilter &Filter)
{
    auto *filter = dynamic_cast<TCondFilter<TCond> *>(&Filter);
    return filter ? &filter->Params : nullptr;
}

template <typename TCond>
const TCond *ParamsOf(const TFilter &Filter)
{
    const auto *filter = dynamic_cast<const TCondFilter<TCond> *>(&Filter);
    return filter ? &filter->Params : nullptr;
}

} // namespace

std::vector<TRelationItem> BaseRelations1()
{
    return Relations({rmExact, rmRange, rmAtLeast, rmAtMost, rmAny, rmAll});
}

std::vector<TRelationItem> BaseRelations2()
{
    return Relations({rmAll, rmExact, rmRange, rmAtLeast, rmAtMost, rmAny});
}

TFilterEditorLayout FilterEditorLayout(const TFilter &Filter)
{
    TFilterEditorLayout layout;
    layout.Relations1 = BaseRelations1();
    layout.Relations2 = BaseRelations2();
    switch (Filter.Kind) {
    case fltSucc: {
        const auto &filter = static_cast<const TFltSucc &>(Filter);
        GroupRows(layout, filter.MaxGroupCount(), TFltSucc::MinGroupSize, filter.MaxGroupSize());
        Drop(layout.Relations1, {rmAll, rmAny});
        layout.Title2 = "Ilość liczb w grupie:";
        Drop(layout.Relations2, {rmAll});
        break;
    }
    case fltPar:
        NumberScopeRows(layout, static_cast<const TFltScopeCount &>(Filter), "Liczba parzystych:");
        break;
    case fltNPar:
        NumberScopeRows(layout, static_cast<const TFltScopeCount &>(Filter), "Liczba nieparzystych:");
        break;
    case fltFirst:
        NumberScopeRows(layout, static_cast<const TFltScopeCount &>(Filter), "Liczba pierwszych:");
        break;
    case fltInt:
        NumberScopeRows(layout, static_cast<const TFltScopeCount &>(Filter), "Ilość liczb:");
        break;
    case fltSum:
        ValueRow(layout, static_cast<const TFltValueRange &>(Filter), "Suma liczb:");
        break;
    case fltSDigit1:
    case fltSDigit2:
    case fltSDigit12:
        ValueRow(layout, static_cast<const TFltValueRange &>(Filter), "Suma:");
        break;
    case fltDist:
        ValueRow(layout, static_cast<const TFltValueRange &>(Filter), "Rozpiętość:");
        break;
    case fltDigit:
        layout.Title1 = "Rodzaj cyfry:";
        layout.Relations1 = {{0, "Pierwsza cyfra"}, {1, "Druga cyfra"}};
        layout.Range1 = false;
        layout.Title2 = "Ilość liczb:";
        Drop(layout.Relations2, {rmAny});
        layout.Max2 = static_cast<const TFltDigit &>(Filter).MaxCount();
        layout.Digits = TDigitBoxes::ByDigitKind;
        break;
    case fltDiffs: {
        const auto &filter = static_cast<const TFltDiffs &>(Filter);
        layout.Title1 = "Liczba różnic:";
        Drop(layout.Relations1, {rmAny});
        layout.Max1 = filter.MaxCount();
        layout.Title2 = "Różnica:";
        RetitleBounds(layout.Relations2, "Od", "Do");
        Drop(layout.Relations2, {rmAny, rmAll});
        layout.Min2 = 1;
        layout.Max2 = filter.MaxDiff();
        break;
    }
    case fltComb:
        layout.Row1 = false;
        layout.Title2 = "Ilość wspólnych liczb:";
        Drop(layout.Relations2, {rmAny});
        layout.Max2 = static_cast<const TFltComb &>(Filter).MaxNumber();
        layout.Comb = true;
        break;
    case fltDBCN:
        layout.Row1 = false;
        layout.Title2 = "Ilość liczb:";
        Drop(layout.Relations2, {rmAny});
        layout.Max2 = static_cast<const TFltDBCN &>(Filter).MaxCount();
        layout.DrawsRange = true;
        break;
    case fltGDigit1:
    case fltGDigit2: {
        const auto &filter = static_cast<const TFltGDigit &>(Filter);
        GroupRows(layout, filter.MaxGroupCount(), 1, filter.MaxGroupSize());
        Drop(layout.Relations1, {rmAll, rmAny});
        layout.Title2 = "Ilość liczb w grupie:";
        Drop(layout.Relations2, {rmAny, rmAll});
        layout.Digits = filter.FirstDigit ? TDigitBoxes::First : TDigitBoxes::Last;
        break;
    }
    case fltDiffPos: {
        const auto &filter = static_cast<const TFltDiffPos &>(Filter);
        PositionRows(layout, filter.MaxPosition(), filter.MaxDiff());
        break;
    }
    case fltNumPos: {
        const auto &filter = static_cast<const TFltNumPos &>(Filter);
        PositionRows(layout, filter.MaxPosition(), filter.MaxNumber());
        break;
    }
    case fltDiffsConf: {
        const auto &filter = static_cast<const TFltDiffsConf &>(Filter);
        GroupRows(layout, filter.MaxGroupCount(), filter.IsUsable(), filter.MaxGroupSize());
        Drop(layout.Relations1, {rmAll});
        layout.Title2 = "Liczba różnic w grupie:";
        Drop(layout.Relations2, {rmAny, rmAll});
        break;
    }
    default:
        break;
    }
    return layout;
}

uint32_t UsableDigitBoxes(TDigitBoxes Boxes, uint8_t DigitKind, uint8_t MaxNumber)
{
    switch (Boxes) {
    case TDigitBoxes::ByDigitKind:
        return DigitValueCount(DigitKind == 0, MaxNumber);
    case TDigitBoxes::First:
        return DigitValueCount(true, MaxNumber);
    case TDigitBoxes::Last:
        return DigitValueCount(false, MaxNumber);
    default:
        return 0;
    }
}

TFilterEditValues GetEditValues(const TFilter &Filter)
{
    TFilterEditValues v;
    v.AndMode = Filter.AndMode;
    if (const auto *p = ParamsOf<TGroupCond>(Filter)) {
        Block(p->Count, v.Relation1, v.From1, v.To1);
        Block(p->Size, v.Relation2, v.From2, v.To2);
        v.OthersAllowed = p->Exclusive == 0;
    } else if (const auto *p = ParamsOf<TCountCond>(Filter)) {
        Block(p->Count, v.Relation1, v.From1, v.To1);
        Block(p->Scope, v.Relation2, v.From2, v.To2);
    } else if (const auto *p = ParamsOf<TRangeBlock>(Filter)) {
        Block(*p, v.Relation1, v.From1, v.To1);
    } else if (const auto *p = ParamsOf<TDigitCountCond>(Filter)) {
        v.Relation1 = p->DigitKind;
        Block(p->Count, v.Relation2, v.From2, v.To2);
        v.Digits = p->Digits;
    } else if (const auto *p = ParamsOf<TCombCond>(Filter)) {
        const size_t count = std::min(p->RefNumbers.size(), size_t(std::max(p->RefCount, 0)));
        v.Comb.assign(p->RefNumbers.begin(), p->RefNumbers.begin() + ptrdiff_t(count));
        Block(p->Count, v.Relation2, v.From2, v.To2);
    } else if (const auto *p = ParamsOf<TDBCNCond>(Filter)) {
        v.Range = p->Range;
        Block(p->Count, v.Relation2, v.From2, v.To2);
    } else if (const auto *p = ParamsOf<TDigitGroupCond>(Filter)) {
        Block(p->Count, v.Relation1, v.From1, v.To1);
        Block(p->Size, v.Relation2, v.From2, v.To2);
        v.Digits = p->Digits;
        v.OthersAllowed = p->Exclusive == 0;
    } else if (const auto *p = ParamsOf<TPositionCond>(Filter)) {
        v.From1 = p->Position;
        Block(p->Value, v.Relation2, v.From2, v.To2);
    }
    return v;
}

void SetEditValues(TFilter &Filter, const TFilterEditValues &v)
{
    Filter.AndMode = v.AndMode;
    const uint8_t exclusive = v.OthersAllowed ? 0 : 1;
    if (auto *p = ParamsOf<TGroupCond>(Filter)) {
        p->Count = Block(v.Relation1, v.From1, v.To1);
        p->Size = Block(v.Relation2, v.From2, v.To2);
        p->Exclusive = exclusive;
    } else if (auto *p = ParamsOf<TCountCond>(Filter)) {
        p->Count = Block(v.Relation1, v.From1, v.To1);
        p->Scope = Block(v.Relation2, v.From2, v.To2);
    } else if (auto *p = ParamsOf<TRangeBlock>(Filter)) {
        *p = Block(v.Relation1, v.From1, v.To1);
    } else if (auto *p = ParamsOf<TDigitCountCond>(Filter)) {
        p->DigitKind = v.Relation1;
        p->Count = Block(v.Relation2, v.From2, v.To2);
        p->Digits = v.Digits;
    } else if (auto *p = ParamsOf<TCombCond>(Filter)) {
        p->RefNumbers = v.Comb;
        p->RefCount = int32_t(v.Comb.size());
        p->Count = Block(v.Relation2, v.From2, v.To2);
    } else if (auto *p = ParamsOf<TDBCNCond>(Filter)) {
        p->Range = v.Range;
        p->Count = Block(v.Relation2, v.From2, v.To2);
    } else if (auto *p = ParamsOf<TDigitGroupCond>(Filter)) {
        p->Count = Block(v.Relation1, v.From1, v.To1);
        p->Size = Block(v.Relation2, v.From2, v.To2);
        p->Digits = v.Digits;
        p->Exclusive = exclusive;
    } else if (auto *p = ParamsOf<TPositionCond>(Filter)) {
        p->Position = v.From1;
        p->Value = Block(v.Relation2, v.From2, v.To2);
    }
}
