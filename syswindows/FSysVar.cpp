#include "syswindows/FSysVar.h"

#include "controls/Multiplies.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/USysVar.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMainCommands.h"
#include "syswindows/FParSysVar.h"
#include "syswindows/FSysGeneralLayout.h"

#include <QVBoxLayout>

#include <memory>
#include <utility>

namespace {

// The per-number grid's row height in the forms.
constexpr int ParamRowHeight = 21;

} // namespace

TfrmSysVar::TfrmSysVar(QWidget *Owner) : TGenSysForm(Owner)
{
    platform::setHelpContext(this, 303);
    const TSysWindowLayout layout = BuildKindLayout(skVar);
    sgParam = new TMultiplies(layout.TabSheet1);
    sgParam->SetGridFont(RunningGridFont());
    sgParam->setDefaultRowHeight(ScaledRowHeight(ParamRowHeight));
    SetHeader(sgParam, {QStringLiteral("Liczba"), QStringLiteral("Wielokrotność"), QStringLiteral("Stała")},
              {50, 96, 50});
    sgParam->setColor(SysGridColor);
    sgParam->setSelectedCellColor(SysGridColor);
    sgParam->setScrollBars(ssVertical);
    FitGridWidth(sgParam);
    sgParam->setMinimumHeight(4 * sgParam->DefaultRowHeight());
    sgParam->setEnabled(false);
    // A change that fails to be asked is refused.
    sgParam->OnAnySpinChange = [this](int Row, double Weight, bool &Accept) {
        Accept = false;
        Guarded([&] { sgParamAnySpinChange(Row, Weight, Accept); });
    };
    sgParam->OnAnyCheckClick = [this](int Row, bool Checked, bool &Accept, double Weight) {
        Accept = false;
        Guarded([&] { sgParamAnyCheckClick(Row, Checked, Accept, Weight); });
    };
    layout.KindPanel->addWidget(sgParam, 1);
    resize(ScaledSize(520, 460));
}

TfrmSysVar::~TfrmSysVar() = default;

void TfrmSysVar::BindSystem(TSystem *NewSystem)
{
    SysVar = dynamic_cast<TSysVar *>(NewSystem);
}

void TfrmSysVar::ReadParams()
{
    N = uint8_t(System->N);
    K = uint8_t(System->K);
    V = uint8_t(SysVar->FreqCount);
    Count = System->GetCount();
    sgParam->SetMultCount(V);
    for (int row = 1; row <= V; ++row) {
        const TVarFreq &record = SysVar->Freqs[size_t(row) - 1];
        sgParam->SetRowValues(row, record.Weight, record.Fixed);
    }
    ShowNumbers();
    sgParam->setEnabled(true);
}

void TfrmSysVar::ShowNumbers()
{
    for (int row = 1; row <= sgParam->MultCount() && row <= int(System->Key.size()); ++row)
        sgParam->setCells(0, row, QString::number(System->Key[size_t(row) - 1]));
}

void TfrmSysVar::SystemChanged(const TDynByteArr &NewKey)
{
    TGenSysForm::SystemChanged(NewKey);
    ShowNumbers();
}

void TfrmSysVar::UpdateCaption()
{
    // Until the rows are built the caption keeps the system's name.
    const QString tag = WindowTag(*Game, WindowNo) + QStringLiteral("> ");
    setWindowTitle(tag + QString::fromStdString(State == 0 ? System->GetDescription(true) : System->GetName(true)));
}

void TfrmSysVar::GetParamsText(int, std::string &S) const
{
    TGenSysForm::GetParamsText(1, S);
    S += " #Parametry liczb zmiennych:#";
    QString numbers;
    for (int i = 0; i < SysVar->FreqCount; ++i) {
        const TVarFreq &record = SysVar->Freqs[size_t(i)];
        numbers += QStringLiteral("%1:").arg(int(System->Key[size_t(i)]), 3);
        numbers += record.Fixed ? QStringLiteral("stała") : MultWeightText(record.Weight);
        numbers += QLatin1Char(' ');
    }
    S += numbers.toStdString();
}

void TfrmSysVar::UpdateMenu()
{
    // The weights can change while no worker builds from them.
    sgParam->setEnabled(State != 1 && !Generating());
    TGenSysForm::UpdateMenu();
    EnableKindCommands(State != 1 ? cmdStart : 0);
}

bool TfrmSysVar::HandleCommand(CommandEvent &Command)
{
    const QEvent::Type code = Command.type();
    if (code == WM_SYS_PARAMS)
        SetParams();
    else if (code == WM_TASK_START)
        Generate();
    else if (code == WM_SYS_GUARANTEE)
        ShowGuarantee(1);
    else
        return TGenSysForm::HandleCommand(Command);
    return true;
}

void TfrmSysVar::SetParams()
{
    if (!SysVar || Generating())
        return;
    TfrmParSysVar dialog(this);
    dialog.Init(Game, System->Kind, State == 1, N, SysVar->RandomTies, int32_t(Count), V, K);
    if (platform::execModal(dialog) != 1)
        return;
    // A new system: the windows that show the old one close first.
    NewSystem();
    State = 2;
    N = uint8_t(dialog.N);
    K = uint8_t(dialog.K);
    V = uint8_t(dialog.V);
    Count = dialog.Count;
    SysVar->SetParams(N, K, dialog.Count, V);
    SysVar->RandomTies = dialog.Random;
    sgParam->SetMultCount(V);
    ShowNumbers();
    FitWidth();
    RefreshAll();
}

void TfrmSysVar::Generate()
{
    if (State == 1 || Generating())
        return;
    // A weight still being typed counts.
    sgParam->EndWeightEdit(false);
    std::unique_ptr<TSystem> next = CreateSystem(SysKind, Game);
    next->Assign(*System);
    next->FilterApplied = false;
    StartGeneration(std::move(next), [](TSystem &NewSystem, const TMyThread &Thread) {
        return static_cast<TSysVar &>(NewSystem).Generate(&Thread);
    });
}

void TfrmSysVar::sgParamAnySpinChange(int Row, double Weight, bool &Accept)
{
    Accept = SysVar && SysVar->SetWeight(Row - 1, Weight);
}

void TfrmSysVar::sgParamAnyCheckClick(int Row, bool Checked, bool &Accept, double Weight)
{
    Accept = false;
    if (!SysVar || !SysVar->SetFixed(Row - 1, Checked))
        return;
    // A freed number takes its weight again; when that does not fit, it stays fixed.
    if (!Checked && !SysVar->SetWeight(Row - 1, Weight)) {
        SysVar->SetFixed(Row - 1, true);
        return;
    }
    Accept = true;
}
