#include "shell/FGlobalProgress.h"

#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "core/ProgramLocale.h"
#include "shell/FMain.h"

#include <QLabel>

namespace {

const char *PercentFormat(int Step)
{
    switch (Step) {
    case 1:
        return "0.00";
    case 10:
        return "0.0";
    case 100:
        return "0";
    default:
        return nullptr;
    }
}

} // namespace

void ProgressClear()
{
    if (!frmMain)
        return;
    frmMain->ALProgressBar1->SetPosition(0);
    frmMain->lblProg->clear();
}

void ProgressShow(int Pos, int Step)
{
    if (frmMain)
        ShowProgress(frmMain->ALProgressBar1, frmMain->lblProg, Pos, Step);
}

void ShowProgress(TALProgressBar *Bar, QLabel *Lbl, int Pos, int Step)
{
    Bar->SetPosition(Pos);
    if (const char *format = PercentFormat(Step); format && Bar->Max() != 0) {
        const double percent = double(Pos) / Bar->Max() * 100;
        Lbl->setText(QString::fromStdString(FormatFloat(format, percent)) + QLatin1Char('%'));
    }
    Lbl->repaint();
}

void SetStatusText(const QString &Text)
{
    if (!frmMain)
        return;
    frmMain->ALStatusBar1->Panels[1].Text = Text;
    frmMain->ALStatusBar1->repaint();
}
