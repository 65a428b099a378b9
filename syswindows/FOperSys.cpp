#include "syswindows/FOperSys.h"

#include "controls/ALProgressBar.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/ProgramParams.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalProgress.h"
#include "shell/FMain.h"
#include "shell/GuardedConnect.h"
#include "shell/ParamsRecord.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FSysWindows.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <limits>

namespace {

// The operation of each item of cbOper.
constexpr std::array<uint8_t, 5> ItemOpers = {soUnion, soIntersect, soDifference, soCompose, soComplement};

constexpr int ToolIndex = 2;
constexpr size_t RecordSize = 4;

// Where the composition stops visiting tuples.
constexpr double MaxTuples = std::numeric_limits<int32_t>::max();

const QStringList Captions = {QStringLiteral("Nazwa systemu"),   QStringLiteral("ID"),
                              QStringLiteral("Rodzaj gry"),      QStringLiteral("Liczba skreśleń"),
                              QStringLiteral("Ilość liczb"),     QStringLiteral("Liczba kombinacji")};
constexpr std::array<int, 6> DesignWidths = {150, 30, 70, 85, 65, 95};
constexpr std::array<TMyAlign, 6> Alignments = {alLeft, alRight, alLeft, alRight, alRight, alRight};
constexpr int TickColWidth = 22;

std::string RecordKey()
{
    return ParamsKey("Tools\\", 0, ToolIndex);
}

int64_t maxComb()
{
    return std::max<int64_t>(0, Limits.MaxComb);
}

QString CountText(int64_t Value)
{
    return QString::fromStdString(FormatFloat("#,##;;0", double(Value)));
}

// The grid's header and one row per entry, the six columns from First on; an empty list leaves one
// blank row.
void ShowEntries(TStringAlignGrid *Grid, int First, const std::vector<TfrmOperSys::TEntry> &Entries)
{
    Grid->setColCount(First + int(Captions.size()));
    Grid->setRowCount(std::max<int>(2, int(Entries.size()) + 1));
    Grid->ClearRows(0, -1);
    for (int col = 0; col < int(Captions.size()); ++col) {
        Grid->setCells(First + col, 0, Captions[col]);
        Grid->SetAlignCol(First + col, Alignments[size_t(col)]);
    }
    for (size_t i = 0; i < Entries.size(); ++i) {
        const TfrmOperSys::TEntry &entry = Entries[i];
        const TSystem &system = *entry.System;
        const QStringList texts = {QString::fromStdString(entry.Name), QString::number(entry.WindowNo),
                                   QString::fromStdString(system.Game->Info.ShortName), QString::number(system.K),
                                   QString::number(system.N), CountText(system.ViewCount())};
        for (int col = 0; col < texts.size(); ++col)
            Grid->setCells(First + col, int(i) + 1, texts[col]);
    }
    if (First > 0)
        SetColWidth(Grid, 0, TickColWidth);
    for (int col = 0; col < int(Captions.size()); ++col) {
        const int width = DesignWidths[size_t(col)] - (col == 0 ? First * TickColWidth : 0);
        SetColWidth(Grid, First + col, width, ColTexts(Grid, First + col));
    }
    Grid->setTopRow(1);
    Grid->FocusCell(First, 1, true);
    Grid->InvalidateGrid();
}

} // namespace

TfrmOperSys::TfrmOperSys(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    platform::setHelpContext(this, 508);
    CreateControls();
    SysOper = std::make_unique<TSysOper>(Runner.ProgressHandler());
    Runner.OnProgress = [this](int Pos, int Step) { ShowProgress(ProgressBar1, lblProgress, Pos, Step); };
    Runner.OnFinished = [this](const TTaskEnd &End) { RunGuarded([this, End] { RunEnded(End); }); };
    sgA->OnSelectCell = [this](TStringGrid *, int, int ARow, bool &) { SelectA(ARow); };
    sgB->OnSelectCell = [this](TStringGrid *, int, int ARow, bool &) {
        if (ARow >= 1 && size_t(ARow - 1) < ListB.size())
            SystemB = ListB[size_t(ARow - 1)].System;
    };
}

TfrmOperSys::~TfrmOperSys()
{
    Runner.Stop();
    if (Shown())
        RunGuarded([this] { WriteParams(); });
}

