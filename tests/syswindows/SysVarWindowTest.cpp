#include "controls/FloatSpin.h"
#include "controls/Multiplies.h"
#include "core/UGlobalRegistry.h"
#include "core/UGlobalThreads.h"
#include "engine/USysVar.h"
#include "platform/gui/MessageBox.h"
#include "syswindows/FParSysVar.h"
#include "syswindows/FSelectKey.h"
#include "syswindows/FSysVar.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <set>
#include <thread>
#include <tuple>
#include <vector>

namespace {

const QString nbsp = QString(QChar(0x00A0));

QPoint CellCentre(const TMultiplies &Grid, int Col, int Row)
{
    return Grid.CellRect(Col, Row).toQRect().center();
}

} // namespace

class SysVarWindowTest : public SysWindowTest {
protected:
    // The variable window the system selector opens (its second item), active.
    TfrmSysVar *OpenVariable()
    {
        OpenSystemWindow(1);
        auto *window = qobject_cast<TfrmSysVar *>(frame->ChildForms().back());
        EXPECT_NE(window, nullptr);
        Activate(window);
        return window;
    }

    void AnswerVarParams(int N, int K, int V, int Count)
    {
        script.onDialog([=](QDialog &Dialog) {
            auto &params = dynamic_cast<TfrmParSysVar &>(Dialog);
            params.seCDraws->setText(QString::number(K));
            params.seCNum->setText(QString::number(N));
            params.seCVar->setText(QString::number(V));
            params.seCComb->setText(QString::number(Count));
            params.btnOk->click();
        });
    }

    // Clicks the weight cell of Row and types Text over its value, then Enter.
    static void TypeWeight(TMultiplies &Grid, int Row, const QString &Text)
    {
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, CellCentre(Grid, 1, Row));
        TFloatSpin *editor = Grid.WeightEditor();
        ASSERT_NE(editor, nullptr) << "no editor over row " << Row;
        editor->selectAll();
        QTest::keyClicks(editor, Text);
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(Grid.WeightEditor(), nullptr);
    }

    static void ClickFixed(TMultiplies &Grid, int Row)
    {
        QTest::mouseClick(Grid.viewport(), Qt::LeftButton, {}, CellCentre(Grid, 2, Row));
    }

    // 12 numbers, 6 a combination, 2 of them variable, 22 combinations: the first fixed, the second
    // of weight 2.0; no rows yet.
    TfrmSysVar *Prepared()
    {
        TfrmSysVar *window = OpenVariable();
        AnswerVarParams(12, 6, 2, 22);
        Run(frame->mSysParam);
        ClickFixed(*window->sgParam, 1);
        TypeWeight(*window->sgParam, 2, QStringLiteral("2"));
        return window;
    }

    TfrmSysVar *Generated()
    {
        TfrmSysVar *window = Prepared();
        Run(frame->mTaskStart);
        WaitForGeneration(window);
        return window;
    }

    // A command of the main window's menu, as it reaches the active window.
    static void Run(QAction *Command)
    {
        Command->trigger();
        QCoreApplication::sendPostedEvents();
    }

    static QStringList WeightCells(const TfrmSysVar &Window)
    {
        return {Window.sgParam->Cells(1, 1), Window.sgParam->Cells(1, 2)};
    }
};

TEST_F(SysVarWindowTest, WeightsAreSetBeforeStartAndEveryRowHoldsTheFixedNumber)
{
    TfrmSysVar *window = Prepared();
    EXPECT_EQ(window->State, 2);
    EXPECT_EQ(window->windowTitle(), "<Lotto #1> Skrócony - zmienny");
    EXPECT_EQ(RowTexts(*window), QStringList{"|"});
    EXPECT_EQ(EnabledMask(), cmdRead | cmdParams | cmdStart);
    EXPECT_TRUE(window->sgParam->Fixed(1));
    EXPECT_EQ(WeightCells(*window), (QStringList{"1,0", "2,0"}));
    // The fixed row's weight is greyed, in the grid's font as the other.
    const TFont fixedFont = window->sgParam->GetFontCell(1, 1);
    const TFont freeFont = window->sgParam->GetFontCell(1, 2);
    EXPECT_EQ(std::tuple(fixedFont.Color, fixedFont.Height), std::tuple(clGrayText, window->sgParam->Font().Height));
    EXPECT_EQ(std::tuple(freeFont.Color, freeFont.Height), std::tuple(clWindowText, window->sgParam->Font().Height));
    ASSERT_EQ(window->SysVar->FreqCount, 2);
    EXPECT_TRUE(window->SysVar->Freqs[0].Fixed);
    EXPECT_EQ(window->SysVar->Freqs[1].Weight, 2.0);

    Run(frame->mTaskStart);
    WaitForGeneration(window);
    EXPECT_EQ(window->State, 0);
    EXPECT_EQ(window->windowTitle(), "<Lotto #1> Skrócony - zmienny 6/12(10+2)/22");
    const QStringList rows = RowTexts(*window);
    ASSERT_EQ(rows.size(), 22);
    std::set<std::vector<int>> distinct;
    for (const QString &row : rows) {
        const std::vector<int> numbers = RowNumbers(row);
        ASSERT_EQ(numbers.size(), 6u) << row.toStdString();
        EXPECT_TRUE(std::ranges::is_sorted(numbers)) << row.toStdString();
        EXPECT_EQ(numbers.front(), 1) << row.toStdString();
        EXPECT_LE(numbers.back(), 12) << row.toStdString();
        distinct.insert(numbers);
    }
    EXPECT_EQ(distinct.size(), 22u);
    // The grid shows what the new system holds.
    EXPECT_TRUE(window->sgParam->isEnabled());
    EXPECT_TRUE(window->sgParam->Fixed(1));
    EXPECT_EQ(WeightCells(*window), (QStringList{"1,0", "2,0"}));
}

