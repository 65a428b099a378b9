#include "output/FGlobalPrint.h"
#include "output/FPrintSystem.h"

#include "controls/FloatSpin.h"
#include "core/UGlobalRegistry.h"
#include "engine/UGameMan.h"
#include "engine/USysUser.h"
#include "platform/gui/RecordingPrinter.h"
#include "shell/FGlobalStartup.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/ModalScript.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/output/LayoutBytes.h"
#include "tests/support/HangGuard.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <optional>

namespace {

using testsupport::TestGrid;
using testsupport::TestLayout;
using Page = platform::TRecordingPrinter::Page;

// Where a mark at (X, Y) mm lands at 10 pixels to the millimetre with the margins 2.5 mm left and
// 1.5 mm top: the 3 x 2 mm mark spans leftwards from X and 1 mm up and down from Y.
QRect MarkAt(int X, int Y)
{
    return QRect(10 * X + 25 - 30, 10 * Y + 15 - 10, 30, 20);
}

class PrintSystemTest : public FreshRegistry {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        folder->addShippedGames();
        InitGlobals();
        auto owned = std::make_unique<platform::TRecordingPrinter>(2000, 3000, 200.0, 300.0);
        printer = owned.get();
        platform::setPrinter(std::move(owned));
        lotto = Games.GameById(1);
        // Twelve rows beginning 1..12, then the thirteenth.
        TStrArray rows;
        for (int k = 1; k <= 12; ++k)
            rows.push_back(std::to_string(k) + " 20 21 22 23 24");
        rows.push_back("25 30 31 39 40 49");
        system = std::make_unique<TSysUser>(lotto);
        ASSERT_TRUE(system->LoadFromStrings(rows));
        ASSERT_EQ(system->ViewCount(), 13);
    }
    void TearDown() override
    {
        platform::setPrinter(nullptr);
        DoneGlobals();
        folder.reset();
        FreshRegistry::TearDown();
    }

    void WriteLayout(const std::string &Name, const TestLayout &Layout)
    {
        folder->writeFile("Blanc/" + Name, testsupport::AsText(testsupport::LayoutFileBytes(Layout)));
    }

    // Prints through the entry of the system windows; Play is the user in the window, with the margins
    // already typed.
    void Print(const std::function<void(TfrmPrintSystem &)> &Play)
    {
        script.onDialog([&](QDialog &Dialog) {
            auto &window = dynamic_cast<TfrmPrintSystem &>(Dialog);
            window.sePosX->setText("2,5");
            window.sePosY->setText("1,5");
            Play(window);
        });
        PrintSystem(lotto, system.get());
    }

    std::vector<QString> Captions() const
    {
        std::vector<QString> texts;
        for (const Page &page : printer->Pages)
            for (const auto &caption : page.Captions)
                texts.push_back(caption.Text);
        return texts;
    }

    std::optional<testsupport::ProgramFolder> folder;
    testsupport::ModalScript script;
    platform::TRecordingPrinter *printer = nullptr;
    TGameData *lotto = nullptr;
    std::unique_ptr<TSysUser> system;
};

