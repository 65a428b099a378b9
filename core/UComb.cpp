#include "core/UComb.h"

#include "core/Knutt.h"
#include "core/USort.h"

#include <algorithm>
#include <bitset>
#include <charconv>
#include <cstdint>
#include <limits>

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();

int64_t saturatingAdd(int64_t A, int64_t B)
{
    int64_t sum;
    return __builtin_add_overflow(A, B, &sum) ? kInt64Max : sum;
}

template <typename TTable> TTable builtTable(void (*make)(TTable &, uint8_t))
{
    TTable table;
    make(table, 100);
    return table;
}

// Applies one "%[-][width][.precision]d" directive (and "%%") of Fmt to Value; other text is copied.
void appendFormatted(std::string &S, std::string_view Fmt, unsigned Value)
{
    size_t i = 0;
    while (i < Fmt.size()) {
        const char c = Fmt[i++];
        if (c != '%' || i == Fmt.size()) {
            S += c;
            continue;
        }
        if (Fmt[i] == '%') {
            S += '%';
            ++i;
            continue;
        }
        const size_t start = i - 1;
        const bool left = Fmt[i] == '-';
        if (left)
            ++i;
        size_t width = 0, precision = 0;
        while (i < Fmt.size() && Fmt[i] >= '0' && Fmt[i] <= '9')
            width = width * 10 + static_cast<size_t>(Fmt[i++] - '0');
        if (i < Fmt.size() && Fmt[i] == '.') {
            ++i;
            while (i < Fmt.size() && Fmt[i] >= '0' && Fmt[i] <= '9')
                precision = precision * 10 + static_cast<size_t>(Fmt[i++] - '0');
        }
        if (i == Fmt.size() || (Fmt[i] != 'd' && Fmt[i] != 'D')) {
            S.append(Fmt.substr(start, i - start));
            continue;
        }
        ++i;
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, Value).ptr;
        const size_t digitCount = static_cast<size_t>(end - digits);
        std::string number(precision > digitCount ? precision - digitCount : 0, '0');
        number.append(digits, digitCount);
        const size_t pad = width > number.size() ? width - number.size() : 0;
        if (!left)
            S.append(pad, ' ');
        S += number;
        if (left)
            S.append(pad, ' ');
    }
}

// Mixed-radix counter over the first Len digits, digit i in Low..Max[i]; First sets every digit to Low,
// and after the last state it wraps to all Low.
template <typename TDigit>
void stepCounter(std::vector<TDigit> &D, const std::vector<TDigit> &Max, uint8_t Len, TDigit Low, bool First)
{
    if (First) {
        if (D.size() < Len)
            D.resize(Len);
        std::fill(D.begin(), D.begin() + Len, Low);
        return;
    }
    for (int i = Len - 1; i >= 0; --i) {
        TDigit &digit = D[static_cast<size_t>(i)];
        if (digit < Max[static_cast<size_t>(i)]) {
            ++digit;
            return;
        }
        digit = Low;
    }
}

} // namespace

TNewton Newton = builtTable<TNewton>(MakeNewton);
TNewtonExt NewtonExt = builtTable<TNewtonExt>(MakeNewtonExt);
TDynBoolArr EvenTable = builtTable<TDynBoolArr>(MakeEvenTable);
TDynBoolArr PrimeTable = builtTable<TDynBoolArr>(MakePrimeTable);

void MakeNewton(TNewton &T, uint8_t N)
{
    T.assign(N + 1u, {});
    for (size_t n = 0; n <= N; ++n) {
        T[n].assign(n + 1, 1);
        for (size_t k = 1; k < n; ++k)
            T[n][k] = saturatingAdd(T[n - 1][k - 1], T[n - 1][k]);
    }
}

void MakeNewtonExt(TNewtonExt &T, uint8_t N)
{
    T.assign(N + 1u, {});
    for (size_t n = 0; n <= N; ++n) {
        T[n].assign(n + 1, 1.0L);
        for (size_t k = 1; k < n; ++k)
            T[n][k] = T[n - 1][k - 1] + T[n - 1][k];
    }
}

void MakeEvenTable(TDynBoolArr &T, uint8_t N)
{
    T.assign(N + 1u, false);
    for (size_t i = 0; i <= N; ++i)
        T[i] = i % 2 == 0;
}

void MakePrimeTable(TDynBoolArr &T, uint8_t N)
{
    T.assign(N, false);
    for (int i = 2; i <= N; ++i) {
        bool prime = true;
        for (int d = 2; d < i && prime; ++d)
            prime = i % d != 0;
        T[static_cast<size_t>(i) - 1] = prime;
    }
}

