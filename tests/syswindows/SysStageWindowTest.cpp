// The staking window: a plan worked out by hand, no plan when nothing pays, its 276-byte settings, a
// saved plan opened again, the report, and the profit cells.
#include "controls/NewInplaceEdit.h"
#include "core/ProgramParams.h"
#include "shell/FGlobalStartup.h"
#include "engine/USysStage.h"
#include "platform/gui/MessageBox.h"
#include "shell/FGlobalGrids.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FSysStage.h"
#include "syswindows/FWriteFile.h"
#include "tests/fixtures/ReportRoad.h"
#include "tests/syswindows/SysWindowTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <filesystem>

namespace {

constexpr int StageSelectorIndex = 5;
const QString Zl = QChar(0x00A0) + QStringLiteral("zł");

platform::Bytes Le(uint64_t Value, int Width)
{
    platform::Bytes bytes;
    for (int i = 0; i < Width; ++i)
        bytes.push_back(uint8_t(Value >> (8 * i)));
    return bytes;
}

// The record by its fields, byte by byte.
platform::Bytes Record(uint8_t N, uint8_t K, int32_t D, int32_t MinHit, int64_t Profit, bool Individual,
                       const std::vector<int64_t> &Profits)
{
    platform::Bytes record{1, N, K};
    for (const platform::Bytes &field : {Le(uint32_t(D), 4), Le(uint32_t(MinHit), 4), Le(uint64_t(Profit), 8),
                                         platform::Bytes{uint8_t(Individual)}})
        record.insert(record.end(), field.begin(), field.end());
    for (int i = 0; i < 32; ++i) {
        const platform::Bytes entry = Le(uint64_t(i < int(Profits.size()) ? Profits[size_t(i)] : 0), 8);
        record.insert(record.end(), entry.begin(), entry.end());
    }
    return record;
}

} // namespace

class SysStageWindowTest : public SysWindowTest {
protected:
    TfrmSysStage *OpenStage() { return qobject_cast<TfrmSysStage *>(OpenBySelector(StageSelectorIndex)); }

    // 7 numbers, 6 a combination, three draws from the minimum hit 3, one profit of 100.00.
    TfrmSysStage *Plan7Of6()
    {
        TfrmSysStage *window = OpenStage();
        window->seK->SetValue(6);
        window->seN->SetValue(7);
        window->seD->SetValue(3);
        window->seMinProfitHit->SetValue(3);
        window->seMinProfit->SetValue(100);
        sendCommand(window, WM_TASK_START);
        return window;
    }

    static QStringList PlanRow(const TfrmSysStage &Window, int Row)
    {
        return testsupport::GridRowTexts(*Window.sgSystem, Row);
    }

    void Save(TGenSysForm *Window)
    {
        script.onDialog([](QDialog &Dialog) {
            auto &names = dynamic_cast<TfrmWriteFile &>(Dialog);
            names.Edit1->setText("Plan");
            names.btnSave->click();
        });
        sendCommand(Window, WM_SYS_SAVE);
    }

    // Every prize of the game nought.
    static void NoPrizes()
    {
        for (auto &size : Games.GameById(LottoId)->Info.Prizes)
            std::fill(size.begin(), size.end(), Currency());
    }

    // What the window shows of its settings: K, N, D, the minimum hit, the single profit, the mode and
    // the first profit cell.
    static QStringList Settings(const TfrmSysStage &Window)
    {
        return {Window.seK->text(), Window.seN->text(), Window.seD->text(), Window.seMinProfitHit->text(),
                Window.seMinProfit->text(), Window.rbMultiProfit->isChecked() ? "multi" : "single",
                Window.sgProfit->Cells(1, 1)};
    }
};

