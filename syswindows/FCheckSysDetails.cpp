#include "syswindows/FCheckSysDetails.h"

#include "controls/StringAlignGrid.h"
#include "core/MoneyRange.h"
#include "core/UComb.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalGrids.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

constexpr int HeaderRows = 3; // blank, "Razem", blank
constexpr int TotalsRow = 1;

} // namespace

TfrmCheckSysDetails::TfrmCheckSysDetails(QWidget *parent) : QDialog(parent)
{
    platform::setHelpContext(this, 502);
    CreateControls();
    ResultGrid = BindResultGrid(
        Grid, SortMan, 1, [this] { return !NoResults; },
        [this](int Col, int Row, TCellFormat &Format) { GridCellFormat(Col, Row, Format); },
        [this](int SortKey, int Direction) { return GridSortColumn(SortKey, Direction); });
    Grid->OnSelectCell = guardedCall([this](TStringGrid *, int, int ARow) { GridSelectCell(ARow); });
}

TfrmCheckSysDetails::~TfrmCheckSysDetails() = default;

void TfrmCheckSysDetails::CreateControls()
{
    setWindowTitle(QStringLiteral("Sprawdzenie systemu - szczegóły"));
    resize(ScaledSize(480, 420));
    eCheckComb = new QLineEdit(this);
    eCheckComb->setReadOnly(true);
    eSelComb = new QLineEdit(this);
    eSelComb->setReadOnly(true);
    Grid = NewGrid(this, 3, 2, 0, 1);
    Grid->setOptions(Grid->Options() | goRowSelect);
    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("Sprawdzana kombinacja:"), eCheckComb);
    fields->addRow(QStringLiteral("Wybrana kombinacja:"), eSelComb);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(Grid, 1);
}

void TfrmCheckSysDetails::Init(const TSystem &System, const TDynByteArr &Numbers, bool ShowAllHits,
                               const THitsInfo &Info)
{
    FK = size_t(System.K);
    FCombs = System.ViewNumbers();
    eCheckComb->setText(NumbersText(Numbers.data(), Numbers.size(), "  %d"));
    FColumns = {true, Info.HighHits, 0, ShowAllHits ? Info.RowCount : Info.LevelCount, false};
    ResultGrid->SetColumns(FColumns.Columns({QStringLiteral("Numer kombinacji"), 80, alCenter, ckDate, 1, true}));
    SortMan.SetSort(1, ckDate, -1);
    ResultGrid->MarkSort(ckDate, -1);
    Compute(System, Numbers, Info);
    ResultGrid->ShowRows(int(Rows.size()) + HeaderRows);
    NoResults = false;
    WidenToWidestRows(*ResultGrid, Rows, HeaderRows, {TotalsRow});
    KeepColumnsInView(Grid);
    Grid->InvalidateGrid();
    Grid->setRow(HeaderRows + 1);
    // The grid, not laid out yet, scrolled to that row: it opens at the top, the totals in view.
    Grid->setTopRow(Grid->FixedRows());
    GridSelectCell(HeaderRows + 1);
}

void TfrmCheckSysDetails::Compute(const TSystem &System, const TDynByteArr &Numbers, const THitsInfo &Info)
{
    const TGameInfo &game = System.Game->Info;
    const int k = System.K;
    const int top = Info.HighHits;
    const bool multiBet = IsMultiBet(game, k);
    const TNumberMask drawn = MaskOf(Numbers.data(), int(Numbers.size()));
    const std::vector<TNumberMask> combs = System.ViewMasks(true);
    Totals = TCheckRow{};
    Totals.Hits.assign(size_t(Info.RowCount), 0);
    Rows.clear();
    Rows.reserve(combs.size());
    for (size_t i = 0; i < combs.size(); ++i) {
        TCheckRow row;
        row.Index = int32_t(i + 1);
        row.Hits.assign(size_t(Info.RowCount), 0);
        const int hits = (combs[i] & drawn).Count();
        if (hits >= 1 && top >= 1)
            row.Hits[HitElement(hits, top)] = 1;
        if (multiBet)
            ExpandHits(game, k, top, row.Hits.data(), Info.LevelCount);
        row.Win = InMoneyRange([&] { return WinAmount(game, k, top, row.Hits.data(), Info.LevelCount); });
        for (size_t level = 0; level < row.Hits.size(); ++level)
            Totals.Hits[level] += row.Hits[level];
        Totals.Win = SumInRange(Totals.Win, row.Win);
        Rows.push_back(std::move(row));
    }
}

void TfrmCheckSysDetails::GridCellFormat(int Col, int Row, TCellFormat &Format) const
{
    const TCheckRow *row = Row == TotalsRow                                       ? &Totals
                           : Row >= HeaderRows && size_t(Row - HeaderRows) < Rows.size() ? &Rows[size_t(Row - HeaderRows)]
                                                                                 : nullptr;
    if (!row)
        return;
    if (Row == TotalsRow)
        Format.Font.Style |= fsBold;
    if (Col == 0)
        Format.Text = Row == TotalsRow ? QStringLiteral("Razem") : QString::number(row->Index);
    else
        Format.Text = FColumns.CellText(*row, Col, Row == TotalsRow ? ztTotals : ztBlank);
}

bool TfrmCheckSysDetails::GridSortColumn(int SortKey, int Direction)
{
    SortCheckRows(Rows, {SortKey, Direction, 0, SIZE_MAX, true});
    Grid->InvalidateGrid();
    GridSelectCell(Grid->Row());
    return true;
}

void TfrmCheckSysDetails::GridSelectCell(int Row)
{
    eSelComb->clear();
    const int index = Row - (HeaderRows + 1);
    if (NoResults || index < 0 || size_t(index) >= Rows.size())
        return;
    const size_t comb = size_t(Rows[size_t(index)].Index - 1);
    eSelComb->setText(NumbersText(FCombs.data() + comb * FK, FK, "  %d"));
}
