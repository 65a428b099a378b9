// The filter editor's set-up and end, and the list of chosen filters.
#include "syswindows/FFilter.h"

#include "controls/FloatSpin.h"
#include "controls/Graphics.h"
#include "controls/StringAlignGrid.h"
#include "engine/UDrawsDB.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalMessages.h"
#include "shell/GuardedConnect.h"
#include "shell/RunButtonPress.h"
#include "syswindows/FFilterExplore.h"
#include "syswindows/FFilterThread.h"
#include "syswindows/FilterListGrid.h"
#include "syswindows/FSysGeneralLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>

namespace {

constexpr const char *LastParamsSection = "Filters";

} // namespace

TfrmFilter::TfrmFilter(QWidget *parent) : TFirstShow<QDialog>(parent)
{
    platform::setHelpContext(this, 703);
    InitFilterList(SelFilters);
    InitFilterList(ReadList);
    CreateControls();
    connectGuarded(lbFilters, &QListWidget::currentRowChanged, this, &TfrmFilter::lbFiltersClick);
    connectGuarded(F_cb1, &QComboBox::currentIndexChanged, this, [this] {
        if (EditorEvents)
            RelationChange(1);
    });
    connectGuarded(F_cb2, &QComboBox::currentIndexChanged, this, [this] {
        if (EditorEvents)
            RelationChange(2);
    });
    F_seFrom1->OnChange = guardedCall([this] {
        if (EditorEvents)
            FromChange(1);
    });
    F_seFrom2->OnChange = guardedCall([this] {
        if (EditorEvents)
            FromChange(2);
    });
    connectGuarded(F_btnSelAll, &QPushButton::clicked, this, [this] { SetDigits(true); });
    connectGuarded(F_btnDeSelAll, &QPushButton::clicked, this, [this] { SetDigits(false); });
    connectGuarded(F_btnComb, &QPushButton::clicked, this, &TfrmFilter::F_btnCombClick);
    connectGuarded(btnFltDate, &QPushButton::clicked, this, &TfrmFilter::btnFltDateClick);
    connectGuarded(btnAddFlt, &QPushButton::clicked, this, &TfrmFilter::btnAddFltClick);
    connectGuarded(btnChangeFlt, &QPushButton::clicked, this, &TfrmFilter::btnChangeFltClick);
    connectGuarded(btnDelete, &QPushButton::clicked, this, &TfrmFilter::btnDeleteClick);
    connectGuarded(btnDelAll, &QPushButton::clicked, this, &TfrmFilter::btnDelAllClick);
    connectGuarded(btnWriteFlts, &QPushButton::clicked, this, &TfrmFilter::btnWriteFltsClick);
    connectGuarded(btnReadFlts, &QPushButton::clicked, this, &TfrmFilter::btnReadFltsClick);
    DoFilterPress = new TRunButtonPress(btnDoFilter, [this] { return Running(); });
    connectGuarded(btnDoFilter, &QPushButton::clicked, this, &TfrmFilter::btnDoFilterClick);
    connectGuarded(btnOK, &QPushButton::clicked, this, &TfrmFilter::btnOKClick);
    connectGuarded(btnCancel, &QPushButton::clicked, this, &TfrmFilter::btnCancelClick);
    connectGuarded(rbFltFind, &QRadioButton::toggled, this, &TfrmFilter::FilterTypeChanged);
    sgSelFlts->OnSelectCell = guardedCall([this](TStringGrid *, int, int ARow) {
        if (RowEvents && ARow >= 1 && ARow <= SelFilters.Count())
            ShowRow(ARow);
    });
    Runner.OnProgress = [this](int Pos, int Step) { ShowRunProgress(Pos, Step); };
    Runner.OnFinished = [this](const TTaskEnd &End) { RunGuarded([this, End] { RunEnded(End); }); };
    Exploration->BuildGroupFilter = [this] { return ExplorationFilter(); };
    Exploration->FilteringRuns = [this] { return Running(); };
    Exploration->OnRunChanged = [this] { ExplorationRunChanged(); };
    Exploration->OnProgress = [this](int Pos, int Step) { ShowRunProgress(Pos, Step); };
}

TfrmFilter::~TfrmFilter()
{
    RunGuarded([this] { FormDestroy(); });
}

void TfrmFilter::Init(TGameData *AGame, uint8_t AMode, TSystem *ASystem, TDrawsManager *ADrawsMan, int32_t AMaxComb)
{
    Game = AGame;
    Mode = AMode;
    System = ASystem;
    DrawsMan = ADrawsMan;
    MaxComb = AMaxComb;
    if (Mode == 1) {
        N = uint8_t(System->N);
        K = uint8_t(System->K);
        Numbers = System->Key;
    } else {
        N = Game->Info.MaxNumber;
        K = Game->Info.Drawn;
        Numbers.clear();
    }
}

