// The report object against the workbook it writes: the file unpacked and its XML read back, the same
// file converted by LibreOffice, and the progress steps and stops of its operations.
#include "output/UEReport.h"

#include "controls/StringAlignGrid.h"
#include "core/UComb.h"
#include "core/UGlobalProgress.h"
#include "core/UGlobalThreads.h"
#include "engine/UGameMan.h"
#include "engine/USysShort.h"
#include "shell/FGlobalStartup.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/fixtures/XlsxReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace {

using testsupport::XlsxCell;
using testsupport::XlsxSheet;

constexpr TColor ButtonFace = 0x00ECE9D8; // $00BBGGRR
constexpr TColor FixedColour = 0x00FFE0C0;
const std::string GreyThin = "FF808080";
const std::string BlackMedium = "FF000000";

// Width in the file of a column of Pixels at 96 pixels per inch: Pixels / (64 / 8.43) + 2 units.
double Width(int Pixels)
{
    return testsupport::storedColumnWidth(Pixels * 8.43 / 64 + 2);
}

// A thread object that never runs: only its stop flag is used.
class IdleThread : public TMyThread {
protected:
    void Execute() override {}
};

class EReportTest : public FreshRegistry {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        folder->addShippedGames();
        InitGlobals();
        screen.PixelsPerInch = 96;
        screen.SystemColors[clBtnFace & 0xFF] = ButtonFace;
        BuildGrid();
        // The first three combinations of 6 of 7 numbers, through a key other than 1..7.
        system = std::make_unique<TSysShort>(Games.GameById(1));
        system->SetParams(7, 6, 7);
        ASSERT_TRUE(system->Generate(true));
        system->DeleteCombs(3, 6);
        system->SetKey({3, 8, 15, 22, 30, 41, 44});
        ASSERT_EQ(system->ViewCount(), 3);
    }
    void TearDown() override
    {
        system.reset();
        DoneGlobals();
        folder.reset();
        FreshRegistry::TearDown();
    }

    // A fixed column (centred), a bold left column, a "Courier New" centred column and a bold italic
    // right column; custom widths and heights.
    void BuildGrid()
    {
        grid.setColCount(4);
        grid.setRowCount(4);
        grid.setFixedCols(1);
        grid.setFixedColor(FixedColour);
        grid.setDefaultRowHeight(20);
        grid.setRowHeights(0, 30);
        const int widths[] = {40, 70, 90, 55};
        for (int c = 0; c < 4; ++c)
            grid.setColWidths(c, widths[c]);
        const char *texts[4][4] = {{"Nr", "Gruba", "Stała", "Prawa"},
                                   {"1", "alfa", " 12 ", "x"},
                                   {"2", "beta", "7", "y"},
                                   {"3", "gamma", "", "z"}};
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                grid.setCells(c, r, QString::fromUtf8(texts[r][c]));
        grid.SetFixedAlignCol(0, alCenter);
        grid.SetAlignCol(1, alLeft);
        grid.SetAlignCol(2, alCenter);
        grid.SetAlignCol(3, alRight);
        grid.FontCol(1).Style = fsBold;
        grid.FontCol(2).Name = QStringLiteral("Courier New");
        grid.FontCol(3).Style = fsBold | fsItalic;
    }

    // Sheet "Tabela": a header whose last line lacks its "#" and the grid below it; then the system
    // through its key and by positions.
    std::string WriteWorkbook()
    {
        TEReport report(screen);
        report.Connect();
        report.AddSheets(3);
        report.SetSheetName("Tabela");
        report.WriteHeader(2, "Linia pierwsza#Linia druga#Bez końca");
        report.WriteGrid(6, 2, TReportGrid::Take(grid), thread, progress);
        report.SelectSheet(2);
        report.SetSheetName("System z kluczem");
        report.WriteSystem(2, 2, *system, thread, progress, {43, 144}, true);
        report.SelectSheet(3);
        report.SetSheetName("System bez klucza");
        report.WriteSystem(2, 2, *system, thread, progress, {43, 144}, false);
        report.ShowExcel();
        EXPECT_TRUE(report.Written);
        return report.FileName;
    }

    std::optional<testsupport::ProgramFolder> folder;
    TReportScreen screen;
    TStringAlignGrid grid;
    std::unique_ptr<TSysShort> system;
    IdleThread thread;
    TProgress progress;
};