void NextComb(TDynByteArr &C, uint8_t N, uint8_t K, bool First)
{
    if (First) {
        if (C.size() < K)
            C.resize(K);
        for (int i = 0; i < K; ++i)
            C[static_cast<size_t>(i)] = static_cast<uint8_t>(i + 1);
        return;
    }
    if (K == 0)
        return;
    uint8_t *c = C.data();
    if (++c[K - 1] <= N || K < 2)
        return;
    int j = K - 2;
    for (; j >= 0; --j) {
        ++c[j];
        if (c[j] <= N - K + j + 1)
            break;
    }
    // Past the last combination j ends at -1 and C is left invalid, as the callers never go there.
    for (int m = std::max(j, 0) + 1; m < K; ++m)
        c[m] = static_cast<uint8_t>(c[m - 1] + 1);
}

void NextCounter(TDynByteArr &D, uint8_t Len, const TDynByteArr &Max, bool First)
{
    stepCounter(D, Max, Len, uint8_t{0}, First);
}

void NextCounterInt(TDynIntArr &D, const TDynIntArr &Max, uint8_t Len, bool First)
{
    stepCounter(D, Max, Len, int32_t{1}, First);
}

bool IsAscending(const uint8_t *C, int K)
{
    for (int i = 1; i < K; ++i)
        if (C[i] < C[i - 1])
            return false;
    return true;
}

int CountHits(int KA, int KB, const uint8_t *A, const uint8_t *B)
{
    if (KA <= 0 || KB <= 0 || A[KA - 1] < B[0] || B[KB - 1] < A[0])
        return 0;
    int hits = 0, i = 0, j = 0;
    while (i < KA && j < KB) {
        if (B[j] > A[i]) {
            ++i;
        } else if (B[j] == A[i]) {
            ++hits;
            ++i;
            ++j;
        } else {
            ++j;
        }
    }
    return hits;
}

int CombIntersect(int KA, int KB, const uint8_t *A, const uint8_t *B, uint8_t *Res)
{
    int count = 0, i = 0, j = 0;
    while (i < KA && j < KB) {
        if (B[j] > A[i]) {
            ++i;
        } else if (B[j] == A[i]) {
            Res[count++] = A[i];
            ++i;
            ++j;
        } else {
            ++j;
        }
    }
    return count;
}

bool IsSubset(const uint8_t *A, const uint8_t *B, int KA, int KB)
{
    int matches = 0, j = 0;
    for (int i = 0; i < KA; ++i) {
        while (j < KB) {
            const uint8_t b = B[j++];
            if (b > A[i])
                return false;
            if (b == A[i]) {
                ++matches;
                break;
            }
        }
    }
    return matches == KA;
}

int CombDifference(int KA, int KB, const uint8_t *A, const uint8_t *B, TDynByteArr &Res)
{
    std::bitset<256> inB;
    for (int j = 0; j < KB; ++j)
        inB.set(B[j]);
    Res.clear();
    for (int i = 0; i < KA; ++i)
        if (!inB.test(A[i]))
            Res.push_back(A[i]);
    return static_cast<int>(Res.size());
}

int CountInSet(int K, const uint8_t *C, const TDynBoolArr &InSet)
{
    int count = 0;
    for (int i = 0; i < K; ++i)
        count += InSet[C[i] - 1u] ? 1 : 0;
    return count;
}

bool AllInSet(const uint8_t *C, const TDynBoolArr &InSet, int K)
{
    for (int i = 0; i < K; ++i)
        if (!InSet[C[i] - 1u])
            return false;
    return true;
}

int CombSum(const uint8_t *C, int K)
{
    int sum = 0;
    for (int i = 0; i < K; ++i)
        sum += C[i];
    return sum;
}

int CombParity(const uint8_t *C, int K)
{
    if (K == 0)
        return 1;
    const bool even = EvenTable[C[0]];
    for (int i = 1; i < K; ++i)
        if (EvenTable[C[i]] != even)
            return 0;
    return even ? 1 : 2;
}

bool ByteInArray(uint8_t Value, const TDynByteArr &A)
{
    return std::find(A.begin(), A.end(), Value) != A.end();
}

void FillNumbers(TDynByteArr &A)
{
    for (size_t i = 0; i < A.size(); ++i)
        A[i] = static_cast<uint8_t>(i + 1);
}

void ZeroByteArr(TDynByteArr &A)
{
    std::fill(A.begin(), A.end(), 0);
}

bool RankFits(int N, int K)
{
    return K >= 0 && K <= N && static_cast<size_t>(N) < Newton.size() &&
           Newton[size_t(N)][size_t(K)] < std::numeric_limits<int64_t>::max();
}

