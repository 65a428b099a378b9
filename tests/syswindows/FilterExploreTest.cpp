// The filter editor's exploration tab over a full system and over the real Lotto history: its rows
// against brute-force counts, the draws comparison, sorting every grid, stopping, the report, its
// record bytes, and that it never runs beside a filtering run.
#include "controls/FloatSpin.h"
#include "core/ProgramParams.h"
#include "engine/UDrawsDB.h"
#include "engine/UEFilters.h"
#include "engine/UFilters.h"
#include "engine/USysGeneral.h"
#include "platform/gui/ModalHooks.h"
#include "shell/ParamsRecord.h"
#include "syswindows/FFilter.h"
#include "syswindows/FFilterExplore.h"
#include "tests/engine/DrawsTestSupport.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/support/ProcessUntil.h"
#include "tests/syswindows/SysWindowTestSupport.h"
#include "tools/LottoHistoryImport.h"

#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QStackedBarSeries>

#include <algorithm>
#include <map>

namespace {

using testsupport::ProcessUntil;

// Items of the tab's list.
constexpr int ItemSucc = 0; // "F01  Kolejne liczby"
constexpr int ItemPar = 1;  // "F02  Liczby parzyste"
constexpr int ItemSum = 3;  // "F08  Suma liczb"

using Comb = std::vector<int>;

QString Share(int64_t Count, int64_t Total)
{
    return QString::number(100.0 * double(Count) / double(Total), 'f', 2).replace('.', ',') + QStringLiteral("% ");
}

QString Grouped(int64_t Count)
{
    QString digits = QString::number(Count);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QChar(0x00A0));
    return digits;
}

int Sum(const Comb &C)
{
    int sum = 0;
    for (int n : C)
        sum += n;
    return sum;
}

// The sizes of the runs of consecutive numbers of two or more, ascending, as "2 - 3"; "0" for none.
QString Runs(const Comb &C)
{
    std::vector<int> sizes;
    int run = 1;
    for (size_t i = 1; i <= C.size(); ++i) {
        if (i < C.size() && C[i] == C[i - 1] + 1) {
            ++run;
            continue;
        }
        if (run >= 2)
            sizes.push_back(run);
        run = 1;
    }
    std::sort(sizes.begin(), sizes.end());
    QStringList parts;
    for (int size : sizes)
        parts << QString::number(size);
    return sizes.empty() ? QStringLiteral("0") : parts.join(QStringLiteral(" - "));
}

// What a grid shows below its header, row by row.
std::vector<QStringList> Shown(const TStringAlignGrid &Grid)
{
    std::vector<QStringList> rows;
    for (int row = 1; row < Grid.RowCount(); ++row) {
        QStringList cells;
        for (int col = 0; col < Grid.ColCount(); ++col) {
            QString text;
            Grid.GetCellText(col, row, text);
            cells << text;
        }
        rows.push_back(cells);
    }
    return rows;
}

// A header click: the direction toggled and handed to the grid's sort.
void ClickHeader(TStringAlignGrid &Grid, int Col)
{
    TSortCol &entry = Grid.SortCols[size_t(Col)];
    entry.Direction = entry.Direction == 1 ? -1 : 1;
    Grid.OnSortColumn(&Grid, Col, entry);
}

} // namespace

class FilterExploreTest : public SysWindowTest {
protected:
    void PrepareFolder() override
    {
        MakeLottoDraws(std::string(KORVANTILE_SHARED_DATA) + "/lotto-6z49-history.txt",
                       (folder->path() / "Draws" / "LottoDraws").string());
    }

    TGameData *Lotto() const { return Games.GameById(LottoId); }

    std::vector<Comb> Combs(const TSystem &System) const
    {
        std::vector<Comb> combs;
        for (int i = 0; i < System.ViewCount(); ++i) {
            const uint8_t *c = System.GetComb(i, true);
            combs.emplace_back(c, c + System.K);
        }
        return combs;
    }

