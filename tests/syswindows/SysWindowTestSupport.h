#pragma once
// What the system windows' tests share: a fresh settings store and a program folder with the shipped
// games for each test, the main window on Lotto with the system windows installed, a script that plays
// the modal windows, and readers of what a window shows.

#include "controls/FloatSpin.h"
#include "controls/StringAlignGrid.h"
#include "engine/UGameMan.h"
#include "tests/fixtures/FrameCommands.h"
#include "tests/fixtures/FreshRegistry.h"
#include "shell/FGlobalSystems.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"
#include "syswindows/FParSysShort.h"
#include "syswindows/FSysGeneral.h"
#include "syswindows/FSysShort.h"
#include "syswindows/FSysWindows.h"
#include "tests/fixtures/ModalScript.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/support/TestEnvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class SysWindowTest : public FreshRegistry {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        folder->addShippedGames();
        PrepareFolder();
        frame = std::make_unique<TfrmMain>();
        frame->show();
        InstallSystemWindows();
        SelectGame(LottoId);
    }
    void TearDown() override
    {
        frame.reset();
        SetSysWindowOpener(nullptr);
        folder.reset();
        FreshRegistry::TearDown();
    }

    static constexpr uint8_t LottoId = 1;

    // Adds what a test needs to the program folder before the main window loads the games.
    virtual void PrepareFolder() {}

    void SelectGame(uint8_t Id) { frame->cbGame->setCurrentIndex(Games.GameIndexOfId(Id)); }

    // The classic window the system selector opens, active.
    TGenSysForm *OpenClassic()
    {
        const size_t before = frame->ChildForms().size();
        OpenSystemWindow(0);
        EXPECT_EQ(frame->ChildForms().size(), before + 1);
        auto *window = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
        Activate(window);
        return window;
    }

    void Activate(QWidget *Form)
    {
        frame->MdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(Form->parentWidget()));
    }

    // Queues the parameter dialog's answer: the three values typed, the random box, then OK.
    void AnswerParams(int N, int K, int Count, bool Random = false)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysShort &>(Dialog);
            params.seCDraws->setText(QString::number(K));
            params.seCNum->setText(QString::number(N));
            params.seCComb->setText(QString::number(Count));
            params.chkRandom->setChecked(Random);
            params.btnOk->click();
        });
    }

    // A classic system generated through the parameters command.
    TGenSysForm *Generate(int N, int K, int Count, bool Random = false)
    {
        TGenSysForm *window = OpenClassic();
        AnswerParams(N, K, Count, Random);
        sendCommand(window, WM_SYS_PARAMS);
        WaitForGeneration(window);
        return window;
    }

    // Runs the event loop until the window's worker has ended; the deadline only guards against hanging.
    static void WaitForGeneration(TGenSysForm *Window)
    {
        const QDeadlineTimer guard(120000);
        while (Window->Generating() && !guard.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        ASSERT_FALSE(Window->Generating()) << "the generation did not end";
    }

    // The main window's commands that are on, as a command mask.
    int EnabledMask() const { return testsupport::EnabledCommandMask(*frame); }

    // The texts of the combination grid's rows below the header, as shown.
    static QStringList RowTexts(const TGenSysForm &Window)
    {
        QStringList rows;
        for (int row = 1; row < Window.sgSystem->RowCount(); ++row) {
            QString number;
            QString numbers;
            Window.sgSystem->GetCellText(0, row, number);
            Window.sgSystem->GetCellText(1, row, numbers);
            rows << number + QLatin1Char('|') + numbers;
        }
        return rows;
    }

    static QString StatValue(const TGenSysForm &Window, int Row) { return Window.sgStat->Cells(1, Row); }

    // The texts of a grid's row, as shown.
    static QStringList GridRow(const TStringAlignGrid &Grid, int Row)
    {
        QStringList cells;
        for (int col = 0; col < Grid.ColCount(); ++col) {
            QString text;
            Grid.GetCellText(col, Row, text);
            cells << text;
        }
        return cells;
    }

    std::unique_ptr<TfrmMain> frame;
    testsupport::ModalScript script;
    std::optional<testsupport::ProgramFolder> folder;
};
