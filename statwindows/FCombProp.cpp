#include "statwindows/FCombProp.h"

#include "controls/PBEdit.h"
#include "controls/RichView.h"
#include "controls/StringAlignGrid.h"
#include "core/ProgramLocale.h"
#include "core/UComb.h"
#include "engine/UGame.h"
#include "engine/UGameMan.h"
#include "platform/gui/HelpContext.h"
#include "shell/FGlobalControls.h"
#include "shell/FGlobalDrawsRange.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalViewers.h"
#include "shell/FGlobalWindows.h"
#include "shell/GuardedConnect.h"
#include "shell/ResultGrid.h"
#include "stats/UStatSerieBreak.h"
#include "syswindows/SysFormats.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>
#include <cstdio>
#include <string>

namespace {

constexpr TColor HeldDrawColor = 0xE1DFAE; // 14802862
constexpr TColor GroupHeaderColor = 0x800000;

const QStringList SummaryRows = {QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Średnia")};

QString CellText(int64_t Value)
{
    return QString::number(Value) + QLatin1Char(' ');
}

TPBEdit *NewField(QWidget *Parent)
{
    auto *edit = new TPBEdit(Parent);
    edit->setReadOnly(true);
    return edit;
}

// A distribution grid: the length, its count and share, sortable by a header click.
TStringAlignGrid *NewDistributionGrid(QWidget *Parent, const QString &LengthCaption)
{
    TStringAlignGrid *grid = NewGrid(Parent, 3, 2, 0, 1);
    SetHeader(grid, {LengthCaption, QStringLiteral("Ilość"), QStringLiteral("Procent")}, {60, 60, 70});
    for (int col = 0; col < 3; ++col) {
        grid->SetAlignCol(col, alRight);
        TMyFont &font = grid->FontCell(col, 0);
        font.Color = GroupHeaderColor;
        font.Style |= fsBold;
    }
    grid->setSortByClick(true);
    grid->SortCols = {TSortCol{-1, 1}, TSortCol{-1, 2}, TSortCol{-1, 3}};
    grid->SetSortDirection(1, -1, true);
    grid->UpdateSortMarks();
    ColourResultGrid(grid);
    KeepColumnsInView(grid);
    return grid;
}

// The minimum, maximum and mean of a distribution.
TStringAlignGrid *NewRunSummaryGrid(QWidget *Parent)
{
    TStringAlignGrid *grid = NewGrid(Parent, 2, int(SummaryRows.size()) + 1, 1, 1);
    grid->setCells(1, 0, QStringLiteral("Wartość"));
    for (int row = 0; row < int(SummaryRows.size()); ++row)
        grid->setCells(0, row + 1, SummaryRows[row]);
    grid->SetAlignCol(1, alRight);
    SetColWidth(grid, 0, 60);
    SetColWidth(grid, 1, 70);
    grid->setScrollBars(ssNone);
    FitGridHeight(grid);
    FitGridWidth(grid);
    ColourResultGrid(grid);
    return grid;
}

} // namespace

TfrmCombProp::TfrmCombProp(QWidget *Owner) : QWidget(Owner)
{
    setWindowTitle(QStringLiteral("Właściwości kombinacji"));
    CreateControls();
    platform::setHelpContext(this, 614);
    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->close();
        else
            close();
    });
}

TfrmCombProp::~TfrmCombProp() = default;

