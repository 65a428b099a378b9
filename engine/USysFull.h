#pragma once
// The full system: every K-combination of N numbers. When C(N, K) exceeds Limits.MaxComb it keeps no
// rows (too-many mode): marking by a filter set enumerates the combinations in one buffer and keeps
// aside those the set keeps, at most Limits.MaxComb of them, which applying the set or deleting the rest
// installs as the system's rows.

#include "engine/USysGeneral.h"

#include <cstdint>
#include <string>

class TSysFull : public TSystem {
public:
    explicit TSysFull(const TGameData *Game);

    // N and K; TooMany := C(N, K) > Limits.MaxComb; the key 1..N; the store and Results emptied.
    void SetParams(int NewN, int NewK);
    // Every combination in lexicographic order, over the key 1..N; Count := C(N, K). False, with the
    // store empty, in too-many mode or when K is not within 1..N.
    bool Generate();

    // C(N, K) in too-many mode, else the live rows.
    int64_t GetCount() const override;
    // K, N and the live rows as i64.
    void SaveParams(platform::ByteWriter &Stream) const override;
    bool LoadParams(platform::ByteReader &Stream) override;
    void Assign(const TSystem &Source) override;
    std::string GetName(bool Short) const override;
    std::string GetDescription(bool Short) const override;
    void Clear() override;
    // In too-many mode: every combination through the key, tested in lexicographic order; Results keeps
    // those the set keeps (those that pass when its FindType is set, else those that fail), marked
    // cfMarked when they passed, unless more than Limits.MaxComb are kept; answers how many passed. A
    // stop (polled every 1001 combinations) or a failing set leaves Results empty.
    int64_t MarkByFilter(TGroupFilter &FilterSet, const TMyThread &Thread,
                         const TProgressProc &OnProgress) override;
    // In too-many mode: every combination through the key, in lexicographic order.
    void CollectEFilters(const TEFilters &EFilters, TGroupFilter *GroupFilter, const TMyThread &Thread,
                         const TProgressProc &OnProgress) override;
    // In too-many mode the rows become those of Results first.
    void SetFilter(const TGroupFilter &FilterSet) override;
    void DropMarks() override;
    // In too-many mode the rows become those of Results and the system leaves the mode.
    void DeleteByFilter(const TGroupFilter &FilterSet) override;

    TCombList Results; // what the last marking kept in too-many mode

private:
    // The store := Results (numbers sorted when the key is not ascending); Results emptied; the view.
    void takeResults();

    TDynByteArr Comb;   // positions of the current combination
    TDynByteArr Mapped; // the same through the key
};