// C(7, 6) = 7 bets of 3.00 cost 21.00; three drawn among the 7 hit three in 4 of them: 96.00, 75.00 net.
// Stakes ceil(100 / 75) = 2, ceil(142 / 75) = 2, ceil(184 / 75) = 3.
TEST_F(SysStageWindowTest, APlanOfSevenNumbersWorkedOutByHand)
{
    TfrmSysStage *window = Plan7Of6();
    EXPECT_EQ(window->eCombCount->text(), "7");
    EXPECT_EQ(window->eSystemCost->text(), "21,00" + Zl);
    EXPECT_EQ(window->seMinProfitHit->MinValue(), 3);
    EXPECT_EQ(window->seMinProfitHit->MaxValue(), 6);
    EXPECT_EQ(window->PageControl1->currentWidget(), window->TabSheet2);
    ASSERT_EQ(window->sgSystem->RowCount(), 4);
    EXPECT_EQ(PlanRow(*window, 0).mid(5), (QStringList{"3", "4", "5", "6"}));
    EXPECT_EQ(PlanRow(*window, 1).mid(0, 6), (QStringList{"1", "2", "14", "42,00" + Zl, "42,00" + Zl, "150,00" + Zl}));
    EXPECT_EQ(PlanRow(*window, 2).mid(0, 6), (QStringList{"2", "2", "14", "42,00" + Zl, "84,00" + Zl, "108,00" + Zl}));
    EXPECT_EQ(PlanRow(*window, 3).mid(0, 6), (QStringList{"3", "3", "21", "63,00" + Zl, "147,00" + Zl, "141,00" + Zl}));
    EXPECT_EQ(EnabledMask(), cmdRead | cmdStart | cmdSave | cmdReport);
    EXPECT_TRUE(window->windowTitle().endsWith("> Stawkowy 6/7/3")) << window->windowTitle().toStdString();
    // The full system of the spins in a window of its own.
    window->btnCreateSys->click();
    auto *full = qobject_cast<TGenSysForm *>(frame->ChildForms().back());
    ASSERT_NE(full, window);
    EXPECT_EQ(full->SysKind, skFull);
    EXPECT_EQ(full->ViewCount(), 7);
}

