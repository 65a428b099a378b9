#include "output/UEReport.h"

#include "core/UComb.h"
#include "core/UGlobalProgress.h"
#include "core/UGlobalThreads.h"
#include "core/UGlobalUtils.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalStartup.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>

#include <filesystem>
#include <system_error>

namespace {

const std::string GridFont = "MS Sans Serif";
const std::string TextFormat = "@";
constexpr int MarginPixels = 8;
constexpr int LineHeight = 18;
constexpr int StepOfFormat = 10;
constexpr int FormatSteps = 19; // formatting steps of a grid besides one per column

// $00BBGGRR to the file's 0xRRGGBB.
uint32_t FileColor(TColor Color)
{
    return (Color & 0xFF) << 16 | (Color & 0xFF00) | (Color >> 16 & 0xFF);
}

} // namespace

TReportScreen TReportScreen::Current()
{
    TReportScreen screen;
    if (const QScreen *primary = QGuiApplication::primaryScreen())
        screen.PixelsPerInch = primary->logicalDotsPerInch();
    for (size_t i = 0; i < screen.SystemColors.size(); ++i)
        screen.SystemColors[i] = ColorToRGB(clSystemColor | TColor(i));
    return screen;
}

TColor TReportScreen::ToRGB(TColor Color) const
{
    if (!isSystemColor(Color))
        return Color;
    const size_t index = Color & 0xFF;
    return index < SystemColors.size() ? SystemColors[index] : clBlack;
}

TEReport::TEReport(const TReportScreen &Screen) : FScreen(Screen) {}

TEReport::~TEReport() = default;

void TEReport::Connect()
{
    FWorkbook = std::make_unique<platform::TWorkbook>();
    FSheet = 0;
}

platform::TWorksheet &TEReport::Sheet()
{
    return FWorkbook->Sheet(FSheet);
}

platform::TCellRange TEReport::Block(int R1, int C1, int R2, int C2)
{
    return {R1 - 1, C1 - 1, (R2 == 0 ? R1 : R2) - 1, (C2 == 0 ? C1 : C2) - 1};
}

void TEReport::AddSheets(int N)
{
    while (FWorkbook->SheetCount() < N)
        FWorkbook->AddSheet();
    SelectSheet(1);
}

void TEReport::SelectSheet(int N)
{
    FSheet = N - 1;
    // Width of the default column, in points, per unit of column width, as screen pixels.
    if (PixelsPerUnit == 0)
        PixelsPerUnit = platform::TWorkbook::DefaultColumnPixels * 72.0 / 96.0 /
                        platform::TWorkbook::DefaultColumnWidth * (FScreen.PixelsPerInch / 72.0);
}

void TEReport::SetSheetName(const std::string &Name)
{
    Sheet().Name = Name;
}

double TEReport::PixelsToColumnWidth(int Pixels) const
{
    return Pixels / PixelsPerUnit + 2;
}

double TEReport::PixelsToPoints(int Pixels) const
{
    return Pixels / FScreen.PixelsPerInch * 72.0;
}

void TEReport::SetColumnWidth(int Pixels, int R1, int C1, int R2, int C2)
{
    Sheet().SetColumnWidth(Block(R1, C1, R2, C2), PixelsToColumnWidth(Pixels));
}

void TEReport::SetRowHeight(int Pixels, int R1, int C1, int R2, int C2)
{
    Sheet().SetRowHeight(Block(R1, C1, R2, C2), PixelsToPoints(Pixels));
}

void TEReport::SetWrapText(bool Wrap, int R1, int C1, int R2, int C2)
{
    Sheet().Format(Block(R1, C1, R2, C2), [Wrap](platform::TCellStyle &S) { S.WrapText = Wrap; });
}

void TEReport::SetHorizontalAlignment(int Align, int R1, int C1, int R2, int C2)
{
    const platform::THorzAlign align = Align == xlLeft     ? platform::THorzAlign::Left
                                       : Align == xlCenter ? platform::THorzAlign::Center
                                       : Align == xlRight  ? platform::THorzAlign::Right
                                                           : platform::THorzAlign::General;
    Sheet().Format(Block(R1, C1, R2, C2), [align](platform::TCellStyle &S) { S.HorzAlign = align; });
}