void ExpectBorders(const XlsxCell &Cell, const std::array<std::string, 4> &Colours, const char *Where)
{
    for (size_t side = 0; side < 4; ++side) {
        const std::string expectedStyle = Colours[side] == GreyThin ? "thin" : "medium";
        EXPECT_EQ(Cell.Borders[side].Style, expectedStyle) << Where << " side " << side;
        EXPECT_EQ(Cell.Borders[side].Color, Colours[side]) << Where << " side " << side;
    }
}

TEST_F(EReportTest, WorkbookHoldsHeaderGridAndSystemAsFormatted)
{
    const std::string file = WriteWorkbook();
    ASSERT_EQ(file.rfind(TempDir + "Raport-", 0), 0u) << file;
    const std::vector<XlsxSheet> sheets = testsupport::readXlsx(file);
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0].Name, "Tabela");
    EXPECT_EQ(sheets[1].Name, "System z kluczem");
    EXPECT_EQ(sheets[2].Name, "System bez klucza");

    const XlsxSheet &table = sheets[0];
    // Header: three lines, the last one without its "#".
    for (const char *ref : {"B2", "B3", "B4"}) {
        const XlsxCell &line = table.At(ref);
        EXPECT_EQ(line.Font, "Courier New");
        EXPECT_EQ(line.FontSize, 10);
        EXPECT_TRUE(line.Bold);
        EXPECT_EQ(line.NumberFormat, "@");
    }
    EXPECT_EQ(table.At("B2").Text, "Linia pierwsza");
    EXPECT_EQ(table.At("B3").Text, "Linia druga");
    EXPECT_EQ(table.At("B4").Text, "Bez końca");
    EXPECT_FALSE(table.At("B5").HasValue);
    EXPECT_DOUBLE_EQ(table.RowHeights.at(2), 13.5);
    EXPECT_DOUBLE_EQ(table.RowHeights.at(4), 13.5);

    // Texts trimmed, every cell of the block in text format.
    const char *cols = "BCDE";
    const char *texts[4][4] = {{"Nr", "Gruba", "Stała", "Prawa"},
                               {"1", "alfa", "12", "x"},
                               {"2", "beta", "7", "y"},
                               {"3", "gamma", "", "z"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            const std::string ref = std::string(1, cols[c]) + std::to_string(6 + r);
            const XlsxCell &cell = table.At(ref);
            EXPECT_EQ(cell.Text, texts[r][c]) << ref;
            EXPECT_EQ(cell.NumberFormat, "@") << ref;
            EXPECT_EQ(cell.FontSize, 8) << ref;
            EXPECT_EQ(cell.Vertical, "center") << ref;
        }
    EXPECT_FALSE(table.At("D9").HasValue);

    // Header row: button face, bold, centred, wrapped; medium black above and below.
    const XlsxCell &head = table.At("C6");
    EXPECT_EQ(head.Fill, "FFD8E9EC");
    EXPECT_TRUE(head.Bold);
    EXPECT_EQ(head.Horizontal, "center");
    EXPECT_TRUE(head.Wrap);
    ExpectBorders(head, {GreyThin, BlackMedium, GreyThin, BlackMedium}, "C6");

    // Fixed column: its colour, bold, centred as fixed cells are, medium edge on the left.
    const XlsxCell &fixed = table.At("B8");
    EXPECT_EQ(fixed.Fill, "FFC0E0FF");
    EXPECT_TRUE(fixed.Bold);
    EXPECT_EQ(fixed.Font, "MS Sans Serif");
    EXPECT_EQ(fixed.Horizontal, "center");
    ExpectBorders(fixed, {BlackMedium, GreyThin, GreyThin, GreyThin}, "B8");

    const XlsxCell &bold = table.At("C8");
    EXPECT_TRUE(bold.Bold);
    EXPECT_EQ(bold.Font, "MS Sans Serif");
    EXPECT_EQ(bold.Horizontal, "left");
    EXPECT_EQ(bold.Fill, "");

    // Under the header row the top side is the header's medium line.
    const XlsxCell &courier = table.At("D7");
    EXPECT_EQ(courier.Font, "Courier New");
    EXPECT_FALSE(courier.Bold);
    EXPECT_EQ(courier.Horizontal, "center");
    ExpectBorders(courier, {GreyThin, BlackMedium, GreyThin, GreyThin}, "D7");

    // Bold italic is not made bold; right alignment keeps the block's; the bottom right corner.
    const XlsxCell &corner = table.At("E9");
    EXPECT_FALSE(corner.Bold);
    EXPECT_EQ(corner.Horizontal, "right");
    ExpectBorders(corner, {GreyThin, GreyThin, BlackMedium, BlackMedium}, "E9");

    EXPECT_DOUBLE_EQ(table.ColWidths.at(1), Width(8));
    EXPECT_DOUBLE_EQ(table.ColWidths.at(2), Width(40));
    EXPECT_DOUBLE_EQ(table.ColWidths.at(3), Width(70));
    EXPECT_DOUBLE_EQ(table.ColWidths.at(4), Width(90));
    EXPECT_DOUBLE_EQ(table.ColWidths.at(5), Width(55));
    EXPECT_DOUBLE_EQ(table.RowHeights.at(6), 22.5);
    for (int row = 7; row <= 9; ++row)
        EXPECT_DOUBLE_EQ(table.RowHeights.at(row), 15) << row;

    // The system through its key, then by positions.
    const XlsxSheet &keyed = sheets[1];
    EXPECT_EQ(keyed.At("B2").Text, "Lp");
    EXPECT_EQ(keyed.At("C2").Text, "Kombinacja");
    EXPECT_EQ(keyed.At("C2").Font, "Calibri");
    EXPECT_EQ(keyed.At("C2").Fill, "FFD8E9EC");
    EXPECT_TRUE(keyed.At("C2").Bold);
    const char *numbers[] = {" 3  8 15 22 30 41 ", " 3  8 15 22 30 44 ", " 3  8 15 22 41 44 "};
    for (int i = 0; i < 3; ++i) {
        const std::string row = std::to_string(3 + i);
        EXPECT_EQ(keyed.At("B" + row).Text, std::to_string(i + 1));
        EXPECT_EQ(keyed.At("C" + row).Text, numbers[i]);
        EXPECT_EQ(keyed.At("C" + row).Font, "Courier New");
        EXPECT_EQ(keyed.At("C" + row).FontSize, 8);
        EXPECT_EQ(keyed.At("C" + row).Horizontal, "center");
    }
    ExpectBorders(keyed.At("C5"), {GreyThin, GreyThin, BlackMedium, BlackMedium}, "C5");
    for (int row = 1; row <= 5; ++row)
        EXPECT_DOUBLE_EQ(keyed.RowHeights.at(row), 13.5) << row;
    EXPECT_DOUBLE_EQ(keyed.ColWidths.at(2), Width(43));
    EXPECT_DOUBLE_EQ(keyed.ColWidths.at(3), Width(144));
    const char *positions[] = {" 1  2  3  4  5  6 ", " 1  2  3  4  5  7 ", " 1  2  3  4  6  7 "};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sheets[2].At("C" + std::to_string(3 + i)).Text, positions[i]);
}

