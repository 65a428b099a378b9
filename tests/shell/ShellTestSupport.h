#pragma once
// What the shell's tests share: a fresh settings store and a program folder with the shipped games for
// each test, a script that plays the modal windows, and a child window that records what it receives.

#include "core/DateTime.h"
#include "shell/FMainCommands.h"
#include "shell/UGeneralForm.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/ModalScript.h"
#include "tests/fixtures/ProgramFolder.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

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

// A child window that records every command and notice it receives, answering WM_DRAWS_RANGE with
// RangeAnswer.
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
    void customEvent(QEvent *event) override
    {
        if (CommandEvent *command = asCommand(event)) {
            Commands.push_back({command->type(), command->WParam, command->LParam});
            if (command->type() == WM_DRAWS_RANGE)
                command->Result = RangeAnswer;
        } else if (event->type() == ChildActivateNotice) {
            ++Activations;
        } else if (event->type() == ChildDeactivateNotice) {
            ++Deactivations;
        }
    }
};
