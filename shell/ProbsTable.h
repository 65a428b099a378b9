#pragma once
// The winning-probabilities table of a game: which numbers of picks and hit degrees it shows, and the
// odds and probability of each cell.

#include <string>

struct TGameInfo;

struct TProbsRange {
    int MinPicks = 0;
    int MaxPicks = 0;
    // The lowest degree shown: the smallest lowest winning degree over the picks, at most MaxPicks.
    int Low = 0;
};

// Picks from the simple bet to the largest size of the level tables; with systems, up to the size
// before the multi-bets.
TProbsRange ProbsRange(const TGameInfo &G);

// The cell of P picks with H hits in a game of Drawn numbers of 1..N: "1 : <odds> = " and, on a second
// line, the probability with ten decimals, or "<0.0000000001" below 1e-10. Empty where H hits cannot
// occur or win (below LowDeg, above P or Drawn, or P - H above N - Drawn).
std::string ProbsCellText(int N, int Drawn, int LowDeg, int P, int H);