// 1 + for each position i the combinations that start like C up to i - 1 and carry a smaller number at
// i: the skipped values w = prev+1 .. C[i]-1 each contribute C(N - w, K - i), which sums to
// C(N - prev, K - i + 1) - C(N - C[i] + 1, K - i + 1). Unsigned arithmetic: for every combination count
// that fits in 64 bits, so do all the terms.
int64_t CombToIndex(uint8_t N, uint8_t K, const uint8_t *C)
{
    uint64_t index = 1;
    int previous = 0;
    for (int i = 1; i <= K; ++i) {
        const int value = C[i - 1];
        if (value > previous + 1) {
            const size_t k = static_cast<size_t>(K - i + 1);
            index += static_cast<uint64_t>(Newton[size_t(N - previous)][k]) -
                     static_cast<uint64_t>(Newton[size_t(N - value + 1)][k]);
        }
        previous = value;
    }
    return static_cast<int64_t>(index);
}

void IndexToComb(uint8_t N, uint8_t K, uint8_t *C, int64_t Index)
{
    if (K == 0)
        return;
    if (K == 1) {
        C[0] = static_cast<uint8_t>(Index);
        return;
    }
    const uint64_t target = static_cast<uint64_t>(Index);
    uint64_t total = 0;
    int value = 0;
    for (int position = 1; position < K;) {
        ++value;
        const uint64_t term = static_cast<uint64_t>(Newton[size_t(N - value)][size_t(K - position)]);
        total += term;
        if (total < target)
            continue;
        total -= term;
        C[position - 1] = static_cast<uint8_t>(value);
        ++position;
    }
    C[K - 1] = static_cast<uint8_t>(static_cast<uint64_t>(value) + (target - total));
}

int64_t Int64Power(uint8_t Base, uint8_t Exp)
{
    int64_t power = 1;
    for (int i = 0; i < Exp; ++i)
        if (__builtin_mul_overflow(power, static_cast<int64_t>(Base), &power))
            return kInt64Max;
    return power;
}

void RandomComb(uint8_t *C, uint8_t K, uint8_t N, bool Sorted)
{
    for (int i = 0; i < K; ++i) {
        uint8_t value;
        do
            value = static_cast<uint8_t>(RandomInRange(1, N));
        while (std::find(C, C + i, value) != C + i);
        C[i] = value;
    }
    if (Sorted)
        SortBytes(C, K);
}

void CombToStr(const uint8_t *Comb, uint8_t K, std::string_view Fmt, std::string &S, int Cut)
{
    S.clear();
    for (int i = 0; i < K; ++i)
        appendFormatted(S, Fmt, Comb[i]);
    if (Cut > 0 && S.size() >= static_cast<size_t>(Cut))
        S.erase(S.size() - static_cast<size_t>(Cut));
}

void TCombValue::Init(uint8_t Base, uint8_t K)
{
    Pow.resize(K);
    for (uint8_t i = 0; i < K; ++i)
        Pow[i] = Int64Power(Base, i);
}

// Codes whose positional value leaves 64 bits wrap around instead of overflowing.
int64_t TCombValue::Encode(const uint8_t *C, uint8_t K) const
{
    uint64_t code = 0;
    for (int i = 0; i < K; ++i)
        code += C[i] * static_cast<uint64_t>(Pow[static_cast<size_t>(K - 1 - i)]);
    return static_cast<int64_t>(code);
}

void TCombValue::Decode(int64_t Code, uint8_t K, uint8_t *C) const
{
    if (K == 0)
        return;
    uint64_t rest = static_cast<uint64_t>(Code);
    for (int i = 0; i + 1 < K; ++i) {
        const uint64_t weight = static_cast<uint64_t>(Pow[static_cast<size_t>(K - 1 - i)]);
        C[i] = static_cast<uint8_t>(rest / weight);
        rest -= C[i] * weight;
    }
    C[K - 1] = static_cast<uint8_t>(rest);
}

void TTextToComb::Init(uint8_t MaxNumber, uint8_t K)
{
    this->MaxNumber = MaxNumber;
    this->K = K;
    Buffer.assign(1024, 0);
}

bool TTextToComb::Parse(std::string_view Text, bool Sort, bool Unique)
{
    Count = 0;
    std::bitset<256> seen;
    size_t accepted = 0;
    size_t i = 0;
    while (i < Text.size() && accepted < Buffer.size()) {
        if (Text[i] < '0' || Text[i] > '9') {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < Text.size() && Text[i] >= '0' && Text[i] <= '9')
            ++i;
        int32_t value = 0;
        const auto result = std::from_chars(Text.data() + start, Text.data() + i, value);
        if (result.ec != std::errc() || value < 1 || value > MaxNumber)
            continue;
        if (Unique && seen.test(static_cast<size_t>(value)))
            continue;
        seen.set(static_cast<size_t>(value));
        Buffer[accepted++] = static_cast<uint8_t>(value);
    }
    if (accepted == 0)
        return false;
    Count = static_cast<int>(std::min(accepted, static_cast<size_t>(K)));
    Comb.assign(Buffer.begin(), Buffer.begin() + Count);
    if (Sort)
        SortBytes(Comb.data(), Count);
    return true;
}