TEST_F(SysVarWindowTest, RefusedWeightsAndFlagsAreUndoneInTheGrid)
{
    TfrmSysVar *window = Prepared();
    ASSERT_EQ(window->SysVar->FreqCount, 2);
    // 3.0 leaves the second number more places than 22 combinations have.
    TypeWeight(*window->sgParam, 2, QStringLiteral("3"));
    EXPECT_EQ(WeightCells(*window), (QStringList{"1,0", "2,0"}));
    EXPECT_EQ(window->SysVar->Freqs[1].Weight, 2.0);

    TypeWeight(*window->sgParam, 2, QStringLiteral("2,4"));
    EXPECT_EQ(window->SysVar->Freqs[1].Weight, 2.4);
    // Freed, the first number would push the second past its places: it stays fixed.
    ClickFixed(*window->sgParam, 1);
    EXPECT_TRUE(window->sgParam->Fixed(1));
    EXPECT_TRUE(window->SysVar->Freqs[0].Fixed);
    // A fixed row's weight is not edited.
    QTest::mouseClick(window->sgParam->viewport(), Qt::LeftButton, {}, CellCentre(*window->sgParam, 1, 1));
    EXPECT_EQ(window->sgParam->WeightEditor(), nullptr);

    // With the second weight back at 1.0 the first can be freed, by the keyboard too.
    TypeWeight(*window->sgParam, 2, QStringLiteral("1"));
    window->sgParam->setFocus();
    window->sgParam->FocusCell(2, 1, true);
    QTest::keyClick(window->sgParam, Qt::Key_Space);
    EXPECT_FALSE(window->sgParam->Fixed(1));
    EXPECT_FALSE(window->SysVar->Freqs[0].Fixed);
}

TEST_F(SysVarWindowTest, ReportHeaderListsTheVariableNumbers)
{
    TfrmSysVar *window = Generated();
    std::string header;
    window->GetParamsText(0, header);
    const QString stake = "3,00" + nbsp + "zł";
    const QString cost = "66,00" + nbsp + "zł";
    const QString expected = "System skrócony - zmienny 6/12(10+2)/22# #Parametry:#"
                             "  Liczba skreśleń      :6#"
                             "  Ilość liczb          :12#"
                             "  Liczba kombinacji    :22#"
                             "  Wszystkich kombinacji:924#"
                             "  Skrócenie            :0,02381#"
                             "  Koszt 1 kombinacji   :" + stake + "#"
                             "  Koszt systemu        :" + cost + "#"
                             " #Parametry liczb zmiennych:#"
                             "  1:stała   2:2,0 ";
    EXPECT_EQ(QString::fromStdString(header), expected);

    // In the workbook the weights stand on the line after their title, the system two rows below.
    testsupport::expectReport(script);
    sendCommand(window, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_FALSE(sheets.empty());
    EXPECT_EQ(sheets[0].At("B13").Text, "Parametry liczb zmiennych:");
    EXPECT_EQ(sheets[0].At("B14").Text, "  1:stała   2:2,0 ");
    EXPECT_FALSE(sheets[0].At("B15").HasValue);
    EXPECT_FALSE(sheets[0].At("B16").HasValue);
    EXPECT_TRUE(sheets[0].At("B17").HasValue);
}

TEST_F(SysVarWindowTest, StopKeepsTheOldRowsAndAFailedRunSaysSo)
{
    TfrmSysVar *window = Generated();
    const QStringList rows = RowTexts(*window);
    const int commands = EnabledMask();

    // A run held until it is stopped.
    window->GenerationHook = [](TSystem &System, const TMyThread &Thread, const TGenSysForm::TBuildProc &Build) {
        while (!Thread.GetTerminated())
            std::this_thread::yield();
        return Build(System, Thread);
    };
    Run(frame->mTaskStart);
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStop);
    EXPECT_FALSE(window->sgParam->isEnabled());
    Run(frame->mTaskStop);
    WaitForGeneration(window);
    EXPECT_EQ(RowTexts(*window), rows);
    EXPECT_EQ(EnabledMask(), commands);
    EXPECT_TRUE(window->sgParam->isEnabled());
    EXPECT_TRUE(script.boxes().empty()) << "a stop is not a failure";

    window->GenerationHook = [](TSystem &, const TMyThread &, const TGenSysForm::TBuildProc &) { return false; };
    script.answerBox(platform::IDOK);
    Run(frame->mTaskStart);
    WaitForGeneration(window);
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Nie udało się wygenerować systemu.");
    EXPECT_EQ(RowTexts(*window), rows);
    EXPECT_EQ(EnabledMask(), commands);
}

