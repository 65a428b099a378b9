#pragma once
// The inputs on which a quicksort's pivot choice can go wrong, and an adversary that makes any input go
// wrong, for the tests that count a sort's comparisons against n log2 n.

#include <cmath>
#include <string>
#include <vector>

namespace testsupport {

struct TSortShape {
    std::string Name;
    std::vector<int> Keys;
};

// N keys (N even) in each shape.
inline std::vector<TSortShape> SortShapes(int N)
{
    std::vector<TSortShape> shapes = {{"sorted", {}},
                                      {"reversed", {}},
                                      {"all equal", std::vector<int>(size_t(N), 7)},
                                      {"two sorted runs", {}},
                                      {"organ pipe", {}},
                                      {"sorted but one near the end", {}},
                                      {"sorted but one near the start", {}},
                                      {"0 but one 1 at 98 %, ties by the row's draw", {}}};
    for (int i = 0; i < N; ++i) {
        shapes[0].Keys.push_back(i);
        shapes[1].Keys.push_back(N - i);
        shapes[3].Keys.push_back(i % (N / 2));
        shapes[4].Keys.push_back(i < N / 2 ? i : N - i);
        shapes[5].Keys.push_back(i);
        shapes[6].Keys.push_back(i);
        // Rows newest draw first, each the value times N plus its draw.
        shapes[7].Keys.push_back(N - 1 - i);
    }
    shapes[5].Keys[size_t(N) * 98 / 100] = -1;
    shapes[6].Keys[size_t(N) * 2 / 100] = N;
    shapes[7].Keys[size_t(N) * 98 / 100] += N;
    return shapes;
}

// The comparisons a sort of N entries may take: a few times N log2 N (a quadratic sort of the shapes
// above takes twenty times that and more at 20,000 entries).
inline long SortCompareBound(int N)
{
    return long(8.0 * N * std::log2(double(N)));
}

// Thrown by a test's comparison past the bound, so that a quadratic sort fails at once rather than after
// minutes.
struct ETooManyComparisons {};

// An adversary that answers a sort's comparisons of items 0..N-1 (by identity, wherever they stand) so
// that every pivot a quicksort takes is among the smallest: items stay "gas" (above every key) until a
// comparison needs one of them fixed, and the one that looks like the pivot is fixed first. A sort that
// keeps within the bound against it keeps within it on every input.
class TSortAdversary {
public:
    explicit TSortAdversary(int N) : FKeys(size_t(N), N), FGas(N), FLimit(SortCompareBound(N)) {}

    // Negative, 0 or positive for item A's key below, equal to or above item B's; throws
    // ETooManyComparisons past the bound.
    int Compare(int A, int B)
    {
        if (++Compares > FLimit)
            throw ETooManyComparisons{};
        if (FKeys[size_t(A)] == FGas && FKeys[size_t(B)] == FGas)
            FKeys[size_t(A == FCandidate ? A : B)] = FSolid++;
        if (FKeys[size_t(A)] == FGas)
            FCandidate = A;
        else if (FKeys[size_t(B)] == FGas)
            FCandidate = B;
        return FKeys[size_t(A)] - FKeys[size_t(B)];
    }
    int Key(int Item) const { return FKeys[size_t(Item)]; }

    long Compares = 0;

private:
    std::vector<int> FKeys;
    int FGas;
    long FLimit;
    int FSolid = 0;
    int FCandidate = -1;
};

} // namespace testsupport
