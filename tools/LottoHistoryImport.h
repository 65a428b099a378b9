#pragma once
// The real draw history of the 6-of-49 Lotto, as the project keeps it ("N. DD.MM.YYYY a,b,c,d,e,f",
// one draw per line), turned into the draws file the program ships.

#include "core/DateTime.h"

#include <string>

class TDrawsManager;

// From this date on every date of the history carries exactly one draw.
TDateTime LottoHistoryStart();

// Adds to Manager the draws of the history file dated on or after FromDate; the numbers must fit the
// manager's game. Throws std::runtime_error, naming the file and the line, when the file cannot be read,
// a line breaks the layout, the ordinals do not run on by one, or two draws from FromDate on share a date.
void ImportLottoHistory(const std::string &FileName, TDateTime FromDate, TDrawsManager &Manager);

// Writes DrawsFile, in the draws file's own layout, from the history's draws since LottoHistoryStart
// for a game of 6 numbers out of 49. Throws std::runtime_error as ImportLottoHistory, or when DrawsFile
// cannot be written.
void MakeLottoDraws(const std::string &HistoryFile, const std::string &DrawsFile);