// Stop while the classic generator searches the last two rows: the run ends there with no rows, and the
// window answers at once with its old rows.
TEST_F(SysVarWindowTest, StopWhileTheLastRowsAreSearchedEndsTheRunThere)
{
    TfrmSysVar *window = Generated();
    const QStringList rows = RowTexts(*window);
    const int commands = EnabledMask();
    TFinishSearchHold hold;
    hold.Attach(*window);
    Run(frame->mTaskStart);
    ASSERT_TRUE(testsupport::ProcessUntil([&hold] { return hold.Reached.load(); }));
    Run(frame->mTaskStop);
    EXPECT_FALSE(window->Generating());
    ASSERT_TRUE(hold.Answered);
    EXPECT_FALSE(hold.Built);
    EXPECT_EQ(hold.Rows, 0);
    EXPECT_EQ(hold.PollsAfter, 0);
    EXPECT_EQ(RowTexts(*window), rows);
    EXPECT_EQ(EnabledMask(), commands);
    EXPECT_TRUE(script.boxes().empty()) << "a stop is not a failure";
}

TEST_F(SysVarWindowTest, ANewKeyRelabelsTheVariableNumbers)
{
    TfrmSysVar *window = Generated();
    frame->SendToActiveChild(WM_SYS_KEY);
    QCoreApplication::processEvents();
    TfrmSelectKey *dialog = window->KeyDialog;
    ASSERT_NE(dialog, nullptr);
    dialog->eInput->setPlainText(QStringLiteral("40 3 17 25 9 33 1 48 12 21 6 30"));
    dialog->btnReadNums->click();
    dialog->btnOK->click();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(window->sgParam->Cells(0, 1), "40");
    EXPECT_EQ(window->sgParam->Cells(0, 2), "3");
    for (const QString &row : RowTexts(*window))
        EXPECT_TRUE(std::ranges::count(RowNumbers(row), 40) == 1) << row.toStdString();
    std::string header;
    window->GetParamsText(0, header);
    EXPECT_TRUE(header.ends_with("Parametry liczb zmiennych:# 40:stała   3:2,0 ")) << header;
}

TEST_F(SysVarWindowTest, TheDialogsOwnFieldsFollowTheCountFromTheKeyboard)
{
    const auto nextTabStop = [](QWidget *From) {
        QWidget *widget = From->nextInFocusChain();
        while (widget != From && !(widget->focusPolicy() & Qt::TabFocus))
            widget = widget->nextInFocusChain();
        return widget;
    };
    TfrmParSysVar dialog;
    dialog.Init(Games.GameById(LottoId), skVar, true, 0, false, 0, 0, 0);
    EXPECT_EQ(nextTabStop(dialog.seCNum), dialog.seCComb);
    EXPECT_EQ(nextTabStop(dialog.seCComb), dialog.seCVar);
    EXPECT_EQ(nextTabStop(dialog.seCVar), dialog.chkRandom);
}

TEST_F(SysVarWindowTest, StoredSizesOfAOneNumberBetPassTheDialogsRangesBeforeTheyAreShown)
{
    constexpr uint8_t MultiMultiId = 3;
    ProgramReg.SetSection("Systems\\" + std::to_string(MultiMultiId) + "\\" + std::to_string(skVar));
    ProgramReg.WriteInteger("k", 0);
    ProgramReg.WriteInteger("n", 0);
    ProgramReg.WriteInteger("v", 0);
    TfrmParSysVar dialog;
    dialog.Init(Games.GameById(MultiMultiId), skVar, true, 0, false, 0, 0, 0);
    EXPECT_EQ(dialog.seCDraws->text(), "2");
    EXPECT_EQ(dialog.seCNum->text(), "2");
    EXPECT_EQ(dialog.seCVar->text(), "1");
    EXPECT_EQ(dialog.seCVar->MinValue(), 1);
    EXPECT_EQ(dialog.seCVar->MaxValue(), 1);
}
