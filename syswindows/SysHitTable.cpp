#include "syswindows/SysHitTable.h"

#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "engine/USysFullCompGuaranty.h"
#include "shell/FGlobalGrids.h"
#include "syswindows/SysFormats.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace {

// Design widths: a prize level's column narrows by a pixel per level, from 49.
constexpr int LevelColumnWidth = 50;
constexpr int WinColumnWidth = 115;

QString PrizesText(double Prizes, bool Whole)
{
    return QString::fromStdString(FormatFloat(Whole ? "#,##" : "#,##0.00", Prizes));
}

Currency ScaledWin(const THitCase &Case, double Scale)
{
    return Currency::fromCount(int64_t(std::nearbyint(double(Case.Win.count()) / Scale)));
}

} // namespace

TFullSystemHits FullSystemHits(const TGameInfo &Game, int N, int K)
{
    TFullSystemHits table;
    THitsInfo &info = table.Info;
    info.Init(Game, N, K, false);
    if (!FullSystemCountsExact(Game, N, K))
        return table;
    const bool multiBet = IsMultiBet(Game, K);
    try {
        for (int c = 0; c < info.ColCount; ++c) {
            THitCase hitCase;
            hitCase.Drawn = info.LowHits + c;
            hitCase.Prizes.assign(size_t(info.LevelCount), 0);
            HitsInFullVector(N, K, hitCase.Drawn, hitCase.Prizes.data(), info.LevelCount, info.LowHits);
            if (multiBet)
                ExpandHits(Game, K, info.HighHits, hitCase.Prizes.data(), info.LevelCount);
            hitCase.Win = WinAmount(Game, K, info.HighHits, hitCase.Prizes.data(), info.LevelCount);
            table.Cases.push_back(std::move(hitCase));
        }
    } catch (const std::overflow_error &) {
        table.Cases.clear();
    }
    return table;
}

void ShowHitTable(TStringAlignGrid *Grid, const TFullSystemHits &Hits, double Scale, bool Whole)
{
    const THitsInfo &info = Hits.Info;
    const int winCol = info.LevelCount + 1;

    Grid->ClearRows(1, -1);
    Grid->setColCount(winCol + 1);
    Grid->setRowCount(std::max(int(Hits.Cases.size()), 1) + 1);
    for (int j = 1; j < winCol; ++j) {
        Grid->setCells(j, 0, QString::fromStdString(info.RowLabels[size_t(j) - 1]));
        int64_t most = 0;
        for (const THitCase &hitCase : Hits.Cases)
            most = std::max(most, hitCase.Prizes[size_t(j) - 1]);
        SetColWidth(Grid, j, LevelColumnWidth - j, {PrizesText(double(most), Whole)});
        Grid->SetAlignCol(j, alLeft);
    }
    Grid->setCells(winCol, 0, QStringLiteral("Wygrana"));
    Currency mostWon;
    for (const THitCase &hitCase : Hits.Cases)
        mostWon = std::max(mostWon, hitCase.Win);
    SetColWidth(Grid, winCol, WinColumnWidth, {MoneyText(mostWon)});
    Grid->SetAlignCol(winCol, alLeft);

    int row = 1;
    for (auto hitCase = Hits.Cases.rbegin(); hitCase != Hits.Cases.rend(); ++hitCase, ++row) {
        Grid->setCells(0, row, QString::number(hitCase->Drawn));
        for (int j = 1; j < winCol; ++j) {
            const int64_t prizes = hitCase->Prizes[size_t(j) - 1];
            if (prizes != 0)
                Grid->setCells(j, row, PrizesText(double(prizes) / Scale, Whole));
        }
        Grid->setCells(winCol, row, MoneyText(ScaledWin(*hitCase, Scale)));
    }
    SetColWidth(Grid, 0, DesignColWidth);
}

void ShowCompositeHitTable(TStringAlignGrid *Grid, const THitsInfo &Info, const std::vector<TFCSRow> &Rows,
                           THitColumnWidths Widths)
{
    constexpr int FirstLevelCol = 2;
    const int winCol = FirstLevelCol + Info.RowCount;
    const auto hitsText = [](int Hits) { return Hits == 0 ? QStringLiteral("-") : QString::number(Hits); };

    Grid->ClearRows(1, -1);
    Grid->setColCount(winCol + 1);
    Grid->setRowCount(std::max(int(Rows.size()), 1) + 1);
    Grid->setFixedCols(FirstLevelCol);
    Grid->setCells(0, 0, QStringLiteral("Traf. 1"));
    Grid->setCells(1, 0, QStringLiteral("Traf. 2"));
    Grid->setCells(winCol, 0, QStringLiteral("Wygrana"));
    int row = 1;
    for (auto hitCase = Rows.rbegin(); hitCase != Rows.rend(); ++hitCase, ++row) {
        Grid->setCells(0, row, hitsText(hitCase->HitsA));
        Grid->setCells(1, row, hitsText(hitCase->HitsB));
        for (int level = 0; level < Info.RowCount; ++level)
            Grid->setCells(FirstLevelCol + level, row, CountText(hitCase->Hits[size_t(level)]));
        Grid->setCells(winCol, row, MoneyText(hitCase->Win));
    }
    for (int col = 0; col < FirstLevelCol; ++col)
        SetColWidth(Grid, col, DesignColWidth, ColTexts(Grid, col));
    for (int level = 0; level < Info.RowCount; ++level) {
        const int col = FirstLevelCol + level;
        Grid->setCells(col, 0, QString::fromStdString(Info.RowLabels[size_t(level)]));
        SetColWidth(Grid, col, Widths.LevelWidth + Widths.LevelStep * (level + 1), ColTexts(Grid, col));
        Grid->SetAlignCol(col, alLeft);
    }
    SetColWidth(Grid, winCol, Widths.WinWidth, ColTexts(Grid, winCol));
    Grid->SetAlignCol(winCol, alLeft);
}
