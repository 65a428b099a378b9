#pragma once
// Maps a job of Total steps onto the positions MinPos..MaxPos of a progress bar and reports a position only
// when it has moved on by Step (100, 10 or 1 by the size of the job), so a worker never floods the GUI.

#include <cstdint>
#include <functional>

using TProgressProc = std::function<void(int32_t Position, int32_t Step)>;

class TProgress {
public:
    void Init(double MaxPos, int64_t Total, double MinPos);
    // Counts Delta more steps done (only while Enabled) and reports the position when due.
    void Advance(int32_t Delta);

    double Pos = 0;
    double LastPos = 0;
    double Ratio = 0;
    TProgressProc OnProgress;
    int32_t Step = 100;
    int32_t MinPos = 0;
    int32_t MaxPos = 0;
    bool Enabled = true;
    int64_t Done = 0;
    int64_t Total = 0;
};
