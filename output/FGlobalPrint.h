#pragma once
// The print entry of the system windows: a system printed onto its game's play slips.

struct TGameData;
class TSystem;

// Refuses with a message when no printer is installed or the game has no slip layout; otherwise loads
// the game's layouts into PrintForms and shows the slip-printing window on the system.
void PrintSystem(const TGameData *Game, TSystem *System);
