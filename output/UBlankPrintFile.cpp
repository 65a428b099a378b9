// Reading slip layouts from their files, and the list of one game's layouts.
#include "output/UBlankPrint.h"

#include "core/DynArrays.h"
#include "core/UGlobalFiles.h"
#include "engine/UGame.h"
#include "platform/ByteStream.h"

#include <cmath>
#include <filesystem>
#include <memory>

TPrintForms PrintForms;

namespace {

constexpr size_t NameSize = 128;
// The largest length a layout may give; a slip is far smaller.
constexpr double MaxLength = 1000;

bool ReadLength(platform::ByteReader &In, double &Value)
{
    return In.get(Value) && std::isfinite(Value) && std::fabs(Value) <= MaxLength;
}

bool ReadPoint(platform::ByteReader &In, TMmPoint &Point)
{
    return ReadLength(In, Point.X) && ReadLength(In, Point.Y);
}

bool ReadGridFrame(platform::ByteReader &In, TExtraGrid &Grid)
{
    uint8_t present = 0;
    if (!In.get(present))
        return false;
    Grid.Present = present != 0;
    if (!Grid.Present)
        return true;
    return In.get(Grid.PerRow) && In.get(Grid.FirstCol) && In.get(Grid.Low) && In.get(Grid.High) &&
           ReadLength(In, Grid.OffsetX) && ReadLength(In, Grid.OffsetY) && Grid.PerRow != 0 &&
           Grid.High >= Grid.Low;
}

} // namespace

bool TPrintForm::LoadFromFile(const std::string &FileName)
{
    TDynByteArr bytes;
    return readFileBytes(FileName, bytes) && LoadFromBytes(bytes);
}

bool TPrintForm::LoadFromBytes(std::span<const uint8_t> Bytes)
{
    if (Bytes.size() < FileHeaderSize + CRCSize)
        return false;
    platform::ByteReader in(Bytes.first(Bytes.size() - CRCSize));
    in.skip(FileHeaderSize);
    if (!in.getZeroTerminated(Name, NameSize))
        return false;
    for (double *length : {&CellSizeY, &CellSizeX, &GapY, &GapX, &MarkSizeX, &MarkSizeY})
        if (!ReadLength(in, *length))
            return false;
    if (!in.get(PanelCount) || !in.get(PerRow) || !in.get(FirstCol) || PanelCount == 0 || PerRow == 0)
        return false;
    Panels.assign(PanelCount, TMmPoint());
    for (TMmPoint &panel : Panels)
        if (!ReadPoint(in, panel))
            return false;
    for (TExtraGrid *grid : {&Grid1, &Grid2, &Grid3})
        if (!ReadGridFrame(in, *grid))
            return false;
    uint8_t marker = 0;
    if (!in.get(marker))
        return false;
    HasMarker = marker != 0;
    if (HasMarker && !(ReadLength(in, MarkerX) && ReadLength(in, MarkerY)))
        return false;
    if (!ReadLength(in, CaptionX) || !ReadLength(in, CaptionY) || !in.atEnd())
        return false;

    Cells = BoxPlaces(Game->MaxNumber, PerRow, FirstCol, 0, 0);
    for (TExtraGrid *grid : {&Grid1, &Grid2, &Grid3})
        if (grid->Present)
            grid->Cells = BoxPlaces(grid->High - grid->Low + 1, grid->PerRow, grid->FirstCol, grid->OffsetX,
                                    grid->OffsetY);
    return true;
}

TPrintForms::TPrintForms(std::string AFolder) : Folder(std::move(AFolder))
{
    Compare = CompareId;
    SortParam = 1;
}

int TPrintForms::CompareId(const TPrintForm *Key, const TPrintForm *Item, int Param)
{
    return (int(Key->FormId) - int(Item->FormId)) * Param;
}

void TPrintForms::LoadForGame(const TGameInfo &Game)
{
    Clear();
    TStrArray names;
    ListFiles((std::filesystem::path(Folder) / "*.*").string(), names);
    for (const std::string &name : names) {
        const std::string fileName = (std::filesystem::path(Folder) / name).string();
        TDynByteArr bytes;
        if (!readFileBytes(fileName, bytes) || !hasValidCRC(bytes) || bytes.size() < FileHeaderSize ||
            !IsCurrentVersion(bytes) || bytes[3] != Game.Id || bytes[4] != fkSlipLayout)
            continue;
        auto form = std::make_unique<TPrintForm>(&Game, bytes[5]);
        if (Exists(form.get()) || !form->LoadFromBytes(bytes))
            continue;
        AddItem(form.release(), false);
    }
}