    // The editor's record with the items checked, CheckWins and the range.
    static platform::Bytes Record(const std::vector<int> &Items, bool CheckWins, const TDrawsRange &Range)
    {
        platform::Bytes bytes(TFilterDialogRecord::Size, 0);
        bytes[0] = 1;
        for (int item : Items)
            bytes[5 + size_t(item)] = 1;
        bytes[26] = CheckWins ? 1 : 0;
        platform::ByteWriter range;
        WriteDrawsRange(range, Range);
        std::copy(range.bytes().begin(), range.bytes().end(), bytes.begin() + 27);
        return bytes;
    }

    static void Explore(TfrmFilter &F)
    {
        F.Exploration->EF_btnDoExplore->click();
        ASSERT_TRUE(F.Exploration->Running());
        ASSERT_TRUE(ProcessUntil([&] { return !F.Exploration->Running(); }));
    }

    void OnEditor(std::function<void(TfrmFilter &)> Step)
    {
        script.onDialog([Step](QDialog &Dialog) { Step(dynamic_cast<TfrmFilter &>(Dialog)); });
    }

    // A "Suma liczb" filter of 25..30.
    static void AddSumFilter(TfrmFilter &F)
    {
        for (int row = 0; row < F.lbFilters->count(); ++row)
            if (F.lbFilters->item(row)->data(Qt::UserRole).toUInt() == fltSum)
                F.lbFilters->setCurrentRow(row);
        F.F_cb1->setCurrentIndex(F.F_cb1->findData(int(rmRange)));
        F.F_seFrom1->SetValue(25);
        F.F_seTo1->SetValue(30);
        F.btnAddFlt->click();
        ASSERT_EQ(F.SelectedFilters().Count(), 1);
    }

};

