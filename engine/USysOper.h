#pragma once
// The logical operations on systems of one game: intersection, union, difference, composition and
// complement. An operation counts its result (ResultCount) and, when asked to build, makes it a new user
// system (Result); after Finish the caller takes Result over.
//
// The shown rows of every source must be in ascending order of their numbers, the order a system keeps.
// The merge search relies on it, which makes intersection and difference multiset operations: a row held
// twice by every source is kept twice, a row held twice by A and once by B is left once by A - B. Union
// keeps repeats.
//
// Every operation may run in a worker: it polls Thread's stop every 1001 items and reports through
// Progress. A stopped operation answers false and leaves no Result and a ResultCount of 0.

#include "core/UGlobalProgress.h"
#include "engine/USysUser.h"

#include <cstdint>
#include <memory>
#include <vector>

struct TGameData;
class TMyThread;
class TSystem;

enum TSysOperation : uint8_t {
    soIntersect = 0,
    soUnion = 1,
    soDifference = 2,
    soCompose = 3,
    soComplement = 4,
};

class TSysOper {
public:
    explicit TSysOper(TProgressProc OnProgress);

    // The game of the sources; forgets the scan positions. Called before each operation.
    void Reset(const TGameData *NewGame);

    // Every operation answers false, with no Result and a ResultCount of 0, when it refuses its sources
    // (none, one of another game, or without numbers) or is stopped.

    // The rows of the first source found in every other one. Refuses sources of different K.
    bool Intersect(const std::vector<const TSystem *> &Systems, bool Build,
                   const TMyThread *Thread = nullptr);
    // Every shown row of every source, in source order, until ResultCount reaches Limits.MaxComb. Refuses
    // sources of different K.
    bool Union(const std::vector<const TSystem *> &Systems, bool Build, const TMyThread *Thread = nullptr);
    // The rows of A not found in B. Refuses sources of different K.
    bool Difference(const TSystem &A, const TSystem &B, bool Build, const TMyThread *Thread = nullptr);
    // Every way of taking one shown row from each source, the last source varying fastest, joined; a
    // tuple whose rows share a number is dropped. At most 2,147,483,647 tuples are visited, and the
    // operation ends when ResultCount reaches Limits.MaxComb. Refuses sources whose sizes add up to more
    // than the game's numbers.
    bool Compose(const std::vector<const TSystem *> &Systems, bool Build, const TMyThread *Thread = nullptr);
    // The K-combinations of A's numbers (its key, ascending), in lexicographic order, that A does not
    // show. ResultCount is their number (at most 2^32 - 1); when it exceeds Limits.MaxComb nothing is
    // built and the answer is false.
    bool Complement(const TSystem &A, bool Build, const TMyThread *Thread = nullptr);
    // Sorts the union's and the composition's Result by numbers and shows all its rows. The sort polls
    // the operation's thread every few thousand rows scanned: a stop then ends it as an operation does,
    // false without a Result. False too without a Result.
    bool Finish();

    // From shown row Pos of S on, the merge search for the K numbers C: true with Pos past the first row
    // equal to C; false with Pos on the first row greater than C, or past the last row.
    static bool FindInSorted(const uint8_t *C, const TSystem &S, int32_t &Pos);

    const TGameData *Game = nullptr;
    int SourceCount = 0;
    std::vector<int32_t> SeekPos; // per source, where its merge search goes on
    uint8_t Operation = soIntersect;
    TProgress Progress;
    std::unique_ptr<TSysUser> Result;
    uint32_t ResultCount = 0;

private:
    // Starts an operation on Systems; false when they are refused.
    bool start(TSysOperation Op, const std::vector<const TSystem *> &Systems, bool SameK,
               const TMyThread *NewThread);
    void newResult(int K);
    // Counts one more row of the result and, when building, appends it.
    void keep(const uint8_t *C);
    // Items more handled: progress, and every 1001 items the stop. False when asked to stop.
    bool advance(int64_t Items);
    // Ends a stopped operation: false.
    bool stop();

    const TMyThread *Thread = nullptr;
    int64_t SinceCheck = 0;
};