void TfrmOperSys::FormShow()
{
    if (frmMain)
        for (QWidget *form : frmMain->ChildForms()) {
            const auto *window = qobject_cast<const TGenSysForm *>(form);
            // A window still building holds a system that its run's end replaces.
            if (window && window->State == 0 && window->System && !window->Generating())
                ListA.push_back({window->WindowNo, window->System->GetName(true), window->System.get()});
        }
    std::stable_sort(ListA.begin(), ListA.end(),
                     [](const TEntry &A, const TEntry &B) { return A.WindowNo < B.WindowNo; });
    ShowEntries(sgA, 0, ListA);
    SelA = 0;
    SystemA = ListA.empty() ? nullptr : ListA.front().System;

    const TStoredRecord record = ReadParamsRecord(RecordKey(), RecordSize);
    int32_t index = 0;
    platform::ByteReader reader(record.Bytes);
    if (record.Read && reader.get(index))
        SetStoredIndex(cbOper, index);
    connectGuarded(cbOper, &QComboBox::currentIndexChanged, this, &TfrmOperSys::cbOperChange);
    cbOperChange();
    sgA->setFocus();
}

void TfrmOperSys::WriteParams() const
{
    platform::ByteWriter writer;
    writer.put<int32_t>(cbOper->currentIndex());
    WriteParamsRecord(RecordKey(), writer.bytes());
}

void TfrmOperSys::cbOperChange()
{
    const int index = cbOper->currentIndex();
    if (index < 0 || size_t(index) >= ItemOpers.size())
        return;
    Oper = ItemOpers[size_t(index)];
    ApplyLayout();
    RebuildListB();
    ShowListB();
}

bool TfrmOperSys::Compatible(const TSystem &S) const
{
    if (S.Game->Info.Id != SystemA->Game->Info.Id)
        return false;
    switch (Oper) {
    case soCompose:
        return SystemA->K + S.K <= SystemA->Game->Info.MaxSize;
    case soComplement:
        return true;
    default:
        return S.K == SystemA->K;
    }
}

void TfrmOperSys::RebuildListB()
{
    ListB.clear();
    if (SystemA)
        for (size_t i = 0; i < ListA.size(); ++i) {
            const bool own = int(i) == SelA && (Oper == soIntersect || Oper == soDifference);
            if (!own && Compatible(*ListA[i].System))
                ListB.push_back(ListA[i]);
        }
    Checked.assign(ListB.size(), false);
    // The first row is current: the difference's B until another row is chosen.
    SystemB = ListB.empty() ? nullptr : ListB.front().System;
    btnOK->setEnabled(!ListB.empty());
    btnDoOper->setEnabled(!ListB.empty());
}

void TfrmOperSys::ShowListB()
{
    TGridOptions options = sgB->Options() & ~goRowSelect;
    if (!HasTicks())
        options |= goRowSelect;
    sgB->setOptions(options);
    ShowEntries(sgB, HasTicks() ? 1 : 0, ListB);
    SystemB = ListB.empty() ? nullptr : ListB.front().System;
}

void TfrmOperSys::SelectA(int Row)
{
    if (Row < 1 || size_t(Row - 1) >= ListA.size() || Row - 1 == SelA)
        return;
    SelA = Row - 1;
    SystemA = ListA[size_t(SelA)].System;
    RebuildListB();
    ShowListB();
}

bool TfrmOperSys::CanTick(int Index) const
{
    if (Oper != soCompose)
        return true;
    int joined = SystemA->K + ListB[size_t(Index)].System->K;
    for (size_t i = 0; i < ListB.size(); ++i)
        if (Checked[i])
            joined += ListB[i].System->K;
    return joined <= SystemA->Game->Info.MaxSize;
}

void TfrmOperSys::ToggleTick(int Index)
{
    if (!HasTicks() || Running() || Index < 0 || size_t(Index) >= ListB.size())
        return;
    if (!Checked[size_t(Index)] && !CanTick(Index))
        return;
    Checked[size_t(Index)] = !Checked[size_t(Index)];
    sgB->InvalidateGrid();
}

void TfrmOperSys::SetAllTicks(bool Tick)
{
    for (size_t i = 0; i < ListB.size(); ++i)
        Checked[i] = Tick && (Checked[i] || CanTick(int(i)));
    sgB->InvalidateGrid();
}

bool TfrmOperSys::eventFilter(QObject *Watched, QEvent *Event)
{
    bool handled = false;
    RunGuarded([&] {
        const QEvent::Type type = Event->type();
        // A double click is a second click.
        if (Watched == sgB->viewport() && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)) {
            const auto *mouse = static_cast<QMouseEvent *>(Event);
            const TGridCoord at = sgB->MouseCoord(mouse->position().toPoint().x(), mouse->position().toPoint().y());
            if (mouse->button() == Qt::LeftButton && at.X == 0 && at.Y >= 1)
                ToggleTick(at.Y - 1);
        } else if (Watched == sgB && type == QEvent::KeyPress && HasTicks() &&
                   static_cast<QKeyEvent *>(Event)->key() == Qt::Key_Space) {
            ToggleTick(sgB->Row() - 1);
            handled = true;
        }
    });
    return handled || TFirstShow<QDialog>::eventFilter(Watched, Event);
}