TEST_F(FilterExploreTest, AFullSystemSpreadsAsABruteForceCountAndHitsTheRangeAsCounted)
{
    TGenSysForm *window = Generate(10, 6, 210);
    const std::vector<Comb> combs = Combs(*window->System);
    ASSERT_EQ(combs.size(), 210u);
    std::map<int, int64_t> sums;
    std::map<int, int64_t> evens;
    std::map<QString, int64_t> runs;
    for (const Comb &c : combs) {
        ++sums[Sum(c)];
        ++evens[int(std::count_if(c.begin(), c.end(), [](int n) { return n % 2 == 0; }))];
        ++runs[Runs(c)];
    }
    const TDrawsRange range = IndexRange(101, 600);
    WriteParamsRecord("Tools\\0\\3", Record({ItemSucc, ItemPar, ItemSum}, false, range));

    // Hits of each sum's combinations with the draws of the range, per level 6, 5, 4, 3.
    TDrawsRange resolved = range;
    std::vector<int32_t> indexes;
    ASSERT_TRUE(Lotto()->DrawsMan->ResolveRange(resolved, indexes));
    ASSERT_EQ(indexes.size(), 500u);
    const int32_t flagged = Lotto()->DrawsMan->CountFlagged(dfInRange);
    std::map<int, std::array<int64_t, 4>> hits;
    for (const Comb &c : combs) {
        std::array<int64_t, 4> &row = hits[Sum(c)];
        for (int32_t index : indexes) {
            const TDynByteArr &draw = Lotto()->DrawsMan->GetDraw(index).Numbers;
            int common = 0;
            for (int n : c)
                common += std::count(draw.begin(), draw.end(), uint8_t(n)) > 0 ? 1 : 0;
            if (common >= 3)
                ++row[size_t(6 - common)];
        }
    }

    OnEditor([&](TfrmFilter &F) {
        TFilterExploration &E = *F.Exploration;
        EXPECT_FALSE(E.EF_btnFltDate->isEnabled()) << "no comparison chosen";
        Explore(F);
        ASSERT_EQ(E.ResultCount(), 3);
        EXPECT_FALSE(E.Box(ItemSum)->isHidden());
        EXPECT_TRUE(E.Box(2)->isHidden());

        std::vector<QStringList> expected;
        for (const auto &[sum, count] : sums)
            expected.push_back({QString::number(sum) + ' ', QString::number(count) + ' ', Share(count, 210)});
        EXPECT_EQ(Shown(*E.Grid(ItemSum)), expected);
        expected.clear();
        for (const auto &[even, count] : evens)
            expected.push_back({QStringLiteral("%1P|%2N ").arg(even).arg(6 - even), QString::number(count) + ' ',
                                Share(count, 210)});
        EXPECT_EQ(Shown(*E.Grid(ItemPar)), expected);
        std::map<QString, QStringList> patterns;
        for (const QStringList &row : Shown(*E.Grid(ItemSucc)))
            patterns[row[0]] = row;
        std::map<QString, QStringList> counted;
        for (const auto &[text, count] : runs)
            counted[text + ' '] = {text + ' ', QString::number(count) + ' ', Share(count, 210)};
        EXPECT_EQ(patterns, counted);
        EXPECT_EQ(E.Grid(ItemSucc)->Cells(0, 0), "Układ");

        // One click on the evens' count sorts every grid by count, descending, and marks it.
        ClickHeader(*E.Grid(ItemPar), 1);
        for (int item : {ItemSucc, ItemPar, ItemSum}) {
            const std::vector<QStringList> rows = Shown(*E.Grid(item));
            for (size_t r = 1; r < rows.size(); ++r)
                EXPECT_GE(rows[r - 1][1].trimmed().toInt(), rows[r][1].trimmed().toInt()) << item;
            EXPECT_EQ(E.Grid(item)->Cells(1, 0), "Ilość -");
            // The chart's bars follow the grid's rows.
            const auto *series = qobject_cast<QStackedBarSeries *>(E.Chart(item)->chart()->series().value(0));
            ASSERT_TRUE(series);
            const QBarSet *bars = series->barSets().value(0);
            ASSERT_EQ(bars->count(), int(rows.size()));
            for (size_t r = 0; r < rows.size(); ++r)
                EXPECT_EQ(bars->at(int(r)), rows[r][1].trimmed().toDouble()) << item;
        }

        // With the wins checked: the hit counts per sum over the range's 500 draws.
        E.EF_cbCheckWins->setChecked(true);
        EXPECT_TRUE(E.EF_btnFltDate->isEnabled());
        Explore(F);
        const TStringAlignGrid &grid = *E.Grid(ItemSum);
        ASSERT_EQ(grid.ColCount(), 3 * 4 + 6);
        EXPECT_EQ(grid.Cells(3, 0), "'6'");
        EXPECT_EQ(grid.Cells(7, 0), "Wygrana");
        EXPECT_EQ(grid.Cells(16, 0), "'3' O");
        const std::vector<QStringList> rows = Shown(grid);
        ASSERT_EQ(rows.size(), hits.size());
        size_t r = 0;
        for (const auto &[sum, levels] : hits) {
            EXPECT_EQ(rows[r][0], QString::number(sum) + ' ');
            for (size_t level = 0; level < 4; ++level)
                EXPECT_EQ(rows[r][int(3 + level)], levels[level] == 0 ? QString() : QString::number(levels[level]))
                    << sum << " level " << level;
            ++r;
        }
        EXPECT_EQ(Lotto()->DrawsMan->CountFlagged(dfInRange), flagged)
            << "the game's history keeps its range";
        E.EF_lbFilters->item(ItemPar)->setCheckState(Qt::Unchecked);
        F.btnCancel->click();
    });
    sendCommand(window, WM_SYS_FILTER);

    // The record: the items as left, the check box and the range as chosen, the reserve zero.
    platform::Bytes expected = Record({ItemSucc, ItemSum}, true, resolved);
    EXPECT_EQ(ReadParamsRecord("Tools\\0\\3", TFilterDialogRecord::Size).Bytes, expected);
}

