#include "shell/FGlobalProgress.h"

#include "controls/ALProgressBar.h"
#include "controls/ALStatusBar.h"
#include "core/ProgramLocale.h"
#include "platform/Dispatcher.h"
#include "shell/FGlobalGrids.h"
#include "shell/FMain.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <memory>
#include <utility>

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

QString PercentText(const char *Format, double Percent)
{
    return QString::fromStdString(FormatFloat(Format, Percent)) + QLatin1Char('%');
}

bool OnGuiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

void ShowProgressNow(TALProgressBar *Bar, QLabel *Lbl, int Pos, int Step)
{
    Bar->SetPosition(Pos);
    if (const char *format = PercentFormat(Step); format && Bar->Max() != 0)
        Lbl->setText(PercentText(format, double(Pos) / Bar->Max() * 100));
    Lbl->repaint();
}

} // namespace

void RunOnGuiThread(std::function<void()> Task)
{
    if (OnGuiThread()) {
        Task();
        return;
    }
    if (const std::shared_ptr<platform::Dispatcher> gui = platform::dispatcher())
        gui->post(std::move(Task));
}

void ProgressClear()
{
    RunOnGuiThread([] {
        if (!frmMain)
            return;
        frmMain->ALProgressBar1->SetPosition(0);
        frmMain->lblProg->clear();
    });
}

void ProgressShow(int Pos, int Step)
{
    RunOnGuiThread([Pos, Step] {
        if (frmMain)
            ShowProgressNow(frmMain->ALProgressBar1, frmMain->lblProg, Pos, Step);
    });
}

void ShowProgress(TALProgressBar *Bar, QLabel *Lbl, int Pos, int Step)
{
    RunOnGuiThread([Bar = QPointer<TALProgressBar>(Bar), Lbl = QPointer<QLabel>(Lbl), Pos, Step] {
        if (Bar && Lbl)
            ShowProgressNow(Bar, Lbl, Pos, Step);
    });
}

void SetStatusText(const QString &Text)
{
    RunOnGuiThread([Text] {
        if (!frmMain)
            return;
        frmMain->ALStatusBar1->Panels[1].Text = Text;
        frmMain->ALStatusBar1->repaint();
    });
}

TALProgressBar *NewProgressBar(QWidget *Parent)
{
    constexpr TColor navy = 0x800000;
    auto *bar = new TALProgressBar(Parent);
    bar->SetBarColorStyle(cs1Color);
    bar->SetBarColor1(navy);
    bar->SetShowPosText(false);
    bar->SetMax(10000);
    bar->Loaded();
    bar->setMinimumHeight(16);
    return bar;
}

QLabel *NewPercentLabel(QWidget *Parent, Qt::Alignment Alignment)
{
    constexpr int DesignWidth = 56;
    auto *label = new QLabel(Parent);
    label->setAlignment(Alignment);
    const int widest = QFontMetrics(label->font()).horizontalAdvance(PercentText(PercentFormat(1), 100));
    label->setMinimumWidth(std::max(ScaledWidth(DesignWidth), widest));
    return label;
}