TEST_F(EReportTest, LibreOfficeReadsTheTextsOfGridAndSystem)
{
    const std::string file = WriteWorkbook();
    const std::map<std::string, testsupport::CsvRows> csv = testsupport::convertToCsv(file);
    ASSERT_EQ(csv.size(), 3u);
    const testsupport::CsvRows &table = csv.at("Tabela");
    ASSERT_GE(table.size(), 9u);
    EXPECT_EQ(table[1].at(1), "Linia pierwsza");
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            QString text;
            grid.GetCellText(c, r, text);
            const std::vector<std::string> &row = table[size_t(5 + r)];
            EXPECT_EQ(size_t(c + 1) < row.size() ? row[size_t(c + 1)] : std::string(),
                      text.trimmed().toStdString())
                << r << "," << c;
        }
    const testsupport::CsvRows &keyed = csv.at("System z kluczem");
    const testsupport::CsvRows &plain = csv.at("System bez klucza");
    ASSERT_GE(keyed.size(), 5u);
    ASSERT_GE(plain.size(), 5u);
    EXPECT_EQ(keyed[1], (std::vector<std::string>{"", "Lp", "Kombinacja"}));
    std::string numbers;
    std::string positions;
    for (int i = 0; i < 3; ++i) {
        CombToStr(system->GetComb(i, true), uint8_t(system->K), "%2d ", numbers);
        CombToStr(system->GetComb(i, false), uint8_t(system->K), "%2d ", positions);
        EXPECT_EQ(keyed[size_t(2 + i)], (std::vector<std::string>{"", std::to_string(i + 1), numbers}));
        EXPECT_EQ(plain[size_t(2 + i)], (std::vector<std::string>{"", std::to_string(i + 1), positions}));
    }
}