TEST_F(FilterExploreTest, AStopKeepsTheLastResultsWhichSortAndReportAndOkStopsARunFirst)
{
    TGenSysForm *window = Generate(10, 6, 210);
    WriteParamsRecord("Tools\\0\\3", Record({ItemPar, ItemSum}, false, IndexRange(1, 30)));
    OnEditor([&](TfrmFilter &F) {
        TFilterExploration &E = *F.Exploration;
        Explore(F);
        ASSERT_EQ(E.ResultCount(), 2);
        const std::vector<QStringList> before = Shown(*E.Grid(ItemSum));

        // Another run with a third exploration, stopped: the two of the last completed run stay.
        E.EF_lbFilters->item(ItemSucc)->setCheckState(Qt::Checked);
        E.EF_btnDoExplore->click();
        ASSERT_TRUE(E.Running());
        EXPECT_FALSE(F.btnDoFilter->isEnabled()) << "no filtering beside an exploration";
        EXPECT_FALSE(E.EF_btnReport->isEnabled());
        E.EF_btnDoExplore->click();
        EXPECT_FALSE(E.Running());
        ASSERT_EQ(E.ResultCount(), 2);
        EXPECT_EQ(Shown(*E.Grid(ItemSum)), before);
        EXPECT_TRUE(E.EF_btnReport->isEnabled());
        ClickHeader(*E.Grid(ItemSum), 0);
        const std::vector<QStringList> sorted = Shown(*E.Grid(ItemSum));
        EXPECT_EQ(sorted.front(), before.back()) << "sorted by value, descending";
        E.EF_btnReport->click();
        EXPECT_EQ(script.openedDocuments().size(), 1u);

        // A filtering run bars the exploration; OK during an exploration stops it first.
        AddSumFilter(F);
        F.btnDoFilter->click();
        ASSERT_TRUE(F.Running());
        EXPECT_FALSE(E.EF_btnDoExplore->isEnabled());
        E.EF_btnDoExplore->click();
        EXPECT_FALSE(E.Running());
        ASSERT_TRUE(ProcessUntil([&] { return !F.Running(); }));
        EXPECT_TRUE(E.EF_btnDoExplore->isEnabled());
        E.EF_cbFilterFunc->setChecked(true);
        E.EF_btnDoExplore->click();
        ASSERT_TRUE(E.Running());
        F.btnOK->click();
        EXPECT_FALSE(E.Running());
        EXPECT_EQ(F.result(), 1);
    });
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_FILTER);
    EXPECT_TRUE(window->System->HasFilter);

    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].Name, "F02  Liczby parzyste");
    EXPECT_EQ(sheets[1].Name, "F08  Suma liczb");
    EXPECT_EQ(sheets[0].At("B2").Text, "Badanie filtrów ");
    EXPECT_EQ(sheets[0].At("B4").Text, "Gra      : " + Lotto()->Info.Name);
    EXPECT_EQ(sheets[0].At("B7").Text, "Układ");
    EXPECT_EQ(sheets[1].At("B2").Text, "Wartość");
}

TEST_F(FilterExploreTest, OverTheDrawHistoryTheGridsHoldThreeColumnsAndCountEveryDraw)
{
    TDrawsManager &manager = *Lotto()->DrawsMan;
    TDrawsRange all;
    DefaultDrawsRange(all);
    manager.SetRange(all);
    manager.ApplyRange(all);
    ASSERT_EQ(manager.CountFlagged(dfInRange), 3545);
    std::map<int, int64_t> sums;
    for (int i = 0; i < manager.Count(); ++i) {
        const TDynByteArr &numbers = manager.GetDraw(i).Numbers;
        ++sums[Sum(Comb(numbers.begin(), numbers.end()))];
    }
    // The comparison stored as chosen is not offered over draws.
    WriteParamsRecord("Tools\\0\\3", Record({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, true, IndexRange(1, 30)));
    TfrmFilter dialog;
    dialog.Init(Lotto(), 0, nullptr, &manager, 0);
    OnEditor([&](TfrmFilter &F) {
        TFilterExploration &E = *F.Exploration;
        EXPECT_FALSE(E.EF_cbCheckWins->isEnabled());
        EXPECT_FALSE(E.EF_btnFltDate->isEnabled());
        Explore(F);
        ASSERT_EQ(E.ResultCount(), 10);
        for (int index = 0; index < 10; ++index) {
            const TStringAlignGrid &grid = *E.Grid(E.ResultItem(index));
            EXPECT_EQ(grid.ColCount(), 3);
            int64_t counted = 0;
            for (const QStringList &row : Shown(grid))
                counted += row[1].trimmed().remove(QChar(0x00A0)).toLongLong();
            EXPECT_EQ(counted, 3545) << index;
        }
        std::vector<QStringList> expected;
        for (const auto &[sum, count] : sums)
            expected.push_back({QString::number(sum) + ' ', Grouped(count) + ' ', Share(count, 3545)});
        EXPECT_EQ(Shown(*E.Grid(ItemSum)), expected);
        F.btnCancel->click();
    });
    EXPECT_EQ(platform::execModal(dialog), 2);
}
