#pragma once
// The random abbreviated system: Count distinct K-combinations of 1..N drawn with the program's own
// generator. The rows are stored in the order drawn; the index lists them by their numbers.

#include "engine/RankSet.h"
#include "engine/USysGeneral.h"

#include <cstdint>

class TMyThread;

class TSysRnd : public TSystem {
public:
    explicit TSysRnd(const TGameData *Game);

    // N, K and Count; the key 1..N; the store emptied.
    void SetParams(int NewN, int NewK, int32_t NewCount);
    // Draws Count distinct combinations. False, with the store empty, when K is not within 1..N, C(N, K)
    // does not fit in 63 bits or Count is not within 0..C(N, K); false, with the store empty, too when
    // Thread (polled every 1001 draws, every few thousand rows scanned by the sort by numbers, and once
    // more at the end) is asked to stop.
    bool Generate(const TMyThread *Thread = nullptr);

    void SaveParams(platform::ByteWriter &Stream) const override;
    // False too when Count is above C(N, K).
    bool LoadParams(platform::ByteReader &Stream) override;
    void Assign(const TSystem &Source) override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;

private:
    // One draw: each place drawn again while it repeats an earlier place, then sorted. Appends the row
    // and answers true when it was not drawn before.
    bool drawRow();

    static constexpr int PollInterval = 1001;

    TDynByteArr Comb;
    TRankSet Drawn; // ranks of the rows drawn so far
};
