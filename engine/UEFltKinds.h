#pragma once
// The ten kinds of filter value distributions: value kinds count each value in a counter of its own;
// pattern kinds count each multiset of group sizes in a hash table of TableSize slots.

#include "engine/FilterQuantities.h"
#include "engine/UEFilters.h"

#include <array>
#include <cstdint>
#include <vector>

// One counter per value 0..MaxValue.
class TEFltValue : public TEFilter {
public:
    void Reset() override;
    void AddComb(const uint8_t *C) override;
    void FreeCounters() override;
    // One row per value counted, ascending.
    void Finish() override;

protected:
    TEFltValue(uint32_t Kind, const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total,
               int64_t K, int32_t MaxValue, bool PatternRows = false);
    virtual int32_t ValueOf(const uint8_t *C) const = 0;
    // Fills in what a kind shows beside Value.
    virtual void DescribeRow(TEFilterRow &Row) const;

    const int32_t MaxValue;

private:
    std::vector<int64_t> Counts;
    std::vector<int64_t> CounterHits; // per value, one entry per level
};

class TEFltPar : public TEFltValue {
public:
    TEFltPar(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);
    // e + "P|" + (K - e) + "N".
    std::string GetRowText(const TEFilterRow &Row) const override;

protected:
    int32_t ValueOf(const uint8_t *C) const override;
    void DescribeRow(TEFilterRow &Row) const override;
};

class TEFltSum : public TEFltValue {
public:
    TEFltSum(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);

protected:
    int32_t ValueOf(const uint8_t *C) const override;
};

class TEFltSDigit : public TEFltValue {
protected:
    TEFltSDigit(uint32_t Kind, const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total,
                int64_t K, int32_t (*Digits)(uint8_t));
    int32_t ValueOf(const uint8_t *C) const override;

private:
    int32_t (*const Digits)(uint8_t);
};

class TEFltSDigit1 : public TEFltSDigit {
public:
    TEFltSDigit1(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);
};

class TEFltSDigit2 : public TEFltSDigit {
public:
    TEFltSDigit2(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);
};

class TEFltSDigit12 : public TEFltSDigit {
public:
    TEFltSDigit12(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);
};

class TEFltDist : public TEFltValue {
public:
    TEFltDist(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);

protected:
    int32_t ValueOf(const uint8_t *C) const override;
};

// Patterns: the sizes (2 or more) of the groups a combination forms, as a multiset.
class TEFltPattern : public TEFilter {
public:
    static constexpr int32_t TableSize = 8191;

    void Reset() override;
    // std::runtime_error when a new pattern finds the table full.
    void AddComb(const uint8_t *C) override;
    void FreeCounters() override;
    // One row per pattern, ascending.
    void Finish() override;

    uint32_t PatternCount = 0;

protected:
    TEFltPattern(uint32_t Kind, const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total,
                 int64_t K);
    // Writes the group sizes of C into WorkPattern (cleared) in the order found.
    virtual void FormPattern(const uint8_t *C) = 0;

    std::vector<int64_t> KeyWeights;
    std::vector<uint8_t> WorkPattern; // K div 2 entries
    size_t Found = 0;                 // entries FormPattern wrote

private:
    struct TSlot {
        int64_t Key = 0;
        int64_t Count = 0; // 0: free
    };
    std::vector<TSlot> Table;
    std::vector<uint8_t> TablePatterns; // per slot, K div 2 entries
    std::vector<int64_t> TableHits;     // per slot, one entry per level
};

class TEFltSucc : public TEFltPattern {
public:
    TEFltSucc(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);

protected:
    void FormPattern(const uint8_t *C) override;
};

class TEFltGDigit : public TEFltPattern {
protected:
    TEFltGDigit(uint32_t Kind, const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total,
                int64_t K, bool First);
    void FormPattern(const uint8_t *C) override;

private:
    const bool First;
    std::array<int32_t, 10> DigitCounts{};
};

class TEFltGDigit1 : public TEFltGDigit {
public:
    TEFltGDigit1(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);
};

class TEFltGDigit2 : public TEFltGDigit {
public:
    TEFltGDigit2(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);
};

class TEFltDiffConf : public TEFltPattern {
public:
    TEFltDiffConf(const TGameData *Game, int64_t N, const TDynByteArr &Numbers, int64_t Total, int64_t K);

protected:
    void FormPattern(const uint8_t *C) override;

private:
    TDiffGroups Diffs;
};