TEST_F(PrintSystemTest, ThirteenRowsOnSixPanelsPrintThreeSlipsTheLastHoldingRowThirteenAlone)
{
    WriteLayout("slip.dat", TestLayout());
    script.answerBox(1);
    Print([](TfrmPrintSystem &Window) {
        EXPECT_EQ(std::tuple(Window.seFrom->text(), Window.seTo->text()), std::tuple("1", "3"));
        // A system of six numbers a row has no box in grid 1 (7..12); the stake starts at grid 3's lowest.
        EXPECT_EQ(Window.seRate->text(), "1");
        Window.btnPrint->click();
        Window.btnClose->click();
    });
    EXPECT_EQ(std::tuple(printer->Jobs, printer->EndedJobs, printer->Faults), std::tuple(1, 1, 0));
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(std::tuple(script.boxes()[0].Text, script.boxes()[0].Flags),
              std::tuple("Kupony 1 - 3 wysłano do drukarki.", 64));
    ASSERT_EQ(printer->Pages.size(), 3u);
    EXPECT_EQ(Captions(), (std::vector<QString>{"1(1-6)", "2(7-12)", "3(13-13)"}));
    EXPECT_EQ(printer->Pages[0].Marks.size(), 6u * 6 + 2);
    // Row 13 on panel 1 (100, 10): 25 at row 2, column 7; 30, 31 at row 3; 39, 40 at row 4; 49 at row 5.
    const Page &last = printer->Pages[2];
    EXPECT_EQ(last.Marks, (std::vector<QRect>{MarkAt(85, 42), MarkAt(78, 17), MarkAt(78, 22), MarkAt(71, 12),
                                              MarkAt(71, 17), MarkAt(64, 12), MarkAt(149, 57), MarkAt(169, 102)}));
    ASSERT_EQ(last.Captions.size(), 1u);
    EXPECT_EQ(last.Captions[0].TopLeft, QPoint(325, 65));

    // The margins stay for the layout; it has no grid 2 or 3 value to keep but the stake.
    ProgramReg.SetSection("Blanc\\1\\1");
    EXPECT_EQ(std::tuple(ProgramReg.ReadFloat("XPos", 0), ProgramReg.ReadFloat("YPos", 0)), std::tuple(2.5, 1.5));
    EXPECT_EQ(ProgramReg.ReadInteger("Rate", 0), 1);
    EXPECT_EQ(ProgramReg.GetDataSize("Draws"), -1);
}

TEST_F(PrintSystemTest, TheChosenSlipsArePrintedWithinTheSlipsThereAre)
{
    WriteLayout("slip.dat", TestLayout());
    const auto printSlips = [&](const QString &From, const QString &To) {
        printer->Pages.clear();
        printer->Jobs = 0;
        if (From.toInt() <= To.toInt())
            script.answerBox(1);
        Print([&](TfrmPrintSystem &Window) {
            Window.seTo->setText(To);
            Window.seFrom->setText(From);
            Window.btnPrint->click();
        });
        return Captions();
    };
    // Slips 2 to 3: two pages and no page after the last.
    EXPECT_EQ(printSlips("2", "3"), (std::vector<QString>{"2(7-12)", "3(13-13)"}));
    EXPECT_EQ(printer->Pages.size(), 2u);
    // An empty or 0 "Od" starts at slip 1; a "Do" past the last slip ends at the last.
    EXPECT_EQ(printSlips("", "2"), (std::vector<QString>{"1(1-6)", "2(7-12)"}));
    EXPECT_EQ(printSlips("0", "3"), (std::vector<QString>{"1(1-6)", "2(7-12)", "3(13-13)"}));
    EXPECT_EQ(printSlips("3", "9"), (std::vector<QString>{"3(13-13)"}));
    // "Od" above "Do" prints nothing, not even an empty job.
    EXPECT_EQ(printSlips("3", "2"), std::vector<QString>());
    EXPECT_EQ(printer->Jobs, 0);
    EXPECT_EQ(printer->Faults, 0);
    ASSERT_EQ(script.boxes().size(), 4u);
    EXPECT_EQ(script.boxes()[3].Text, "Kupon 3 wysłano do drukarki.");
}

TEST_F(PrintSystemTest, EnterClosesWithoutPrintingAndTheTestPrintMarksTheWholeLayout)
{
    WriteLayout("slip.dat", TestLayout());
    script.answerBox(1);
    Print([](TfrmPrintSystem &Window) {
        Window.btnTest->click();
        Window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window, testsupport::HangGuardMs));
        QTest::keyClick(Window.seFrom, Qt::Key_Return);
        EXPECT_FALSE(Window.isVisible());
        EXPECT_EQ(Window.result(), 2);
    });
    ASSERT_EQ(printer->Pages.size(), 1u);
    EXPECT_EQ(printer->Pages[0].Marks.size(), 6u * 49 + 6 + 5 + 1);
    EXPECT_EQ(Captions(), (std::vector<QString>{"9999(99999-99999)"}));
    ASSERT_EQ(script.boxes().size(), 1u);
    EXPECT_EQ(script.boxes()[0].Text, "Stronę próbną wysłano do drukarki.");
}