TEST_F(EReportTest, StepsAreWhatTheTotalsCountAndAStopEndsTheWorkThere)
{
    const auto steps = [&](const std::function<void(TEReport & Report)> &Write) {
        TEReport report(screen);
        report.Connect();
        progress.Init(10000, 1, 0);
        Write(report);
        return progress.Done;
    };
    // 10 x (19 + 4 columns) + 4 x 4 cells.
    const TReportGrid whole = TReportGrid::Take(grid);
    EXPECT_EQ(ReportProgressTotal(whole), 246);
    EXPECT_EQ(steps([&](TEReport &R) { R.WriteGrid(2, 2, whole, thread, progress); }), 246);
    // Row 0 and rows 2..3: 3 rows of 4 cells.
    const TReportGrid range = TReportGrid::Take(grid, 2, 3);
    EXPECT_EQ(ReportProgressTotal(range), 230 + 12);
    EXPECT_EQ(steps([&](TEReport &R) { R.WriteGrid(2, 2, range, thread, progress); }), 230 + 12);
    EXPECT_EQ(steps([&](TEReport &R) {
                  R.WriteSystem(2, 2, *system, thread, progress, {43, 144}, true);
              }),
              190 + 3);

    // Every step reported: the stop asked at the chosen step is the last one made, and nothing is written.
    // Steps end at 10..70 (block formats), 71..86 (cells), 96..126 (columns), 136..196 (borders) and
    // 206..236 (header row; its last step is not a stop point).
    for (const int64_t chosen : {10, 75, 80, 116, 196, 236}) {
        IdleThread stopping;
        TEReport report(screen);
        report.Connect();
        TProgress recording;
        recording.Init(246 * 100, 246, 0);
        std::vector<int32_t> reported;
        recording.OnProgress = [&](int32_t Pos, int32_t) {
            reported.push_back(Pos);
            if (recording.Done == chosen)
                stopping.Terminate();
        };
        report.WriteGrid(2, 2, whole, stopping, recording);
        EXPECT_EQ(recording.Done, chosen);
        EXPECT_EQ(report.State, 3);
        report.ShowExcel();
        EXPECT_FALSE(report.Written);
        EXPECT_TRUE(report.FileName.empty());
    }
}

} // namespace
