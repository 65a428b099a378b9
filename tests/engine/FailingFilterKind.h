#pragma once
// A filter kind that fails half-way: Test throws std::runtime_error for a combination holding the number
// of one of its conditions and rejects every other. Prepare and Finish are counted. While a
// TFailingFilterKind lives, CreateFilter makes this kind under the sum filter's code.

#include "engine/UFilters.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

class TFailingFilter : public TCondFilter<uint8_t> {
public:
    static constexpr const char *FailureText = "filtr uszkodzony";
    static inline int Prepared = 0;
    static inline int Finished = 0;

    TFailingFilter(const TGameData *Game, uint32_t N, uint32_t K, const TDynByteArr &Numbers)
        : TCondFilter(fltSum, Game, N, K, Numbers)
    {
    }
    std::string GetName() const override { return "failing"; }
    std::string GetDescription() const override { return {}; }
    void Prepare() override { ++Prepared; }
    void Finish() override { ++Finished; }
    bool Test(const uint8_t *Comb) override
    {
        for (const uint8_t number : Conds)
            if (std::find(Comb, Comb + K, number) != Comb + K)
                throw std::runtime_error(FailureText);
        return false;
    }

protected:
    void ReadParams(platform::ByteReader &Stream, uint8_t &Cond) override { Stream.get(Cond); }
    void WriteParams(platform::ByteWriter &Stream, const uint8_t &Cond) const override { Stream.put(Cond); }
    void ClampParams(uint8_t &) const override {}
    void NormaliseCondition(uint8_t &) const override {}
};

class TFailingFilterKind {
public:
    TFailingFilterKind()
        : Previous(RegisterFilterKind(fltSum, [](const TGameData *Game, uint32_t N, uint32_t K,
                                                  const TDynByteArr &Numbers) -> std::unique_ptr<TFilter> {
              return std::make_unique<TFailingFilter>(Game, N, K, Numbers);
          }))
    {
        TFailingFilter::Prepared = 0;
        TFailingFilter::Finished = 0;
    }
    TFailingFilterKind(const TFailingFilterKind &) = delete;
    TFailingFilterKind &operator=(const TFailingFilterKind &) = delete;
    ~TFailingFilterKind() { RegisterFilterKind(fltSum, Previous); }

    // A built find-type set of one failing filter that throws at Number.
    static std::unique_ptr<TGroupFilter> SetFailingAt(const TGameData *Game, uint32_t N, uint32_t K,
                                                      const TDynByteArr &Numbers, uint8_t Number)
    {
        auto set = std::make_unique<TGroupFilter>(Game, N, K, Numbers);
        auto filter = std::make_unique<TFailingFilter>(Game, N, K, Numbers);
        filter->Params = Number;
        set->AddFilter(filter.release(), false);
        set->FindType = true;
        set->Build();
        return set;
    }

private:
    TFilterMaker Previous;
};
