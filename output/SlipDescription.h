#pragma once
// The readable description of a play-slip layout from which the shipped layout files are made.
//
// One "Field = value" per line; blank lines and lines starting with '#' are skipped; lengths are in
// millimetres with a decimal point. Fields: Game (the name of the game's description in the games
// description folder, which gives the game's id and highest number), Id (the layout's id), Name,
// CellSizeX, CellSizeY, GapX, GapY, MarkSizeX, MarkSizeY, PerRow, FirstCol, "Panel 1" .. "Panel n"
// ("X Y", one line per panel, numbered from 1 without gaps), optional "Grid 1" .. "Grid 3" ("PerRow
// FirstCol Low High X Y"), optional Marker ("X Y") and Caption ("X Y").

#include "core/DynArrays.h"

#include <filesystem>
#include <string>
#include <string_view>

class TPrintForm;

// The A4 page that a layout at margins 0 must not leave, in millimetres.
constexpr double SlipPageWidth = 210;
constexpr double SlipPageHeight = 297;

// An empty text when Text describes a layout the program reads, whose boxes lie on the page without
// overlapping and hold their marks; Bytes then holds the layout file. Otherwise "line N: ..." or what
// is wrong.
std::string SlipLayoutBytes(std::string_view Text, const std::filesystem::path &GamesFolder, TDynByteArr &Bytes);

// What is wrong with a loaded layout's boxes: a mark larger than its box, a box off the A4 page at
// margins 0, two boxes overlapping; an empty text when nothing is.
std::string SlipBoxesFault(const TPrintForm &Form);

// Reads the description, refuses it as SlipLayoutBytes does, writes the layout file. Answers an empty
// text or what went wrong.
std::string MakeSlipFile(const std::filesystem::path &Description, const std::filesystem::path &GamesFolder,
                         const std::filesystem::path &Output);
