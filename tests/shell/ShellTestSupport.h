#pragma once
// What the shell's tests share: a fresh settings store and a program folder with the shipped games for
// each test, a script that plays the modal windows, and a child window that records what it receives.

#include "core/DateTime.h"
#include "shell/FMainCommands.h"
#include "shell/UGeneralForm.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/ModalScript.h"
#include "tests/fixtures/PadDrag.h"
#include "tests/fixtures/ProgramFolder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

using testsupport::RightDrag;

class ShellTest : public FreshRegistry {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        folder->addShippedGames();
    }
    void TearDown() override
    {
        folder.reset();
        FreshRegistry::TearDown();
    }

    // Draws of Lotto on Count Saturdays from 4 January 2020.
    static std::vector<testsupport::FixtureDraw> SaturdayDraws(int Count)
    {
        std::vector<testsupport::FixtureDraw> draws;
        for (int i = 0; i < Count; ++i) {
            const int first = i % 40 + 1;
            draws.push_back({EncodeDate(2020, 1, 4) + 7.0 * i, {first, first + 1, first + 2, first + 3, first + 5, first + 8}});
        }
        return draws;
    }

    testsupport::ModalScript script;
    std::optional<testsupport::ProgramFolder> folder;
};

// A child window in the way of a statistics window: it has no command code of its own, only the base's
// hooks, which record every command and notice the base routes to them. It handles WM_DRAWS_RANGE only
// when RangeAnswer is 1 and every other command always.
class RecordingChild : public TGenForm {
public:
    struct Received {
        QEvent::Type Code;
        int WParam;
        int LParam;
    };

    std::vector<Received> Commands;
    int Activations = 0;
    int Deactivations = 0;
    int RangeAnswer = 0;

protected:
    bool HandleCommand(CommandEvent &Command) override
    {
        Commands.push_back({Command.type(), Command.WParam, Command.LParam});
        return Command.type() != WM_DRAWS_RANGE || RangeAnswer == 1;
    }
    void FormActivate() override { ++Activations; }
    void FormDeactivate() override { ++Deactivations; }
};