void TfrmCombProp::CreateControls()
{
    resize(ScaledSize(640, 500));
    txtDateDesc = new TRichView(this);
    SetupSummaryViewer(txtDateDesc);
    Label10 = BuddyLabel(QStringLiteral("Zakres losowań:"), txtDateDesc, this);
    eComb = NewField(this);
    eComb->setFont(QFont(QStringLiteral("Courier New")));
    Label11 = BuddyLabel(QStringLiteral("Kombinacja:"), eComb, this);

    PageControl1 = new QTabWidget(this);
    TabSheet1 = CreateBasicPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("Dane podstawowe"));
    CreateCharts();
    PageControl1->addTab(TabSheet4, QStringLiteral("Częstotliwość w czasie - wykres"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Kombinacja w czasie - wykres"));

    TabSheet3 = new QWidget;
    sgDraws = NewGrid(TabSheet3, 4, 2, 0, 1);
    sgDraws->setOptions(sgDraws->Options() | goRowSelect);
    sgDraws->FontCol(3).Name = QStringLiteral("Courier New");
    SetHeader(sgDraws, {QStringLiteral("Nr"), QStringLiteral("Data"), QStringLiteral("Dzień"), QStringLiteral("Liczby")},
              {50, 80, 45, 200});
    sgDraws->SetAlignCol(0, alRight);
    sgDraws->SetAlignCol(1, alCenter);
    sgDraws->SetAlignCol(2, alCenter);
    ColourResultGrid(sgDraws);
    sgDraws->OnGetCellFormat = [this](int Col, int Row, TCellFormat &Format) { sgDrawsGetCellFormat(Col, Row, Format); };
    auto *table = new QVBoxLayout(TabSheet3);
    table->addWidget(sgDraws);
    PageControl1->addTab(TabSheet3, QStringLiteral("Kombinacja w czasie - tabela"));

    auto *top = new QGridLayout;
    top->addWidget(Label10, 0, 0);
    top->addWidget(txtDateDesc, 0, 1);
    top->addWidget(Label11, 1, 0);
    top->addWidget(eComb, 1, 1);
    top->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(PageControl1, 1);
    PageControl1->setFocus();
}

QWidget *TfrmCombProp::CreateBasicPage()
{
    auto *page = new QWidget;
    eCombFreq = NewField(page);
    eAllCombFreq = NewField(page);
    eExpFreq = NewField(page);
    eParity = NewField(page);
    eLastDate = NewField(page);
    for (TPBEdit *edit : {eCombFreq, eAllCombFreq, eExpFreq, eParity, eLastDate})
        edit->SetAlignment(taRightJustify);
    auto *fields = new QFormLayout;
    fields->addRow(BuddyLabel(QStringLiteral("Liczba wystąpień:"), eCombFreq, page), eCombFreq);
    fields->addRow(BuddyLabel(QStringLiteral("Liczba wystąpień od początku:"), eAllCombFreq, page), eAllCombFreq);
    fields->addRow(BuddyLabel(QStringLiteral("Spodziewana liczba wystąpień:"), eExpFreq, page), eExpFreq);
    fields->addRow(BuddyLabel(QStringLiteral("Parzystość:"), eParity, page), eParity);
    fields->addRow(BuddyLabel(QStringLiteral("Ostatnie wystąpienie:"), eLastDate, page), eLastDate);

    const auto runsGroup = [page](const QString &Title, const QString &DistributionCaption, const QString &LengthCaption,
                                  TStringAlignGrid *&Distribution, TStringAlignGrid *&Summary) {
        auto *group = new QGroupBox(Title, page);
        Distribution = NewDistributionGrid(group, LengthCaption);
        Summary = NewRunSummaryGrid(group);
        auto *grid = new QGridLayout(group);
        grid->addWidget(BuddyLabel(DistributionCaption, Distribution, group), 0, 0);
        grid->addWidget(Distribution, 1, 0);
        grid->addWidget(BuddyLabel(QStringLiteral("Podsumowanie:"), Summary, group), 0, 1);
        grid->addWidget(Summary, 1, 1, Qt::AlignTop);
        grid->setRowStretch(1, 1);
        return group;
    };
    GroupBox1 = runsGroup(QStringLiteral("Serie"), QStringLiteral("Rozkład serii:"), QStringLiteral("Seria"), sgSerie1,
                          sgSerie2);
    GroupBox2 = runsGroup(QStringLiteral("Przerwy"), QStringLiteral("Rozkład przerw:"), QStringLiteral("Przerwa"),
                          sgBreak1, sgBreak2);

    auto *groups = new QHBoxLayout;
    groups->addWidget(GroupBox1);
    groups->addWidget(GroupBox2);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addLayout(groups, 1);
    return page;
}

void TfrmCombProp::Init(TGameData &AGame, const TDynByteArr &AComb, const TDrawsRange &Range, const TStatDraws &ADraws)
{
    Game = &AGame;
    Comb = AComb;
    CombLen = int(Comb.size());
    StatDrawsMan.CopyDraws(ADraws, Draws, 0, 0);
    DrawCount = int(Draws.size());
    sgDraws->setRowCount(std::max(DrawCount, 1) + 1);
    ShowDrawsRange(Range, txtDateDesc, false);
    FitViewerToText(txtDateDesc);
    eComb->setText(CombCellText(Comb.data(), Comb.size()));

    SeriesStat = std::make_unique<TStatSerieBreak>(&Game->Info, true, TProgressProc(), [] {});
    BreakStat = std::make_unique<TStatSerieBreak>(&Game->Info, false, TProgressProc(), [] {});
    StatDrawsMan.SortByDate(Draws, -1);
    std::vector<bool> held(Draws.size());
    for (size_t i = 0; i < Draws.size(); ++i)
        held[i] = Holds(Draws[i]);
    ShowBasicData(held);
    ShowOccurrenceChart(held);
    ShowRuns(*SeriesStat, sgSerie1, sgSerie2);
    ShowRuns(*BreakStat, sgBreak1, sgBreak2);
    ShowFrequencyChart(held);
    StatDrawsMan.SortByDate(Draws, 1);
    Initialising = false;
    sgDraws->InvalidateGrid();
}

bool TfrmCombProp::Holds(const TStatDraw &Draw) const
{
    return CountHits(CombLen, int(Draw.Numbers.size()), Comb.data(), Draw.Numbers.data()) == CombLen;
}

void TfrmCombProp::ShowBasicData(const std::vector<bool> &Held)
{
    const int n = int(Game->Info.MaxNumber);
    const int s = int(Game->Info.Drawn);
    const int occurrences = int(std::count(Held.begin(), Held.end(), true));
    eCombFreq->setText(CountText(occurrences));

    // From the first draw of the history up to the newest working draw, within what the history holds
    // now (it may have been saved shorter since the draws were taken).
    const TDrawsManager &history = *Game->DrawsMan;
    const int last = Draws.empty() ? 0 : std::min(Draws.back().No, history.SelCount());
    int fromStart = 0;
    for (int i = 0; i < last; ++i) {
        const TDynByteArr &numbers = history.GetSelNumbers(i);
        fromStart += CountHits(CombLen, int(numbers.size()), Comb.data(), numbers.data()) == CombLen;
    }
    eAllCombFreq->setText(CountText(fromStart));

    // No draw holds a combination longer than a draw: nothing is expected then.
    eExpFreq->clear();
    if (CombLen <= s) {
        const int64_t perOccurrence = Newton[size_t(n)][size_t(CombLen)] / Newton[size_t(s)][size_t(CombLen)];
        QString text = QString::number(DrawCount / perOccurrence);
        if (DrawCount % perOccurrence != 0)
            text += QStringLiteral("(1)");
        eExpFreq->setText(text);
    }

    static const std::array<QString, 3> parity = {QStringLiteral("-"), QStringLiteral("P"), QStringLiteral("N")};
    eParity->setText(parity[size_t(CombParity(Comb.data(), CombLen))]);

    TDateTime lastDate = 0;
    for (size_t i = Held.size(); i-- > 0;)
        if (Held[i]) {
            lastDate = Draws[i].Date;
            break;
        }
    eLastDate->setText(QString::fromStdString(DateToStr(lastDate)));
}

void TfrmCombProp::ShowRuns(TStatSerieBreak &Stat, TStringAlignGrid *Distribution, TStringAlignGrid *Summary)
{
    Stat.LoadStatDraws(Draws, -1);
    Stat.SetParams(CombLen, false, false, true, Comb);
    Stat.Start();
    Distribution->OnSortColumn = [this, &Stat, Distribution](TStringAlignGrid *, int, TSortCol &Entry) {
        RunGuarded([&] { SortDistribution(Stat, Distribution, Entry.SortKey, Entry.Direction); });
    };
    FillDistribution(Stat, Distribution);
    if (Stat.LenRows.empty())
        return;
    Summary->setCells(1, 1, CellText(Stat.MinLen));
    Summary->setCells(1, 2, CellText(Stat.MaxLen));
    Summary->setCells(1, 3, QString::fromStdString(FormatFloat("0.00", Stat.MeanLen)) + QLatin1Char(' '));
    SetColWidth(Summary, 1, 70, ColTexts(Summary, 1));
    FitGridWidth(Summary);
}

void TfrmCombProp::FillDistribution(const TStatSerieBreak &Stat, TStringAlignGrid *Distribution)
{
    const int rows = int(Stat.LenRows.size());
    Distribution->setRowCount(std::max(rows, 1) + 1);
    Distribution->ClearRows(1, Distribution->RowCount() - 1);
    for (int r = 0; r < rows; ++r) {
        const TSummaryItem &item = Stat.LenRows[size_t(r)];
        Distribution->setCells(0, r + 1, CellText(item.Key));
        Distribution->setCells(1, r + 1, CellText(item.Sum));
        Distribution->setCells(2, r + 1, QString::fromStdString(FormatFloat("0.00", item.Percent * 100)) +
                                             QStringLiteral("% "));
    }
    for (int col = 0; col < 3; ++col)
        SetColWidth(Distribution, col, col == 2 ? 70 : 60, ColTexts(Distribution, col));
    KeepColumnsInView(Distribution);
}

void TfrmCombProp::SortDistribution(TStatSerieBreak &Stat, TStringAlignGrid *Distribution, int SortKey, int Direction)
{
    if (Stat.LenRows.empty())
        return;
    Stat.SortSummary(uint8_t(SortKey == 1 ? 0 : 6), Direction);
    Distribution->SetSortDirection(SortKey, Direction, true);
    Distribution->UpdateSortMarks();
    FillDistribution(Stat, Distribution);
    Distribution->InvalidateGrid();
}

void TfrmCombProp::sgDrawsGetCellFormat(int Col, int Row, TCellFormat &Format)
{
    if (Initialising || Row < 1 || Row > DrawCount)
        return;
    const TStatDraw &draw = Draws[size_t(Row - 1)];
    switch (Col) {
    case 0:
        Format.Text = QString::number(draw.No);
        break;
    case 1:
        Format.Text = QString::fromStdString(DateToStr(draw.Date));
        break;
    case 2: {
        const int day = DayOfTheWeek(draw.Date);
        Format.Text = QString::fromUtf8(ProgramLocale::ShortDayNames[size_t(day - 1)].data(),
                                        qsizetype(ProgramLocale::ShortDayNames[size_t(day - 1)].size()));
        Format.Font.Color = day == 7 ? clRed : clBlack;
        break;
    }
    case 3:
        Format.Text = CombCellText(draw.Numbers.data(), draw.Numbers.size());
        break;
    default:
        break;
    }
    if (Holds(draw))
        Format.Brush.Color = HeldDrawColor;
}

void ShowCombProperties(TGameData &Game, const TDynByteArr &Comb, const TDrawsRange &Range, const TStatDraws &Draws)
{
    auto window = std::make_unique<TfrmCombProp>();
    window->Init(Game, Comb, Range, Draws);
    TfrmCombProp *shown = window.release();
    AddChildForm(shown);
    CenterChildForm(shown);
}
