// The readers and display orders of the series and breaks tables.
#include "stats/UStatSerieBreak.h"

#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "core/USort.h"

#include <utility>

namespace {

std::string CellText(int64_t Value)
{
    return std::to_string(Value) + " ";
}

} // namespace

const TDetItem &TStatSerieBreak::Details1Cell(int32_t Col, int32_t Row) const
{
    const int32_t column = LenColumn[static_cast<size_t>(SlotOf(Lengths[static_cast<size_t>(Col)]))];
    return Details1[static_cast<size_t>(Row)][static_cast<size_t>(column)];
}

void TStatSerieBreak::GetDetails1Comb(int32_t Col, int32_t Row, TDynByteArr &Comb) const
{
    Comb.assign(1, static_cast<uint8_t>(Details1Cell(Col, Row).Draw));
}

void TStatSerieBreak::GetDetails1NumText(int32_t Col, int32_t Row, std::string &S) const
{
    S = CellText(Details1Cell(Col, Row).Draw);
}

void TStatSerieBreak::GetDetails1CountText(int32_t Col, int32_t Row, std::string &S) const
{
    const int32_t runs = Details1Cell(Col, Row).Value;
    S = runs == 0 ? std::string() : CellText(runs);
}

void TStatSerieBreak::GetDetails2LenText(int32_t Col, int32_t Row, std::string &S) const
{
    const auto &items = Details2[static_cast<size_t>(Col)].Items;
    S = static_cast<size_t>(Row) < items.size() ? CellText(items[static_cast<size_t>(Row)].Value) : std::string();
}

void TStatSerieBreak::GetDetails2CountText(int32_t Col, int32_t Row, std::string &S) const
{
    const auto &items = Details2[static_cast<size_t>(Col)].Items;
    S = static_cast<size_t>(Row) < items.size() ? CellText(items[static_cast<size_t>(Row)].Draws) : std::string();
}

void TStatSerieBreak::GetCombRowComb(int32_t Row, TDynByteArr &Comb) const
{
    Comb.resize(static_cast<size_t>(CombLen));
    IndexToComb(static_cast<uint8_t>(N), static_cast<uint8_t>(CombLen), Comb.data(),
                CombRows[static_cast<size_t>(Row)].Index);
}

void TStatSerieBreak::GetCombRowText(int32_t Row, std::string &S) const
{
    TDynByteArr comb;
    GetCombRowComb(Row, comb);
    CombToStr(comb.data(), static_cast<uint8_t>(CombLen), "%2d ", S);
}

void TStatSerieBreak::GetCombRowCellText(int32_t Row, int32_t Col, std::string &S) const
{
    const TSerieCombItem &row = CombRows[static_cast<size_t>(Row)];
    switch (Col) {
    case 1: S = CellText(row.Min); break;
    case 2: S = CellText(row.Max); break;
    case 3: S = FormatFloat("0.00", row.Mean) + " "; break;
    case 5: S = FormatFloat("0.00", row.StdDev) + " "; break;
    default: S.clear(); break;
    }
}

// ---------------------------------------------------------------------------------------------------
// Sorting

void TStatSerieBreak::SortDetails1(TCellCompare Compare, int32_t Dir)
{
    const size_t width = Details1.empty() ? 0 : Details1.front().size();
    for (size_t c = 0; c < width; ++c) {
        Sort.SetCallbacks(
            Dir, [this, c](int I, int J) { std::swap(Details1[I][c], Details1[J][c]); },
            [this, c, Compare](int I, int J, int P) { return Compare(Details1[I][c], Details1[J][c], P); });
        Sort.Sort(0, static_cast<int>(Details1.size()) - 1);
    }
}

void TStatSerieBreak::SortDetails1ByNum(int32_t Dir)
{
    SortDetails1([](const TDetItem &A, const TDetItem &B, int32_t P) { return CompareKeys(A.Draw, B.Draw, P); },
                 Dir);
}

void TStatSerieBreak::SortDetails1ByCount(int32_t Dir)
{
    SortDetails1(
        [](const TDetItem &A, const TDetItem &B, int32_t P) {
            const int result = CompareKeys(A.Value, B.Value, P);
            return result != 0 ? result : CompareKeys(A.Draw, B.Draw, -1);
        },
        Dir);
}

void TStatSerieBreak::SortDetails2ByLen(int32_t Dir)
{
    for (int32_t c = 0; c < static_cast<int32_t>(Details2.size()); ++c)
        SortGroupColumn(Details2, c, &TStatDetails::CompareGroupValue, Dir);
}

void TStatSerieBreak::SortDetails2ByCount(int32_t Dir)
{
    for (int32_t c = 0; c < static_cast<int32_t>(Details2.size()); ++c)
        SortGroupColumn(Details2, c, &TStatDetails::CompareGroupCount, Dir);
}

void TStatSerieBreak::SortSummary(uint8_t Col, int32_t Dir)
{
    TStatDetails::SortSummary(LenRows, Col, Dir);
}

void TStatSerieBreak::SortCombRowsOn(TIndexCompare Compare, int32_t Dir, const TMyThread *AThread)
{
    Sort.SetCallbacks(
        Dir, [this](int I, int J) { std::swap(CombRows[I], CombRows[J]); }, std::move(Compare));
    RunSort(CombRowCount, AThread);
}

void TStatSerieBreak::SortCombRows(int32_t Dir, const TMyThread *AThread)
{
    SortCombRowsOn([this](int I, int J, int P) { return CompareKeys(CombRows[I].Index, CombRows[J].Index, P); },
                   Dir, AThread);
}

void TStatSerieBreak::SortCombRowsBy(int32_t Col, int32_t Dir, const TMyThread *AThread)
{
    if (Col != 1 && Col != 2 && Col != 3 && Col != 5)
        return;
    const auto key = [Col](const TSerieCombItem &Row) -> double {
        switch (Col) {
        case 1: return Row.Min;
        case 2: return Row.Max;
        case 3: return Row.Mean;
        default: return Row.StdDev;
        }
    };
    SortCombRowsOn(
        [this, key](int I, int J, int P) {
            const int result = CompareKeys(key(CombRows[I]), key(CombRows[J]), P);
            return result != 0 ? result : CompareKeys(CombRows[I].Index, CombRows[J].Index, -1);
        },
        Dir, AThread);
}
