#pragma once
// The fixture of the full-system tests: a game of 20 numbers, a full system of 3 of 9 under a key other
// than 1..9, and a set of one sum filter; Limits.MaxComb is restored after each test.

#include "core/ProgramParams.h"
#include "engine/FilterKinds.h"
#include "engine/UFltValue.h"
#include "engine/UGameMan.h"
#include "engine/USysFull.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

class FullSystemFixture : public ::testing::Test {
protected:
    FullSystemFixture()
    {
        Game.Info.Id = 7;
        Game.Info.MaxNumber = 20;
        Game.Info.Drawn = 3;
        Game.Info.MinK = 3;
        RegisterFilterKinds();
    }
    ~FullSystemFixture() override { Limits.MaxComb = SavedMaxComb; }

    // Sums Min..Max pass; FindType keeps what passes.
    std::unique_ptr<TGroupFilter> sumSet(const TSystem &System, int32_t Min, int32_t Max, bool FindType = true)
    {
        auto set = std::make_unique<TGroupFilter>(&Game, System.N, System.K, System.Key);
        auto filter = std::make_unique<TFltSum>(&Game, System.N, System.K, System.Key);
        filter->Params = TRangeBlock{rmRange, Min, Max};
        set->AddFilter(filter.release(), false);
        set->FindType = FindType;
        set->Build();
        return set;
    }

    // 3 of 9 numbers (84 combinations, stored when MaxComb allows) under the key 2 4 5 7 8 10 11 13 15.
    std::unique_ptr<TSysFull> full(int32_t MaxComb)
    {
        Limits.MaxComb = MaxComb;
        auto system = std::make_unique<TSysFull>(&Game);
        system->SetParams(9, 3);
        system->Generate();
        system->SetKey({2, 4, 5, 7, 8, 10, 11, 13, 15});
        return system;
    }

    TGameData Game;
    const int32_t SavedMaxComb = Limits.MaxComb;
};