// C(8, 6) = 28 bets of 3.00 cost 84.00; four drawn among the 8 hit four in 6 bets and three in 16:
// 6 x 150 + 16 x 24 = 1284.00, 1200.00 net. Profits typed 600, 1116,5, 0 and 1500: stakes
// ceil(600 / 1200) = 1, ceil((1116.5 + 84) / 1200) = 2, ceil(252 / 1200) = 1, ceil((1500 + 336) / 1200) = 2.
TEST_F(SysStageWindowTest, ProfitsTypedDrawByDrawMakeThePlan)
{
    TfrmSysStage *window = OpenStage();
    window->seK->SetValue(6);
    window->seN->SetValue(8);
    window->seD->SetValue(4);
    window->seMinProfitHit->SetValue(4);
    window->rbMultiProfit->setChecked(true);
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get(), testsupport::HangGuardMs));
    window->sgProfit->setFocus();
    const QStringList typed{"600", "1116,5", "0", "1500"};
    for (int row = 1; row <= int(typed.size()); ++row) {
        window->sgProfit->FocusCell(1, row, true);
        QTest::keyClicks(window->sgProfit, typed[row - 1]);
        ASSERT_TRUE(window->sgProfit->EditorVisible()) << row;
        QTest::keyClick(window->sgProfit->InplaceEditor(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(ColTexts(window->sgProfit, 1), (QStringList{"600,00", "1116,50", "0,00", "1500,00"}));
    sendCommand(window, WM_TASK_START);
    ASSERT_EQ(window->sgSystem->RowCount(), 5);
    const QString thousands = QChar(0x00A0);
    const std::vector<QStringList> rows = {
        {"1", "1", "28", "84,00" + Zl, "84,00" + Zl, "1" + thousands + "200,00" + Zl},
        {"2", "2", "56", "168,00" + Zl, "252,00" + Zl, "2" + thousands + "316,00" + Zl},
        {"3", "1", "28", "84,00" + Zl, "336,00" + Zl, "948,00" + Zl},
        {"4", "2", "56", "168,00" + Zl, "504,00" + Zl, "2" + thousands + "064,00" + Zl},
    };
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(PlanRow(*window, row).mid(0, 6), rows[size_t(row) - 1]) << row;
}

TEST_F(SysStageWindowTest, NothingPaysNoStartAndASavedPlanOpensWithoutAPlan)
{
    TfrmSysStage *window = Plan7Of6();
    Save(window);
    const std::string saved = DataDir + "L1.dat";
    ASSERT_TRUE(std::filesystem::exists(saved));
    // Create the full system only up to MaxComb.
    const int32_t maxComb = Limits.MaxComb;
    Limits.MaxComb = 6;
    window->seN->SetValue(8);
    window->seN->SetValue(7);
    EXPECT_FALSE(window->btnCreateSys->isEnabled());
    Limits.MaxComb = maxComb;

    NoPrizes();
    TfrmSysStage *empty = OpenStage();
    empty->seK->SetValue(6);
    empty->seN->SetValue(7);
    EXPECT_EQ(EnabledMask() & cmdStart, 0);
    // The range stays Lotto's smallest bet of 6 to its 6 drawn numbers, not 7..6.
    EXPECT_EQ(empty->seMinProfitHit->MinValue(), 6);
    EXPECT_EQ(empty->seMinProfitHit->MaxValue(), 6);

    script.answerBox(platform::IDOK);
    ASSERT_TRUE(OpenSystemFile(Games.GameById(LottoId), skStage, saved));
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Wygrana przy minimalnym trafieniu nie pokrywa kosztu systemu.");
    EXPECT_EQ(script.boxes()[0].Flags, 48);
    auto *opened = qobject_cast<TfrmSysStage *>(frame->ChildForms().back());
    ASSERT_NE(opened, empty);
    EXPECT_EQ(opened->sgSystem->RowCount(), 2);
    EXPECT_FALSE(opened->HasPlan());
    EXPECT_EQ(EnabledMask() & (cmdSave | cmdReport), 0);
}

TEST_F(SysStageWindowTest, SettingsAreWrittenAsBuiltAndReadFieldByField)
{
    TfrmSysStage *window = OpenStage();
    const QStringList defaults = Settings(*window);
    EXPECT_EQ(defaults.mid(4, 2), (QStringList{"100", "single"}));
    window->seK->SetValue(6);
    window->seN->SetValue(7);
    window->seD->SetValue(3);
    window->seMinProfitHit->SetValue(4);
    window->seMinProfit->SetValue(250);
    window->rbMultiProfit->setChecked(true);
    window->sgProfit->setCells(1, 2, "12,5");
    bool valid = false;
    window->sgProfit->OnValidateEdit(window->sgProfit, 1, 2, valid);
    ASSERT_TRUE(valid);
    window->Close();
    const platform::Bytes written = Record(7, 6, 3, 4, 2500000, true, {0, 125000});
    ASSERT_EQ(written.size(), 276u);
    EXPECT_EQ(store().value("Systems\\1\\6", "Params"), platform::RegValue(written));

    store().setValue("Systems\\1\\6", "Params", Record(9, 6, 12, 5, 4560000, true, {77500, 1}));
    const QStringList restored{"6", "9", "12", "5", "456", "multi", "7,75"};
    EXPECT_EQ(Settings(*OpenStage()), restored);

    // One field out of range at a time keeps the window's own value of it.
    struct TOutOfRange {
        const char *Field;
        platform::Bytes Bytes;
        int Index;
    };
    const std::vector<TOutOfRange> cases = {
        {"N", Record(50, 6, 12, 5, 4560000, true, {77500}), 1},
        {"D", Record(9, 6, 33, 5, 4560000, true, {77500}), 2},
        {"minimum hit", Record(9, 6, 12, 7, 4560000, true, {77500}), 3},
        {"profit", Record(9, 6, 12, 5, int64_t(1000001) * 10000, true, {77500}), 4},
        {"negative profit", Record(9, 6, 12, 5, -10000, true, {77500}), 4},
        {"profit cell", Record(9, 6, 12, 5, 4560000, true, {-4000}), 6},
        {"huge profit cell", Record(9, 6, 12, 5, 4560000, true, {int64_t(1000001) * 10000}), 6},
    };
    for (const TOutOfRange &field : cases) {
        SCOPED_TRACE(field.Field);
        store().setValue("Systems\\1\\6", "Params", field.Bytes);
        const QStringList shown = Settings(*OpenStage());
        for (int i = 0; i < restored.size(); ++i) {
            if (i == field.Index) {
                EXPECT_NE(shown[i], restored[i]) << i;
            } else {
                EXPECT_EQ(shown[i], restored[i]) << i;
            }
        }
    }

    // A size the game does not allow: the least it allows, shown as the plan takes it.
    for (const uint8_t k : {uint8_t(5), uint8_t(13)}) {
        store().setValue("Systems\\1\\6", "Params", Record(9, k, 12, 5, 4560000, true, {77500}));
        const TfrmSysStage *window = OpenStage();
        EXPECT_EQ(window->seK->text(), "6") << int(k);
        EXPECT_EQ(window->eCombCount->text(), "84") << "C(9, 6)";
    }
}

TEST_F(SysStageWindowTest, ProfitCellsTakeOnlyAmountsWithinTheirRange)
{
    TfrmSysStage *window = OpenStage();
    window->rbMultiProfit->setChecked(true);
    EXPECT_TRUE(window->sgProfit->isEnabled());
    EXPECT_FALSE(window->seMinProfit->isEnabled());
    for (const char *text : {"-0,4", "1000000,01", "abc"}) {
        window->sgProfit->setCells(1, 1, text);
        bool valid = true;
        window->sgProfit->OnValidateEdit(window->sgProfit, 1, 1, valid);
        EXPECT_FALSE(valid) << text;
        EXPECT_EQ(window->StageProfits[0], 0) << text;
    }
    window->sgProfit->setCells(1, 1, "1000000");
    bool valid = false;
    window->sgProfit->OnValidateEdit(window->sgProfit, 1, 1, valid);
    EXPECT_TRUE(valid);
    EXPECT_EQ(window->StageProfits[0], 10000000000);
    // Up to 32 draws, one row each.
    window->seD->SetValue(40);
    EXPECT_EQ(window->sgProfit->RowCount(), 33);
}

TEST_F(SysStageWindowTest, ASavedPlanOpensEqualAndItsReportHasTheHeaderAndThePlan)
{
    TfrmSysStage *window = Plan7Of6();
    std::vector<QStringList> plan;
    for (int row = 0; row < window->sgSystem->RowCount(); ++row)
        plan.push_back(PlanRow(*window, row));
    Save(window);
    ASSERT_TRUE(OpenSystemFile(Games.GameById(LottoId), skStage, DataDir + "L1.dat"));
    auto *opened = qobject_cast<TfrmSysStage *>(frame->ChildForms().back());
    ASSERT_NE(opened, window);
    ASSERT_EQ(opened->sgSystem->RowCount(), int(plan.size()));
    for (int row = 0; row < opened->sgSystem->RowCount(); ++row)
        EXPECT_EQ(PlanRow(*opened, row), plan[size_t(row)]) << row;

    testsupport::expectReport(script);
    sendCommand(opened, WM_SYS_REPORT);
    const std::vector<testsupport::XlsxSheet> sheets = testsupport::openedReport(script);
    ASSERT_EQ(sheets.size(), 1u);
    EXPECT_EQ(sheets[0].Name, "System");
    const std::vector<std::string> header = {"System stawkowy 6/7/3", " ", "Parametry:",
                                             " Liczba skreśleń     : 6", " Ilość liczb         : 7",
                                             " Liczba losowań      : 3", " Minimalne trafienie : 3"};
    for (size_t i = 0; i < header.size(); ++i)
        EXPECT_EQ(sheets[0].At("B" + std::to_string(2 + i)).Text, header[i]);
    EXPECT_FALSE(sheets[0].At("B9").HasValue);
    EXPECT_EQ(sheets[0].At("B11").Text, "Lp.");
    EXPECT_EQ(sheets[0].At("G11").Text, "3");
    EXPECT_EQ(sheets[0].At("B14").Text, "3");
    EXPECT_EQ(sheets[0].At("C14").Text, "3");
    EXPECT_FALSE(sheets[0].At("B15").HasValue);
}
