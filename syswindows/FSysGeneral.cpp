// The system window's creation, its system and what it shows of it, and its events.
#include "syswindows/FSysGeneral.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "engine/UFilters.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "shell/FMain.h"
#include "shell/GuardedConnect.h"
#include "syswindows/FCheckSystem.h"
#include "syswindows/FSelectKey.h"
#include "syswindows/FSysGeneralLayout.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr int WideCombinationLength = 7;
constexpr int NarrowCombinationWidth = 144;
constexpr int NumberWidth = 24;

} // namespace

TGenSysForm::TGenSysForm(QWidget *Owner) : TGenForm(Owner)
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &Pos) {
        if (frmMain)
            frmMain->pSys1->popup(mapToGlobal(Pos));
    });
}

TGenSysForm::~TGenSysForm() = default;

void TGenSysForm::BindLayout(const TSysWindowLayout &Layout)
{
    sgSystem = Layout.sgSystem;
    sgKey = Layout.sgKey;
    sgStat = Layout.sgStat;
    sgFilters = Layout.sgFilters;
    rbViewAll = Layout.rbViewAll;
    rbViewFlt = Layout.rbViewFlt;
    btnFltDel = Layout.btnFltDel;
    eFilter = Layout.eFilter;
    sgSystem->OnGetCellFormat = [this](int ACol, int ARow, TCellFormat &Format) {
        sgSystemGetCellFormat(ACol, ARow, Format);
    };
    sgSystem->OnDblClick = [this](TStringGrid *) { Guarded([this] { EditComb(); }); };
    connectGuarded(rbViewAll, &QRadioButton::toggled, this, [this](bool Checked) {
        if (Checked && ViewClicksEnabled)
            SetViewAll(true);
    });
    connectGuarded(rbViewFlt, &QRadioButton::toggled, this, [this](bool Checked) {
        if (Checked && ViewClicksEnabled)
            SetViewAll(false);
    });
    connectGuarded(btnFltDel, &QPushButton::clicked, this, &TGenSysForm::btnFltDelClick);
}

int TGenSysForm::ViewCount() const
{
    return System ? System->ViewCount() : 0;
}

void TGenSysForm::ConnectProgress()
{
    System->Progress.OnProgress = ProgressHandler();
}

void TGenSysForm::CloseSystemDependents()
{
    CloseChildWindows(cwStat);
    CloseChildWindows(cwGuarantee);
}

void TGenSysForm::TakeSystem(std::unique_ptr<TSystem> NewSystem)
{
    CloseSystemDependents();
    System = std::move(NewSystem);
    ConnectProgress();
    BindSystem(System.get());
}

void TGenSysForm::NewSystem()
{
    TakeSystem(CreateSystem(SysKind, Game));
}

void TGenSysForm::SetGame(TGameData *NewGame)
{
    Game = NewGame;
    NewSystem();
    RefreshAll();
}

void TGenSysForm::OpenSystem(TGameData *NewGame, std::unique_ptr<TSystem> NewSystem)
{
    Game = NewGame;
    TakeSystem(std::move(NewSystem));
    State = 0;
    ReadParams();
    btnFltDel->setEnabled(System->HasFilter);
    FitWidth();
    RefreshAll();
}

void TGenSysForm::CopyFrom(const TGenSysForm &Window)
{
    Game = Window.Game;
    NewSystem();
    System->Assign(*Window.System);
    // Assign copies the other window's progress handler too.
    ConnectProgress();
    BindSystem(System.get());
    State = 0;
    ReadParams();
    FitWidth();
    RefreshAll();
}

void TGenSysForm::RefreshAll()
{
    UpdateCaption();
    ShowRows();
    ShowInfo();
    ShowFilters();
    ShowKey();
    ShowViewMode();
    EnableRowCommands();
    UpdateMenu();
    ResetCheckWindows();
}

void TGenSysForm::ResetCheckWindows()
{
    for (int i = 0; i < ChildWindows.Count(); ++i)
        if (auto *check = qobject_cast<TfrmCheckSystem *>(ChildWindows.GetItem(i)->Form))
            check->OwnerSystemChanged();
}

void TGenSysForm::ShowRows()
{
    if (State == 0 && ViewCount() > 0) {
        sgSystem->setRowCount(ViewCount() + 1);
    } else {
        sgSystem->setRowCount(2);
        sgSystem->ClearRows(1, 1);
    }
    FitRowNumbers();
    sgSystem->InvalidateGrid();
}

void TGenSysForm::FitRowNumbers()
{
    // The last row number is the widest.
    SetColWidth(sgSystem, 0, SysRowNumberWidth, {QString::number(std::max(ViewCount(), 1))});
}

