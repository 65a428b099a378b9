#pragma once
// Play-slip layouts: where, in millimetres, the boxes of a game's play slip lie, read from the layout
// files of "Blanc/", and the printing of black marks into those boxes on the installed printer.
//
// A layout file (kind fkSlipLayout) is the common header with the game's id and the layout's id, the
// 128-byte name, the box, gap and mark sizes, the panels, up to three extra grids, the marker, the
// caption's place and the checksum. X runs across the page and Y down it; a slip's rows advance toward
// negative X from their panel's offset.

#include "core/UGeneralList.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct TGameInfo;

// The printer's pixels per millimetre across and down the paper, from ComputePrinterScale.
extern double PxPerMmX;
extern double PxPerMmY;
void ComputePrinterScale();
// The length in printer pixels, rounded to the nearest whole pixel, halves to even.
int MmToPxX(double Mm);
int MmToPxY(double Mm);

// A place in millimetres.
struct TMmPoint {
    double X = 0;
    double Y = 0;
};

// A grid of boxes for the values Low..High (bet size, number of draws, stake).
struct TExtraGrid {
    bool Present = false;
    uint8_t PerRow = 0;
    uint8_t FirstCol = 0;
    uint8_t Low = 0;
    uint8_t High = 0;
    double OffsetX = 0;
    double OffsetY = 0;
    std::vector<TMmPoint> Cells; // [value - Low]
};

class TPrintForm {
public:
    TPrintForm(const TGameInfo *AGame, uint8_t AFormId);

    // False when the file cannot be read or its layout is refused (see LoadFromBytes).
    bool LoadFromFile(const std::string &FileName);
    // The layout from a whole file's bytes; header and checksum are the caller's to check. Refused: a
    // file shorter or longer than its fields, no panel, a main or present extra grid with no box per
    // row, an extra grid whose High is below its Low, or a length that is no number or beyond 1000 mm.
    bool LoadFromBytes(std::span<const uint8_t> Bytes);

    void SetOrigin(double X, double Y);

    // The drawing goes to the installed printer's job, which the caller has begun.
    void DrawMark(double X, double Y);
    void DrawCell(int Panel, int Number);
    void DrawComb(int Panel, const uint8_t *Numbers, int Count);
    void DrawGrid1Cell(int Value);
    void DrawGrid2Cell(int Value);
    void DrawGrid3Cell(int Value);
    void DrawMarker();
    // A + "(" + B + "-" + C + ")" at the caption's place.
    void DrawCaption(int A, int B, int C);
    // A job of one page: every box of every panel and extra grid, the marker and 9999(99999-99999);
    // false when the printer does not start it.
    bool TestPrint();

    // The place of the mark of the marker.
    TMmPoint MarkerPoint() const;
    // The places of every mark of the test page: panels by numbers, the present grids, the marker.
    std::vector<TMmPoint> AllMarkPoints() const;

    const TGameInfo *Game;
    uint8_t FormId;
    std::string Name;
    double CellSizeY = 0;
    double CellSizeX = 0;
    double GapY = 0;
    double GapX = 0;
    double MarkSizeX = 0;
    double MarkSizeY = 0;
    uint8_t PanelCount = 0;
    uint8_t PerRow = 0;
    uint8_t FirstCol = 0;
    std::vector<TMmPoint> Cells;  // [number - 1], numbers 1..the game's highest
    std::vector<TMmPoint> Panels; // [panel - 1]
    TExtraGrid Grid1;             // bet size
    TExtraGrid Grid2;             // number of draws
    TExtraGrid Grid3;             // stake
    bool HasMarker = false;
    double MarkerX = 0;
    double MarkerY = 0;
    double CaptionX = 0;
    double CaptionY = 0;
    int32_t OriginX = 0;
    int32_t OriginY = 0;

private:
    // Count places of boxes, row by row of PerRow columns from column FirstCol, shifted by the offset.
    std::vector<TMmPoint> BoxPlaces(int Count, int RowLength, int StartCol, double OffsetX, double OffsetY) const;
    void DrawGridCell(const TExtraGrid &Grid, int Value);
};

// The layouts of one game, ascending by id.
class TPrintForms : public TGeneralList<TPrintForm> {
public:
    explicit TPrintForms(std::string AFolder = {});

    // Empties the list, then takes every file of Folder (by name) whose checksum, version, game id and
    // kind fit, skipping ids already taken and layouts that do not load.
    void LoadForGame(const TGameInfo &Game);
    TPrintForm *GetForm(int Index) const { return GetItem(Index); }

    static int CompareId(const TPrintForm *Key, const TPrintForm *Item, int Param);

    std::string Folder;
};

// The layouts of the game of the last print; empty until then.
extern TPrintForms PrintForms;
