#pragma once
// A sum filter that fails half-way: a combination whose sum its conditions take makes Test throw
// std::runtime_error, every other is rejected; Finish calls are counted. While a TFailingSumKind lives,
// CreateFilter makes it for the sum filter's code.

#include "engine/UFltValue.h"

#include <memory>
#include <stdexcept>

class TFailingSum : public TFltSum {
public:
    using TFltSum::TFltSum;
    static constexpr const char *FailureText = "filtr uszkodzony";
    static inline int Finished = 0;

    bool Test(const uint8_t *Comb) override
    {
        if (TFltSum::Test(Comb))
            throw std::runtime_error(FailureText);
        return false;
    }
    void Finish() override { ++Finished; }

    // A built set of one such filter, failing at the sums Min..Max.
    static std::unique_ptr<TGroupFilter> FailingAt(const TGameData *Game, uint32_t N, uint32_t K, int32_t Min,
                                                   int32_t Max)
    {
        auto set = std::make_unique<TGroupFilter>(Game, N, K, TDynByteArr{});
        auto filter = std::make_unique<TFailingSum>(Game, N, K, TDynByteArr{});
        filter->Params = TRangeBlock{rmRange, Min, Max};
        set->AddFilter(filter.release(), false);
        set->Build();
        return set;
    }
};

class TFailingSumKind {
public:
    TFailingSumKind() { TFailingSum::Finished = 0; }
    ~TFailingSumKind() { RegisterFilterKind(fltSum, Previous); }

private:
    TFilterMaker Previous = RegisterFilterKind(
        fltSum, [](const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers) -> std::unique_ptr<TFilter> {
            return std::make_unique<TFailingSum>(Game, N, K, Numbers);
        });
};