bool TfrmFilter::Running() const
{
    return Runner.Running();
}

void TfrmFilter::FormShow()
{
    sgSelFlts->setColor(SysGridColor);
    sgSelFlts->setSelectedCellColor(SysSelectedColor);
    sgSelFlts->setSelectedFontColor(clWindowText);
    QPalette palette = lbFilters->palette();
    palette.setColor(QPalette::Base, toQColor(SysGridColor));
    palette.setColor(QPalette::Highlight, toQColor(SysSelectedColor));
    palette.setColor(QPalette::HighlightedText, palette.color(QPalette::WindowText));
    lbFilters->setPalette(palette);

    Total = Mode == 1 ? System->GetCount() : DrawsMan->CountFlagged(dfInRange);
    eAllComb->setText(ShownCount(Total));
    Parser.Init(Game->Info.MaxNumber, Game->Info.MaxNumber);

    CreateWorkFilters();
    Record = ReadFilterDialogRecord(Game->DefRange);
    Exploration->Init({Game, {Mode, System, DrawsMan}, N, K, Numbers, Total});
    Exploration->ApplyRecord(Record.Exploration);
    (Mode == 1 ? Record.DelTypeSystem : Record.DelTypeDraws) ? rbFltDel->setChecked(true) : rbFltFind->setChecked(true);
    chkOptDelComb->setChecked(Record.DelComb);
    chkOptNewWindow->setChecked(Record.NewWindow);
    Result = std::make_unique<TGroupFilter>(Game, N, K, Numbers);
    LoadSourceFilters();

    CurKind = fltSucc;
    LastKind = -1;
    ShowSelected();
    lbFilters->setCurrentRow(0);
    if (SelFilters.Count() > 0)
        SelectRow(1);
    Stale = true;
    UpdateButtons();
}

void TfrmFilter::CreateWorkFilters()
{
    for (uint32_t kind = 1; kind <= FilterKindCount; ++kind) {
        std::unique_ptr<TFilter> filter = CreateFilter(kind, Game, N, K, Numbers);
        filter->LoadLastParams(LastParamsSection);
        filter->SetDrawsManager(DrawsMan);
        WorkFilters[kind - 1] = std::move(filter);
    }
    // The list shows the kinds by display number.
    std::vector<const TFilter *> shown;
    for (const auto &filter : WorkFilters)
        shown.push_back(filter.get());
    std::sort(shown.begin(), shown.end(),
              [](const TFilter *A, const TFilter *B) { return A->DisplayNo < B->DisplayNo; });
    const QScopedValueRollback<bool> quiet(FListEvents, false);
    lbFilters->clear();
    for (const TFilter *filter : shown) {
        auto *item = new QListWidgetItem(FilterNumberText(*filter) + QStringLiteral("  ") +
                                         QString::fromStdString(filter->GetName()));
        item->setData(Qt::UserRole, int(filter->Kind));
        lbFilters->addItem(item);
    }
}

void TfrmFilter::LoadSourceFilters()
{
    const TGroupFilter *source = nullptr;
    if (Mode == 1 && System->HasFilter)
        source = System->Filter.get();
    else if (Mode == 0 && DrawsMan->HasFilter)
        source = DrawsMan->GetGroupFilter();
    if (!source)
        return;
    for (uint32_t i = 0; i < source->Count; ++i)
        SelFilters.AddItem(CopyFilter(*source->GetFilter(i)).release(), false);
}

std::unique_ptr<TFilter> TfrmFilter::CopyFilter(const TFilter &Source) const
{
    std::unique_ptr<TFilter> filter = CreateFilter(Source.Kind, Game, N, K, Numbers);
    filter->Assign(Source);
    filter->SetDrawsManager(DrawsMan);
    return filter;
}

void TfrmFilter::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    StopRun();
    Exploration->Stop();
    if (!Shown())
        return;
    for (const auto &filter : WorkFilters)
        filter->SaveLastParams(LastParamsSection);
    (Mode == 1 ? Record.DelTypeSystem : Record.DelTypeDraws) = rbFltDel->isChecked();
    Record.DelComb = chkOptDelComb->isChecked();
    Record.NewWindow = chkOptNewWindow->isChecked();
    Exploration->StoreRecord(Record.Exploration);
    WriteFilterDialogRecord(Record);
}

// ---- the chosen filters ----