void TEReport::SetVerticalAlignment(int Align, int R1, int C1, int R2, int C2)
{
    const platform::TVertAlign align =
        Align == xlCenter ? platform::TVertAlign::Center : platform::TVertAlign::Bottom;
    Sheet().Format(Block(R1, C1, R2, C2), [align](platform::TCellStyle &S) { S.VertAlign = align; });
}

void TEReport::SetNumberFormat(const std::string &Format, int R1, int C1, int R2, int C2)
{
    Sheet().Format(Block(R1, C1, R2, C2), [&Format](platform::TCellStyle &S) { S.NumberFormat = Format; });
}

void TEReport::SetInteriorColor(TColor Color, int R1, int C1, int R2, int C2)
{
    const uint32_t fill = FileColor(FScreen.ToRGB(Color));
    Sheet().Format(Block(R1, C1, R2, C2), [fill](platform::TCellStyle &S) { S.Fill = fill; });
}

void TEReport::SetFontName(const std::string &Name, int R1, int C1, int R2, int C2)
{
    Sheet().Format(Block(R1, C1, R2, C2), [&Name](platform::TCellStyle &S) { S.FontName = Name; });
}

void TEReport::SetFontSize(int Points, int R1, int C1, int R2, int C2)
{
    Sheet().Format(Block(R1, C1, R2, C2), [Points](platform::TCellStyle &S) { S.FontSize = Points; });
}

void TEReport::SetFontBold(int R1, int C1, int R2, int C2)
{
    Sheet().Format(Block(R1, C1, R2, C2), [](platform::TCellStyle &S) { S.Bold = true; });
}

void TEReport::SetBorders(int Index, int Weight, TColor Color, int R1, int C1, int R2, int C2)
{
    platform::TBorderPart part;
    switch (Index) {
    case xlEdgeLeft:
        part = platform::TBorderPart::EdgeLeft;
        break;
    case xlEdgeTop:
        part = platform::TBorderPart::EdgeTop;
        break;
    case xlEdgeRight:
        part = platform::TBorderPart::EdgeRight;
        break;
    case xlEdgeBottom:
        part = platform::TBorderPart::EdgeBottom;
        break;
    case xlInsideVertical:
        part = platform::TBorderPart::InsideVertical;
        break;
    case xlInsideHorizontal:
        part = platform::TBorderPart::InsideHorizontal;
        break;
    default:
        return;
    }
    const platform::TBorderLine line{Weight == xlMedium ? platform::TBorderWeight::Medium
                                                        : platform::TBorderWeight::Thin,
                                     FileColor(FScreen.ToRGB(Color))};
    Sheet().SetBorder(Block(R1, C1, R2, C2), part, line);
}

bool TEReport::Stopped(const TMyThread &Thread)
{
    if (!Thread.GetTerminated())
        return false;
    State = 3;
    return true;
}

bool TEReport::Step(const TMyThread &Thread, TProgress &Progress, int Delta)
{
    Progress.Advance(Delta);
    return Stopped(Thread);
}

bool TEReport::FormatSteps(const TMyThread &Thread, TProgress &Progress,
                           std::initializer_list<std::function<void()>> Formats)
{
    for (const auto &format : Formats) {
        format();
        if (Step(Thread, Progress, StepOfFormat))
            return false;
    }
    return true;
}

void TEReport::WriteHeader(int FirstRow, const std::string &Text)
{
    const TStrArray lines = SplitStr(Text, '#');
    if (lines.empty())
        return;
    for (size_t i = 0; i < lines.size(); ++i)
        Sheet().SetText(FirstRow + int(i) - 1, 1, lines[i]);
    const int lastRow = FirstRow + int(lines.size()) - 1;
    SetFontBold(FirstRow, 2, lastRow, 2);
    SetFontName("Courier New", FirstRow, 2, lastRow, 2);
    SetFontSize(10, FirstRow, 2, lastRow, 2);
    SetRowHeight(LineHeight, FirstRow, 2, lastRow, 2);
    SetNumberFormat(TextFormat, FirstRow, 2, lastRow, 2);
}

