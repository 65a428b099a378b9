#include "syswindows/FGuarSysFull.h"

#include "controls/StringAlignGrid.h"
#include "engine/USysFullCompGuaranty.h"
#include "output/FExcelReport.h"
#include "output/FGlobalReport.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "syswindows/FSysGeneralLayout.h"
#include "syswindows/SysHitTable.h"

#include <QVBoxLayout>

namespace {

constexpr int ReportGridRow = 4;

} // namespace

TfrmGuarSysFull::TfrmGuarSysFull(QWidget *Owner) : TGenForm(Owner)
{
    ChildKind = cwGuarantee;
    platform::setHelpContext(this, 404);
    setWindowTitle(QStringLiteral("Gwarancja dla systemu pełnego - złożonego"));
    sgGuar = NewGrid(this, 3, 2, 2, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sgGuar);
    resize(ScaledSize(560, 320));
}

void TfrmGuarSysFull::Init(const TGameData &Game, int AWindowNo, const std::string &ADescription,
                           const TFCSGuaranty &Guarantee)
{
    WindowNo = AWindowNo;
    Description = ADescription;
    setWindowTitle(WindowTag(Game, WindowNo) + QStringLiteral("> Gwarancja: ") + QString::fromStdString(Description));
    ShowCompositeHitTable(sgGuar, Guarantee.HitInfo, Guarantee.Rows,
                          {.LevelWidth = 40, .LevelStep = 2, .WinWidth = 100});
    FitWindowToGrid(this, sgGuar, sgGuar->CalcGridWidth(true), true);
}

void TfrmGuarSysFull::FormShow()
{
    sgGuar->setColor(SysGridColor);
    sgGuar->setSelectedCellColor(SysSelectedColor);
    sgGuar->setSelectedFontColor(clWindowText);
    CenterChildForm(this);
}

void TfrmGuarSysFull::FormActivate()
{
    EnableCommands(cmdAll, false);
    EnableCommands(cmdRead | cmdReport, true);
}

bool TfrmGuarSysFull::HandleCommand(CommandEvent &Command)
{
    if (Command.type() != WM_SYS_REPORT)
        return false;
    Report();
    return true;
}

void TfrmGuarSysFull::Report()
{
    if (!ExcelAvailable())
        return;
    RunTablesReport(this, "Gwarancja : " + Description + "#", ReportGridRow,
                    {{std::string(), TReportGrid::Take(*sgGuar)}});
}
