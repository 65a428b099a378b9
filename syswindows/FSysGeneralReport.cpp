// The system window's report: its header text and the system on one or two sheets.
#include "syswindows/FSysGeneral.h"

#include "controls/StringAlignGrid.h"
#include "core/UGlobalProgress.h"
#include "core/UGlobalUtils.h"
#include "engine/USysGeneral.h"
#include "output/FExcelReport.h"

#include <algorithm>

void TGenSysForm::GetParamsText(int Width, std::string &S) const
{
    S = System->GetDescription(false) + "#" + " " + "#" + "Parametry:" + "#";
    const auto cellText = [this](int Col, int Row) {
        QString text;
        sgStat->GetCellText(Col, Row, text);
        return text.trimmed();
    };
    qsizetype longest = 0;
    for (int row = 1; row < sgStat->RowCount(); ++row)
        longest = std::max(longest, cellText(0, row).size());
    const QString indent(Width, QLatin1Char(' '));
    for (int row = 1; row < sgStat->RowCount(); ++row) {
        QString line = (QLatin1Char(' ') + cellText(0, row)).leftJustified(longest + 1);
        const QString value = cellText(1, row);
        if (!value.isEmpty())
            line += QLatin1Char(':');
        S += (indent + line + value).toStdString() + "#";
    }
}

TGenSysForm::TSystemReport TGenSysForm::TakeReport() const
{
    TSystemReport taken;
    GetParamsText(0, taken.Header);
    taken.System = ::CopySystem(*System);
    taken.Widths = {sgSystem->ColWidths(0), sgSystem->ColWidths(1)};
    return taken;
}

void TGenSysForm::WriteReport(const TSystemReport &Taken, const TMyThread &Thread, TEReport &Report,
                              TProgress &Progress)
{
    TSystem &system = *Taken.System;
    const bool withKey = !system.IsDefaultKey();
    const int64_t steps = int64_t(system.ViewCount()) + 190;
    Progress.Init(10000, withKey ? steps * 2 : steps, 0);
    Report.AddSheets(withKey ? 2 : 1);
    const int firstRow = int(SplitStr(Taken.Header, '#').size()) + 4;
    if (withKey)
        Report.SetSheetName("System z kluczem");
    Report.WriteHeader(2, Taken.Header);
    Report.WriteSystem(firstRow, 2, system, Thread, Progress, Taken.Widths, true);
    if (withKey && !Report.Stopped(Thread)) {
        system.SortCombs(false);
        system.RefreshView(system.ShowAll);
        Report.SelectSheet(2);
        Report.SetSheetName("System bez klucza");
        Report.WriteSystem(firstRow, 2, system, Thread, Progress, Taken.Widths, false);
    }
    Report.ShowExcel();
}

void TGenSysForm::ReportSystem()
{
    if (State != 0 || ViewCount() == 0 || !ExcelAvailable())
        return;
    RunExcelReport(this, [taken = TakeReport()](const TMyThread &Thread, TEReport &Report, TProgress &Progress) {
        WriteReport(taken, Thread, Report, Progress);
    });
}