void TGenSysForm::ShowKey()
{
    if (State == 1) {
        for (int col = 1; col < sgKey->ColCount(); ++col) {
            sgKey->setCells(col, 0, QString());
            SetColWidth(sgKey, col, SysKeyColWidth);
        }
        return;
    }
    sgKey->setColCount(N + 1);
    // A key maps positions to the game's numbers.
    const QStringList widest = {QString::number(int(Game->Info.MaxNumber))};
    for (int i = 1; i <= N; ++i) {
        sgKey->setCells(i, 0, QString::number(i));
        sgKey->setCells(i, 1, QString::number(System->Key[size_t(i) - 1]));
        SetColWidth(sgKey, i, SysKeyColWidth, widest);
    }
}

void TGenSysForm::ShowFilters()
{
    if (!System || !System->HasFilter) {
        eFilter->clear();
        sgFilters->setRowCount(2);
        sgFilters->ClearRows(1, 1);
        return;
    }
    const TGroupFilter &group = *System->Filter;
    sgFilters->setRowCount(int(group.Count) + 1);
    for (uint32_t i = 0; i < group.Count; ++i) {
        const TFilter &filter = *group.GetFilter(i);
        const int row = int(i) + 1;
        sgFilters->setCells(0, row, QStringLiteral("F%1").arg(filter.DisplayNo, 2, 10, QLatin1Char('0')));
        sgFilters->setCells(1, row, QString::fromStdString(filter.GetName()));
        sgFilters->setCells(2, row, QString::fromStdString(filter.GetDescription()));
    }
    eFilter->setText(QString::fromStdString(group.GetExpression()));
}

void TGenSysForm::ShowViewMode()
{
    rbViewAll->setEnabled(false);
    rbViewFlt->setEnabled(false);
    if (System && System->FilterApplied) {
        rbViewFlt->setEnabled(true);
        rbViewAll->setEnabled(!System->TooMany);
    }
    ViewClicksEnabled = false;
    if (!System || System->ShowAll)
        rbViewAll->setChecked(true);
    else
        rbViewFlt->setChecked(true);
    ViewClicksEnabled = true;
}

void TGenSysForm::SetViewAll(bool ShowAll)
{
    System->RefreshView(ShowAll);
    RefreshAll();
}

void TGenSysForm::FitWidth()
{
    FitRowNumbers();
    SetColWidth(sgSystem, 1, K < WideCombinationLength ? NarrowCombinationWidth : K * NumberWidth,
                {QStringLiteral("%1 ").arg(int(Game->Info.MaxNumber), 2).repeated(K)});
    FitWindowToGrid(this, sgSystem, sgSystem->CalcGridWidth(true), true);
}

void TGenSysForm::FormActivate()
{
    UpdateMenu();
    FocusGrid();
}

void TGenSysForm::FocusGrid()
{
    if (!sgSystem)
        return;
    const QWidget *focus = QApplication::focusWidget();
    if (FActivated && focus && isAncestorOf(focus))
        return;
    FActivated = true;
    sgSystem->setFocus(Qt::ActiveWindowFocusReason);
}

void TGenSysForm::FormDeactivate()
{
    DisableCommands();
}

void TGenSysForm::ChildClosed(TGenForm *)
{
    if (IsActiveChild())
        FormActivate();
}

void TGenSysForm::ChildChanged(TGenForm *)
{
    if (IsActiveChild())
        FormActivate();
}

void TGenSysForm::sgSystemGetCellFormat(int ACol, int ARow, TCellFormat &Format)
{
    if (ARow == 0 || State != 0 || ARow > ViewCount())
        return;
    if (ACol == 0) {
        Format.Text = QString::number(ARow);
    } else {
        std::string text;
        CombToStr(System->GetComb(ARow - 1, true), uint8_t(System->K), "%2d ", text);
        Format.Text = QString::fromStdString(text);
    }
    if (System->FilterApplied && rbViewAll->isChecked() && (System->GetCombFlags(ARow - 1) & cfPassed))
        Format.Brush.Color = SysSelectedColor;
}

void TGenSysForm::btnFltDelClick()
{
    System->FreeFilter();
    System->RefreshView(true);
    btnFltDel->setEnabled(false);
    RefreshAll();
}

void TGenSysForm::FormShow()
{
    CenterChildForm(this);
    for (TStringAlignGrid *grid : {sgSystem, sgStat, sgKey, sgFilters})
        if (grid)
            grid->setColor(SysGridColor);
    // The light selection keeps the text dark.
    for (TStringAlignGrid *grid : {sgStat, sgKey, sgFilters}) {
        if (!grid)
            continue;
        grid->setSelectedCellColor(SysSelectedColor);
        grid->setSelectedFontColor(clWindowText);
    }
}

void TGenSysForm::closeEvent(QCloseEvent *event)
{
    StopGeneration();
    // The key dialog's notices, still to come, find no dialog here.
    const QPointer<TfrmSelectKey> dialog = KeyDialog;
    KeyDialog = nullptr;
    if (dialog && !dialog->isHidden())
        dialog->Close();
    State = 1;
    CloseChildWindows(cwNone);
    System.reset();
    BindSystem(nullptr);
    // The commands are the active window's: a window closed behind it gives them back to it.
    if (IsActiveChild())
        DisableCommands();
    else
        ReturnCommandsToActive();
    event->accept();
}
