// The geometry of a slip layout and its drawing on the printer.
#include "output/UBlankPrint.h"

#include "engine/UGame.h"
#include "platform/gui/Printer.h"

#include <QPoint>
#include <QRect>
#include <QString>

#include <cmath>

double PxPerMmX = 0;
double PxPerMmY = 0;

namespace {

double Scale(int Pixels, double Millimetres)
{
    return Millimetres > 0 ? Pixels / Millimetres : 0;
}

// Halves to even under the default rounding mode; kept far inside the range of int.
int RoundPixels(double Pixels)
{
    constexpr double limit = 1e9;
    if (!std::isfinite(Pixels))
        return 0;
    return int(std::nearbyint(std::fmax(-limit, std::fmin(limit, Pixels))));
}

} // namespace

void ComputePrinterScale()
{
    const platform::TPrinter &printer = platform::Printer();
    PxPerMmX = Scale(printer.PageWidth(), printer.HorzSize());
    PxPerMmY = Scale(printer.PageHeight(), printer.VertSize());
}

int MmToPxX(double Mm)
{
    return RoundPixels(PxPerMmX * Mm);
}

int MmToPxY(double Mm)
{
    return RoundPixels(PxPerMmY * Mm);
}

TPrintForm::TPrintForm(const TGameInfo *AGame, uint8_t AFormId) : Game(AGame), FormId(AFormId) {}

std::vector<TMmPoint> TPrintForm::BoxPlaces(int Count, int RowLength, int StartCol, double OffsetX,
                                            double OffsetY) const
{
    std::vector<TMmPoint> places;
    places.reserve(size_t(Count));
    int r = 0;
    int c = StartCol - 1;
    for (int i = 0; i < Count; ++i) {
        places.push_back({OffsetX - ((CellSizeX + GapX) * r + (CellSizeX - MarkSizeX) / 2),
                          CellSizeY / 2 + OffsetY + (CellSizeY + GapY) * c});
        if ((c + 1) % RowLength == 0) {
            ++r;
            c = 0;
        } else {
            ++c;
        }
    }
    return places;
}

TMmPoint TPrintForm::MarkerPoint() const
{
    return {MarkerX - (CellSizeX - MarkSizeX) / 2, CellSizeY / 2 + MarkerY};
}

std::vector<TMmPoint> TPrintForm::AllMarkPoints() const
{
    std::vector<TMmPoint> points;
    for (const TMmPoint &panel : Panels)
        for (const TMmPoint &cell : Cells)
            points.push_back({cell.X + panel.X, cell.Y + panel.Y});
    for (const TExtraGrid *grid : {&Grid1, &Grid2, &Grid3})
        if (grid->Present)
            points.insert(points.end(), grid->Cells.begin(), grid->Cells.end());
    if (HasMarker)
        points.push_back(MarkerPoint());
    return points;
}

void TPrintForm::SetOrigin(double X, double Y)
{
    OriginX = MmToPxX(X);
    OriginY = MmToPxY(Y);
}

void TPrintForm::DrawMark(double X, double Y)
{
    const int px = MmToPxX(X) + OriginX;
    const int py = MmToPxY(Y) + OriginY;
    const int h = MmToPxY(MarkSizeY) / 2;
    const int w = MmToPxX(MarkSizeX);
    platform::Printer().FillMark(QRect(px - w, py - h, w, 2 * h));
}

void TPrintForm::DrawCell(int Panel, int Number)
{
    const TMmPoint &cell = Cells[size_t(Number - 1)];
    const TMmPoint &panel = Panels[size_t(Panel - 1)];
    DrawMark(cell.X + panel.X, cell.Y + panel.Y);
}

void TPrintForm::DrawComb(int Panel, const uint8_t *Numbers, int Count)
{
    for (int i = 0; i < Count; ++i)
        DrawCell(Panel, Numbers[i]);
}

void TPrintForm::DrawGridCell(const TExtraGrid &Grid, int Value)
{
    const TMmPoint &cell = Grid.Cells[size_t(Value - Grid.Low)];
    DrawMark(cell.X, cell.Y);
}

void TPrintForm::DrawGrid1Cell(int Value)
{
    DrawGridCell(Grid1, Value);
}

void TPrintForm::DrawGrid2Cell(int Value)
{
    DrawGridCell(Grid2, Value);
}

void TPrintForm::DrawGrid3Cell(int Value)
{
    DrawGridCell(Grid3, Value);
}

void TPrintForm::DrawMarker()
{
    const TMmPoint point = MarkerPoint();
    DrawMark(point.X, point.Y);
}

void TPrintForm::DrawCaption(int A, int B, int C)
{
    platform::Printer().DrawCaption(QPoint(MmToPxX(CaptionX) + OriginX, MmToPxY(CaptionY) + OriginY),
                                    QStringLiteral("%1(%2-%3)").arg(A).arg(B).arg(C));
}

bool TPrintForm::TestPrint()
{
    platform::TPrinter &printer = platform::Printer();
    if (!printer.BeginDoc())
        return false;
    for (const TMmPoint &point : AllMarkPoints())
        DrawMark(point.X, point.Y);
    DrawCaption(9999, 99999, 99999);
    printer.EndDoc();
    return true;
}