void TfrmFilter::btnAddFltClick()
{
    if (CurKind == fltComb && !Parser.Parse(F_eComb->text().toStdString(), true, true)) {
        MsgBox(QStringLiteral("Nie wybrano żadnej kombinacji."), QString(), MsgFlagsNotice);
        return;
    }
    TFilter &work = *WorkFilter(uint32_t(CurKind));
    ReadEditor(work);
    if (HasDuplicate(work)) {
        MsgBox(QStringLiteral("Filtr o takich samych parametrach już istnieje."), QString(), MsgFlagsNotice);
        return;
    }
    TFilter *added = CopyFilter(work).release();
    const int index = SelFilters.AddItem(added, false);
    SetGroupLink(added->Kind, added->AndMode);
    ShowSelected();
    SelectRow(index + 1);
    Stale = true;
    UpdateButtons();
}

void TfrmFilter::btnChangeFltClick()
{
    if (!SelFilter || int(SelFilter->Kind) != CurKind)
        return;
    TFilter &work = *WorkFilter(uint32_t(CurKind));
    ReadEditor(work);
    if (work.AndMode == SelFilter->AndMode) {
        if (HasDuplicate(work)) {
            MsgBox(QStringLiteral("Filtr o takich samych parametrach już istnieje."), QString(), MsgFlagsNotice);
            return;
        }
        SelFilter->Assign(work);
    } else if (!HasDuplicate(work)) {
        SelFilter->Assign(work);
    }
    SetGroupLink(work.Kind, work.AndMode);
    ShowSelected();
    Stale = true;
    UpdateButtons();
}

void TfrmFilter::btnDeleteClick()
{
    const int row = sgSelFlts->Row();
    if (row < 1 || row > SelFilters.Count())
        return;
    SelFilters.DeleteItem(row - 1);
    SelFilter = nullptr;
    ShowSelected();
    if (const int count = SelFilters.Count(); count > 0)
        SelectRow(row < count ? row : count);
    Stale = true;
    UpdateButtons();
}

void TfrmFilter::btnDelAllClick()
{
    SelFilters.Clear();
    SelFilter = nullptr;
    ShowSelected();
    Stale = true;
    UpdateButtons();
}

bool TfrmFilter::HasDuplicate(const TFilter &Filter) const
{
    for (int i = 0; i < SelFilters.Count(); ++i) {
        const TFilter *selected = SelFilters.GetItem(i);
        if (selected->Kind == Filter.Kind && selected->SameAs(Filter))
            return true;
    }
    return false;
}

void TfrmFilter::SetGroupLink(uint32_t Kind, bool AndMode)
{
    for (int i = 0; i < SelFilters.Count(); ++i)
        if (TFilter *selected = SelFilters.GetItem(i); selected->Kind == Kind)
            selected->AndMode = AndMode;
}

void TfrmFilter::SelectRow(int Row)
{
    {
        const QScopedValueRollback<bool> quiet(RowEvents, false);
        sgSelFlts->setRow(Row);
    }
    ShowRow(Row);
}

void TfrmFilter::ShowRow(int Row)
{
    SelFilter = SelFilters.GetItem(Row - 1);
    const int kind = int(SelFilter->Kind);
    for (int i = 0; i < lbFilters->count(); ++i)
        if (lbFilters->item(i)->data(Qt::UserRole).toInt() == kind)
            lbFilters->setCurrentRow(i);
    WorkFilter(uint32_t(kind))->Assign(*SelFilter);
    ShowEditor();
    UpdateButtons();
}

void TfrmFilter::ShowSelected()
{
    const QScopedValueRollback<bool> quiet(RowEvents, false);
    ShowFilterList(SelFilters, sgSelFlts, eSym);
}

void TfrmFilter::UpdateButtons()
{
    const bool running = Running();
    const bool any = SelFilters.Count() > 0;
    for (QWidget *control : {static_cast<QWidget *>(btnAddFlt), static_cast<QWidget *>(btnReadFlts),
                             static_cast<QWidget *>(btnOK), static_cast<QWidget *>(btnCancel),
                             static_cast<QWidget *>(btnFltDate)})
        control->setEnabled(!running);
    // The range dialog resolves its ranges on the manager that an exploration may be reading.
    btnFltDate->setEnabled(!running && !Exploration->Running());
    for (QPushButton *button : {btnDelete, btnDelAll, btnWriteFlts})
        button->setEnabled(any && !running);
    // A filtering run and an exploration never run together.
    btnDoFilter->setEnabled((any || running) && !Exploration->Running());
    btnChangeFlt->setEnabled(!running && SelFilter && int(SelFilter->Kind) == CurKind);
    Exploration->UpdateButtons();
}
