#pragma once
// The report object of a report job: worksheets with names, header lines, string grids with their
// formatting and systems as lists of combinations, written into a workbook held in memory; ShowExcel
// writes it into the temporary folder as an .xlsx file for the desktop to open, CloseExcel drops it.
//
// Rows and columns count from 1. A formatting operation acts on the block (R1, C1)..(R2, C2), R2 = 0
// meaning R1 and C2 = 0 meaning C1. A report runs on the report worker; what it needs of the screen is
// taken beforehand on the GUI thread (TReportScreen), and so are the grids it writes (TReportGrid).

#include "controls/Graphics.h"
#include "output/ReportGrid.h"
#include "platform/gui/Workbook.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

class TMyThread;
class TProgress;
class TSystem;

// The spreadsheet constants the operations take.
enum TXlHAlign : int { xlLeft = -4131, xlCenter = -4108, xlRight = -4152 };
enum TXlBordersIndex : int {
    xlEdgeLeft = 7,
    xlEdgeTop = 8,
    xlEdgeBottom = 9,
    xlEdgeRight = 10,
    xlInsideVertical = 11,
    xlInsideHorizontal = 12,
};
enum TXlBorderWeight : int { xlThin = 2, xlMedium = -4138 };

// The screen's resolution and the system colours as plain values, read on the GUI thread.
struct TReportScreen {
    double PixelsPerInch = 96;
    std::array<TColor, 32> SystemColors{};

    static TReportScreen Current();
    // The plain $00BBGGRR value of a colour, system colours looked up.
    TColor ToRGB(TColor Color) const;
};

class TEReport {
public:
    explicit TEReport(const TReportScreen &Screen);
    ~TEReport();

    // Screen pixels per unit of column width; 0 until the first SelectSheet measures it.
    double PixelsPerUnit = 0;
    // 3 once a stop request has been noticed.
    uint8_t State = 0;

    // A new workbook of one sheet.
    void Connect();
    // Adds sheets up to N, then selects sheet 1.
    void AddSheets(int N);
    void SelectSheet(int N);
    void SetSheetName(const std::string &Name);
    // Lines of Text each ended by "#" (text after the last one is dropped) into column B from FirstRow:
    // bold "Courier New" 10, rows 18 pixels high, text format.
    void WriteHeader(int FirstRow, const std::string &Text);
    void WriteTextCell(int Row, int Col, const std::string &Text);
    // The rows taken of a grid with its column fonts, alignments, widths, fixed colour, row heights and
    // borders. Steps: 10 per formatting step, 1 per cell; stops after any step once Thread is told to.
    void WriteGrid(int FirstRow, int FirstCol, const TReportGrid &Grid, const TMyThread &Thread,
                   TProgress &Progress);
    // "Lp" and "Kombinacja" over the visible combinations: numbers (Numbers) or positions. Widths of the
    // two columns in pixels. 190 + ViewCount steps.
    void WriteSystem(int FirstRow, int FirstCol, const TSystem &System, const TMyThread &Thread,
                     TProgress &Progress, const std::array<int, 2> &Widths, bool Numbers);
    // Writes the workbook into TempDir as "Raport-YYYYMMDD-HHMMSS.xlsx" (a free name); FileName is then
    // that path and Written whether the file was made. Nothing once a stop has been noticed.
    void ShowExcel();
    // Drops the workbook unwritten.
    void CloseExcel();
    // Thread was told to stop; State 3 then.
    bool Stopped(const TMyThread &Thread);

    std::string FileName;
    bool Written = false;

    double PixelsToColumnWidth(int Pixels) const;
    double PixelsToPoints(int Pixels) const;

    // ---- the formatting family: one property on one block ----
    void SetColumnWidth(int Pixels, int R1, int C1, int R2, int C2);
    void SetRowHeight(int Pixels, int R1, int C1, int R2, int C2);
    void SetWrapText(bool Wrap, int R1, int C1, int R2, int C2);
    void SetHorizontalAlignment(int Align, int R1, int C1, int R2, int C2);
    void SetVerticalAlignment(int Align, int R1, int C1, int R2, int C2);
    void SetNumberFormat(const std::string &Format, int R1, int C1, int R2, int C2);
    void SetInteriorColor(TColor Color, int R1, int C1, int R2, int C2);
    void SetFontName(const std::string &Name, int R1, int C1, int R2, int C2);
    void SetFontSize(int Points, int R1, int C1, int R2, int C2);
    void SetFontBold(int R1, int C1, int R2, int C2);
    void SetBorders(int Index, int Weight, TColor Color, int R1, int C1, int R2, int C2);

private:
    platform::TWorksheet &Sheet();
    static platform::TCellRange Block(int R1, int C1, int R2, int C2);
    // Progress.Advance(Delta), then whether the job is to stop.
    bool Step(const TMyThread &Thread, TProgress &Progress, int Delta);
    // Each format in turn, each followed by a format step; false when the job was stopped at one.
    bool FormatSteps(const TMyThread &Thread, TProgress &Progress, std::initializer_list<std::function<void()>> Formats);
    // The borders of a written block and its first row: thin grey inside, medium black around and under
    // the first row.
    bool WriteBlockBorders(int FirstRow, int FirstCol, int LastRow, int LastCol, const TMyThread &Thread,
                           TProgress &Progress);
    // A free name in TempDir for now.
    std::string ReportFileName() const;

    TReportScreen FScreen;
    std::unique_ptr<platform::TWorkbook> FWorkbook;
    int FSheet = 0;
};

// The steps WriteGrid makes on Grid: 10 x (19 + its columns) + its cells.
int64_t ReportProgressTotal(const TReportGrid &Grid);