TEST_F(PrintSystemTest, AnotherLayoutBringsItsOwnDrawsAndStakeEditsAndStoredValuesInRange)
{
    TestLayout plain;
    plain.Name = "Bez stawki";
    plain.Grid3.reset();
    WriteLayout("a.dat", plain);
    TestLayout full;
    full.FormId = 2;
    full.Name = "Ze stawką";
    full.Grid2 = TestGrid{9, 1, 2, 10, 130, 120};
    full.Grid3 = TestGrid{5, 1, 10, 20, 150, 50};
    WriteLayout("b.dat", full);
    ProgramReg.SetSection("Blanc\\1\\2");
    ProgramReg.WriteInteger("Draws", 7);
    ProgramReg.WriteInteger("Rate", 25);

    script.answerBox(1);
    Print([](TfrmPrintSystem &Window) {
        ASSERT_EQ(Window.cbForms->count(), 2);
        Window.cbForms->setCurrentIndex(1);
        EXPECT_EQ(std::tuple(Window.seDraws->MinValue(), Window.seDraws->MaxValue(), Window.seDraws->text()),
                  std::tuple(1.0, 10.0, QString("7")));
        // The stored stake lies outside 10..20: the grid's lowest stays.
        EXPECT_EQ(std::tuple(Window.seRate->MinValue(), Window.seRate->MaxValue(), Window.seRate->text()),
                  std::tuple(10.0, 20.0, QString("10")));
        // The margins went with the first layout; this one has its own (none stored yet).
        EXPECT_EQ(Window.sePosX->text(), "0,0");
        Window.sePosX->setText("2,5");
        Window.sePosY->setText("1,5");
        Window.seTo->setText("1");
        Window.btnPrint->click();
        Window.cbForms->setCurrentIndex(0);
        EXPECT_EQ(Window.sePosX->text(), "2,5");
    });
    ASSERT_EQ(printer->Pages.size(), 1u);
    // Six rows, then 7 draws (grid 2 at (130, 120), sixth box) and the stake 10 (grid 3's first box).
    const auto &marks = printer->Pages[0].Marks;
    ASSERT_EQ(marks.size(), 6u * 6 + 3);
    EXPECT_EQ(marks[36], MarkAt(129, 147));
    EXPECT_EQ(marks[37], MarkAt(149, 52));

    ProgramReg.SetSection("Blanc\\1\\1");
    EXPECT_EQ(ProgramReg.GetDataSize("Rate"), -1);
    EXPECT_EQ(ProgramReg.GetDataSize("Draws"), -1);
    EXPECT_EQ(ProgramReg.ReadFloat("XPos", 0), 2.5);
    ProgramReg.SetSection("Blanc\\1\\2");
    EXPECT_EQ(std::tuple(ProgramReg.ReadInteger("Draws", 0), ProgramReg.ReadInteger("Rate", 0)), std::tuple(7, 10));
}

TEST_F(PrintSystemTest, NoPrinterOrNoLayoutOfTheGameIsToldAndNothingOpens)
{
    WriteLayout("slip.dat", TestLayout());
    printer->SetInstalled(false);
    script.answerBox(1);
    PrintSystem(lotto, system.get());
    printer->SetInstalled(true);
    script.answerBox(1);
    PrintSystem(Games.GameById(2), system.get());
    ASSERT_EQ(script.boxes().size(), 2u);
    EXPECT_EQ(script.boxes()[0].Text, "W systemie nie ma zainstalowanej drukarki.");
    EXPECT_EQ(script.boxes()[1].Text, "Dla tej gry nie zdefiniowano żadnych kuponów.");
    EXPECT_EQ(script.boxes()[1].Flags, 48);
    EXPECT_TRUE(script.dialogs().empty());
    EXPECT_EQ(printer->Jobs, 0);
}

} // namespace