void TEReport::WriteTextCell(int Row, int Col, const std::string &Text)
{
    Sheet().SetText(Row - 1, Col - 1, Text);
    SetNumberFormat(TextFormat, Row, Col, 0, 0);
}

bool TEReport::WriteBlockBorders(int FirstRow, int FirstCol, int LastRow, int LastCol,
                                 const TMyThread &Thread, TProgress &Progress)
{
    struct Border {
        int Index;
        int Weight;
        TColor Color;
    };
    static constexpr Border borders[] = {
        {xlInsideVertical, xlThin, clGray}, {xlInsideHorizontal, xlThin, clGray},
        {xlEdgeLeft, xlMedium, clBlack},    {xlEdgeTop, xlMedium, clBlack},
        {xlEdgeRight, xlMedium, clBlack},   {xlEdgeBottom, xlMedium, clBlack}};
    for (const Border &b : borders) {
        SetBorders(b.Index, b.Weight, b.Color, FirstRow, FirstCol, LastRow, LastCol);
        if (Step(Thread, Progress, StepOfFormat))
            return false;
    }
    SetBorders(xlEdgeBottom, xlMedium, clBlack, FirstRow, FirstCol, FirstRow, LastCol);
    return !Step(Thread, Progress, StepOfFormat);
}

void TEReport::WriteGrid(int FirstRow, int FirstCol, const TReportGrid &Grid, const TMyThread &Thread,
                         TProgress &Progress)
{
    const int colCount = Grid.ColCount();
    const int lastCol = FirstCol + colCount - 1;
    const int lastRow = FirstRow + Grid.RowCount() - 1;
    const auto step = [&](int Delta) { return Step(Thread, Progress, Delta); };

    if (!FormatSteps(Thread, Progress,
                     {[&] {
                          SetColumnWidth(MarginPixels, 1, 1, 0, 0);
                          SetRowHeight(Grid.DefaultRowHeight, FirstRow, FirstCol, lastRow, lastCol);
                      },
                      [&] { SetWrapText(Grid.WordWrap, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetFontName(GridFont, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetFontSize(8, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetVerticalAlignment(xlCenter, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetHorizontalAlignment(xlRight, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetNumberFormat(TextFormat, FirstRow, FirstCol, lastRow, lastCol); }}))
        return;

    for (int r = 0; r < Grid.RowCount(); ++r)
        for (int c = 0; c < colCount; ++c) {
            Sheet().SetText(FirstRow + r - 1, FirstCol + c - 1, Grid.Text(r, c));
            if (step(1))
                return;
        }

    for (int c = 0; c < colCount; ++c) {
        const int col = FirstCol + c;
        const TReportColumn &column = Grid.Columns[size_t(c)];
        if (column.FontName != GridFont)
            SetFontName(column.FontName, FirstRow, col, lastRow, col);
        if (column.Bold)
            SetFontBold(FirstRow, col, lastRow, col);
        if (column.Align == alLeft || column.Align == alDefault)
            SetHorizontalAlignment(xlLeft, FirstRow, col, lastRow, col);
        else if (column.Align == alCenter)
            SetHorizontalAlignment(xlCenter, FirstRow, col, lastRow, col);
        if (column.Fixed) {
            SetInteriorColor(Grid.FixedColor, FirstRow, col, lastRow, col);
            SetFontBold(FirstRow, col, lastRow, col);
        }
        SetColumnWidth(column.Width, FirstRow, col, lastRow, col);
        if (step(StepOfFormat))
            return;
    }

    if (!WriteBlockBorders(FirstRow, FirstCol, lastRow, lastCol, Thread, Progress))
        return;

    // The header row.
    FormatSteps(Thread, Progress,
                {[&] { SetRowHeight(Grid.HeaderHeight, FirstRow, FirstCol, FirstRow, lastCol); },
                 [&] { SetInteriorColor(clBtnFace, FirstRow, FirstCol, FirstRow, lastCol); },
                 [&] { SetFontBold(FirstRow, FirstCol, FirstRow, lastCol); },
                 [&] { SetHorizontalAlignment(xlCenter, FirstRow, FirstCol, FirstRow, lastCol); },
                 [&] { SetWrapText(true, FirstRow, FirstCol, FirstRow, lastCol); }});
}

void TEReport::WriteSystem(int FirstRow, int FirstCol, const TSystem &System, const TMyThread &Thread,
                           TProgress &Progress, const std::array<int, 2> &Widths, bool Numbers)
{
    const int count = System.ViewCount();
    const int lastRow = FirstRow + count;
    const int lastCol = FirstCol + 1;
    const auto step = [&](int Delta) { return Step(Thread, Progress, Delta); };

    if (!FormatSteps(Thread, Progress,
                     {[&] {
                          SetColumnWidth(MarginPixels, 1, 1, 0, 0);
                          SetRowHeight(LineHeight, 1, FirstCol, lastRow, lastCol);
                      },
                      [&] { SetWrapText(true, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] {
                          // The header row keeps the workbook's font, also when no combination follows it.
                          if (count > 0)
                              SetFontName("Courier New", FirstRow + 1, FirstCol, lastRow, lastCol);
                      },
                      [&] { SetFontSize(8, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetVerticalAlignment(xlCenter, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetHorizontalAlignment(xlCenter, FirstRow, FirstCol, lastRow, lastCol); },
                      [&] { SetNumberFormat(TextFormat, FirstRow, FirstCol, lastRow, lastCol); }}))
        return;

    Sheet().SetText(FirstRow - 1, FirstCol - 1, "Lp");
    Sheet().SetText(FirstRow - 1, FirstCol, "Kombinacja");
    std::string comb;
    for (int i = 1; i <= count; ++i) {
        Sheet().SetText(FirstRow + i - 1, FirstCol - 1, std::to_string(i));
        CombToStr(System.GetComb(i - 1, Numbers), uint8_t(System.K), "%2d ", comb);
        Sheet().SetText(FirstRow + i - 1, FirstCol, comb);
        if (step(1))
            return;
    }

    if (!FormatSteps(Thread, Progress,
                     {[&] { SetColumnWidth(Widths[0], FirstRow, FirstCol, 0, 0); },
                      [&] { SetColumnWidth(Widths[1], FirstRow, lastCol, 0, 0); }}))
        return;

    if (!WriteBlockBorders(FirstRow, FirstCol, lastRow, lastCol, Thread, Progress))
        return;

    // The header row.
    FormatSteps(Thread, Progress,
                {[&] { SetInteriorColor(clBtnFace, FirstRow, FirstCol, FirstRow, lastCol); },
                 [&] { SetFontBold(FirstRow, FirstCol, FirstRow, lastCol); },
                 [&] { SetHorizontalAlignment(xlCenter, FirstRow, FirstCol, FirstRow, lastCol); }});
}

std::string TEReport::ReportFileName() const
{
    const std::string stem =
        TempDir + "Raport-" +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")).toStdString();
    std::string name = stem + ".xlsx";
    std::error_code error;
    for (int n = 2; std::filesystem::exists(name, error); ++n)
        name = stem + "-" + std::to_string(n) + ".xlsx";
    return name;
}

void TEReport::ShowExcel()
{
    if (!FWorkbook || State == 3)
        return;
    std::error_code error;
    std::filesystem::create_directories(TempDir, error);
    FileName = ReportFileName();
    Written = platform::writeXlsx(*FWorkbook, FileName);
    FWorkbook.reset();
}

void TEReport::CloseExcel()
{
    FWorkbook.reset();
}

int64_t ReportProgressTotal(const TReportGrid &Grid)
{
    const int64_t cols = Grid.ColCount();
    return StepOfFormat * (FormatSteps + cols) + cols * Grid.RowCount();
}