void TfrmOperSys::RunOperation(bool Build)
{
    if (Running() || !SystemA || ListB.empty() || (Oper == soDifference && !SystemB))
        return;
    RunOperands.clear();
    if (Oper == soDifference) {
        RunOperands = {SystemA, SystemB};
    } else if (Oper == soComplement) {
        RunOperands = {SystemA};
    } else {
        for (size_t i = 0; i < ListB.size(); ++i)
            if (Checked[i])
                RunOperands.push_back(ListB[i].System);
        RunOperands.push_back(SystemA);
    }
    RunOper = Oper;
    RunBuild = Build;
    RunAnswer = false;
    eCombCount->clear();
    ClearProgress();
    RunFocus = focusWidget();
    EnableControls(false);
    Runner.Start([this, oper = SysOper.get(), game = SystemA->Game, op = RunOper, operands = RunOperands,
                  Build](TMyThread &Thread) {
        oper->Reset(game);
        const std::function<bool()> operation = [&]() {
            switch (op) {
            case soIntersect:
                return oper->Intersect(operands, Build, &Thread);
            case soUnion:
                return oper->Union(operands, Build, &Thread);
            case soDifference:
                return oper->Difference(*operands[0], *operands[1], Build, &Thread);
            case soCompose:
                return oper->Compose(operands, Build, &Thread);
            default:
                return oper->Complement(*operands[0], Build, &Thread);
            }
        };
        const bool answer = RunHook ? RunHook(Thread, operation) : operation();
        RunAnswer = answer && (!Build || oper->Finish());
    });
}

void TfrmOperSys::RunEnded(const TTaskEnd &End)
{
    EnableControls(true);
    ClearProgress();
    if (End.Failed) {
        MsgBox(QString::fromStdString(End.FailureText), QString(), MsgFlagsNotice);
        return;
    }
    if (!End.Terminated)
        ShowOutcome();
}

bool TfrmOperSys::Shortened() const
{
    if (!RunAnswer)
        return false;
    if (RunOper == soUnion) {
        int64_t total = 0;
        for (const TSystem *system : RunOperands)
            total += system->ViewCount();
        return total > maxComb();
    }
    if (RunOper == soCompose) {
        double tuples = 1;
        for (const TSystem *system : RunOperands)
            tuples *= system->ViewCount();
        return tuples > MaxTuples || SysOper->ResultCount >= maxComb();
    }
    return false;
}

void TfrmOperSys::ShowOutcome()
{
    // A complement of too many combinations is refused, its count kept.
    if (!RunAnswer && RunOper == soComplement && SysOper->ResultCount > maxComb()) {
        MsgBox(QStringLiteral("Zbyt duża liczba kombinacji."), QString(), MsgFlagsNotice);
        return;
    }
    const int64_t count = RunAnswer ? SysOper->ResultCount : 0;
    eCombCount->setText(CountText(count));
    if (Shortened())
        MsgBox(QStringLiteral("Wynik został skrócony do ") + CountText(count) + QStringLiteral(" kombinacji."),
               QString(), MsgFlagsNotice);
    if (!RunBuild)
        return;
    if (!RunAnswer || !SysOper->Result || SysOper->Result->ViewCount() == 0) {
        MsgBox(QStringLiteral("System wynikowy nie może być pusty."), QString(), MsgFlagsNotice);
        return;
    }
    std::unique_ptr<TSystem> result = std::move(SysOper->Result);
    TGameData *game = Games.GameById(result->Game->Info.Id);
    if (TGenSysForm *window = NewSysWindow(skUser))
        window->OpenSystem(game, std::move(result));
    done(QDialog::Accepted);
}

void TfrmOperSys::EnableControls(bool Enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{sgA, cbOper, sgB})
        control->setEnabled(Enabled);
    btnSelAll->setEnabled(Enabled && Oper != soDifference);
    btnDeselAll->setEnabled(Enabled && Oper != soDifference);
    btnDoOper->setEnabled(Enabled && !ListB.empty());
    btnOK->setEnabled(Enabled && !ListB.empty());
    if (Enabled && RunFocus && RunFocus->isEnabled())
        RunFocus->setFocus();
}

void TfrmOperSys::ClearProgress()
{
    ProgressBar1->SetPosition(0);
    lblProgress->clear();
}

void TfrmOperSys::btnCancelClick()
{
    if (!Running()) {
        done(QDialog::Rejected);
        return;
    }
    Runner.Stop();
    EnableControls(true);
    ClearProgress();
}

void TfrmOperSys::reject()
{
    RunGuarded([this] { btnCancelClick(); });
}

void OpenOperSysDialog()
{
    TfrmOperSys dialog(frmMain);
    platform::execModal(dialog);
}
