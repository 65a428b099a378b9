// The kind windows' tabs, caption and info rows.
#include "syswindows/FSysGeneral.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalStartup.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FSysGeneralLayout.h"
#include "syswindows/SysFormats.h"

namespace {

// Rows of the info grid.
enum TInfoRow : int {
    irK = 1,
    irN,
    irCount,
    irAll,
    irReduction,
    irStake,
    irCost,
};

} // namespace

TSysWindowLayout TGenSysForm::BuildKindLayout(int Kind)
{
    return BuildKindLayout(Kind, {QStringLiteral("Liczba skreśleń"), QStringLiteral("Ilość liczb"),
                                  QStringLiteral("Liczba kombinacji"), QStringLiteral("Wszystkich kombinacji"),
                                  QStringLiteral("Skrócenie"), QStringLiteral("Koszt 1 kombinacji"),
                                  QStringLiteral("Koszt systemu")});
}

TSysWindowLayout TGenSysForm::BuildKindLayout(int Kind, const QStringList &StatRows)
{
    const TSysWindowLayout layout = BuildSysWindowLayout(this, StatRows);
    BindLayout(layout);
    const int costRow = int(StatRows.size());
    sgStat->FontCell(0, costRow).Color = clNavy;
    sgStat->FontCell(1, costRow).Color = clNavy;
    SysKind = Kind;
    State = 1;
    WindowNo = NextWindowNumber();
    resize(ScaledSize(520, 420));
    return layout;
}

void TGenSysForm::UpdateCaption()
{
    const QString tag = WindowTag(*Game, WindowNo) + QStringLiteral("> ");
    setWindowTitle(tag + QString::fromStdString(State == 1 ? System->GetName(true) : System->GetDescription(true)));
}

void TGenSysForm::ShowInfo()
{
    if (State == 1)
        return;
    sgStat->ClearCells(irK, 1, irCost, 1);
    const int64_t all = Newton[N][K];
    sgStat->setCells(1, irK, QString::number(K));
    sgStat->setCells(1, irN, QString::number(N));
    sgStat->setCells(1, irAll, CountText(all));
    sgStat->setCells(1, irStake, MoneyText(Game->Info.BasicStake));
    if (State == 0) {
        sgStat->setCells(1, irCount, CountText(ViewCount()));
        if (const int64_t distinct = System->CountDistinct(); distinct > 0) {
            sgStat->setCells(1, irReduction, ReductionText(double(distinct) / double(all)));
            sgStat->setCells(1, irCost, CostText(SystemCost(Game->Info, K, ViewCount())));
        }
    }
    FitStatValues();
}

void TGenSysForm::FitStatValues()
{
    SetColWidth(sgStat, 1, SysStatValueWidth, ColTexts(sgStat, 1));
    FitGridWidth(sgStat);
}
