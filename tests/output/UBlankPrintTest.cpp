#include "output/UBlankPrint.h"

#include "engine/UGame.h"
#include "platform/gui/RecordingPrinter.h"
#include "tests/output/LayoutBytes.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>

namespace {

using testsupport::LayoutBody;
using testsupport::LayoutFileBytes;
using testsupport::TestGrid;
using testsupport::TestLayout;
using testsupport::WithCRC;

TGameInfo TestGame(uint8_t Id, uint8_t MaxNumber)
{
    TGameInfo game;
    game.Id = Id;
    game.MaxNumber = MaxNumber;
    return game;
}

void ExpectPoint(const TMmPoint &Point, double X, double Y)
{
    EXPECT_DOUBLE_EQ(Point.X, X);
    EXPECT_DOUBLE_EQ(Point.Y, Y);
}

TEST(PrintFormTest, AFileBuiltByteByByteLoadsEveryFieldAndPlacesTheBoxes)
{
    const TGameInfo game = TestGame(1, 20);
    TestLayout layout;
    layout.Grid2 = TestGrid{4, 1, 2, 5, 130, 80};
    TPrintForm form(&game, 1);
    ASSERT_TRUE(form.LoadFromBytes(LayoutFileBytes(layout)));

    EXPECT_EQ(form.Name, "Kupon testowy");
    EXPECT_EQ(std::tuple(form.CellSizeY, form.CellSizeX, form.GapY, form.GapX, form.MarkSizeX, form.MarkSizeY),
              std::tuple(4.0, 5.0, 1.0, 2.0, 3.0, 2.0));
    EXPECT_EQ(std::tuple(form.PanelCount, form.PerRow, form.FirstCol), std::tuple(6, 10, 3));
    ASSERT_EQ(form.Panels.size(), 6u);
    ExpectPoint(form.Panels[5], 20, 60);
    EXPECT_EQ(std::tuple(form.Grid1.Present, form.Grid1.PerRow, form.Grid1.FirstCol, form.Grid1.Low, form.Grid1.High),
              std::tuple(true, 3, 1, 7, 12));
    EXPECT_EQ(std::tuple(form.Grid2.Present, form.Grid2.Low, form.Grid2.High), std::tuple(true, 2, 5));
    EXPECT_EQ(std::tuple(form.Grid3.Present, form.Grid3.PerRow, form.Grid3.FirstCol, form.Grid3.OffsetY),
              std::tuple(true, 5, 2, 50.0));
    EXPECT_EQ(std::tuple(form.HasMarker, form.MarkerX, form.MarkerY, form.CaptionX, form.CaptionY),
              std::tuple(true, 170.0, 100.0, 30.0, 5.0));

    // Rows of ten from column 3: 1..8 in the first row, 9 at column 1 of the second. X is the box's edge
    // toward the origin less half of (box - mark): rows step 7 mm leftwards; Y the box's centre, 5 mm apart.
    ASSERT_EQ(form.Cells.size(), 20u);
    ExpectPoint(form.Cells[0], -1, 12);
    ExpectPoint(form.Cells[7], -1, 47);
    ExpectPoint(form.Cells[8], -8, 2);
    ExpectPoint(form.Cells[9], -8, 7);
    ExpectPoint(form.Cells[17], -8, 47);
    ExpectPoint(form.Cells[18], -15, 2);
    ExpectPoint(form.Cells[19], -15, 7);
    // The mark of number 1 spans -(5 + 3) / 2 .. -(5 - 3) / 2 across, centred at 4 / 2 down.
    EXPECT_DOUBLE_EQ(form.Cells[0].X - form.MarkSizeX, -4);
    // Extra grids step the same way from their offsets.
    ASSERT_EQ(form.Grid1.Cells.size(), 6u);
    ExpectPoint(form.Grid1.Cells[0], 149, 12);
    ExpectPoint(form.Grid1.Cells[2], 149, 22);
    ExpectPoint(form.Grid1.Cells[3], 142, 12);
    ExpectPoint(form.Grid1.Cells[5], 142, 22);
    ASSERT_EQ(form.Grid3.Cells.size(), 5u);
    ExpectPoint(form.Grid3.Cells[0], 149, 57);
    ExpectPoint(form.Grid3.Cells[3], 149, 72);
    ExpectPoint(form.Grid3.Cells[4], 142, 52);
    ExpectPoint(form.Grid2.Cells[3], 130 - 1, 80 + 2 + 15);
    ExpectPoint(form.MarkerPoint(), 169, 102);
}

TEST(PrintFormTest, LayoutsThatWouldBeReadWrongAreRefused)
{
    const TGameInfo game = TestGame(1, 20);
    const auto changed = [](const std::function<void(TestLayout &)> &Change) {
        TestLayout layout;
        Change(layout);
        return LayoutFileBytes(layout);
    };
    std::vector<std::pair<const char *, std::vector<uint8_t>>> refused{
        {"no panel", changed([](TestLayout &L) { L.Panels.clear(); })},
        {"main grid of no box per row", changed([](TestLayout &L) { L.PerRow = 0; })},
        {"grid 3 of no box per row", changed([](TestLayout &L) { L.Grid3->PerRow = 0; })},
        {"grid 1 High below Low", changed([](TestLayout &L) { L.Grid1->High = 6; })},
        {"a length that is no number", changed([](TestLayout &L) { L.GapX = std::nan(""); })},
        {"an endless length", changed([](TestLayout &L) { L.Marker->first = std::numeric_limits<double>::infinity(); })},
        {"a length beyond a metre", changed([](TestLayout &L) { L.CellSizeY = 1000.5; })},
    };
    std::vector<uint8_t> body = LayoutBody(TestLayout());
    body.pop_back();
    refused.emplace_back("a byte short", WithCRC(body));
    body.insert(body.end(), {0, 0});
    refused.emplace_back("a byte too long", WithCRC(body));
    body.resize(6 + 128 + 6 * 8 + 3 + 16 * 6 + 1 + 5);
    refused.emplace_back("ending inside grid 1", WithCRC(body));

    for (const auto &[what, bytes] : refused) {
        TPrintForm form(&game, 1);
        EXPECT_FALSE(form.LoadFromBytes(bytes)) << what;
    }
    TPrintForm form(&game, 1);
    EXPECT_TRUE(form.LoadFromBytes(LayoutFileBytes(TestLayout()))) << "the unchanged layout";
    EXPECT_FALSE(form.LoadFromFile((testsupport::makeTempDir("slips-") / "none.dat").string()));
}

TEST(PrintFormsTest, AGamesLayoutsLoadByIdTheFirstFileOfAnIdWinning)
{
    const auto folder = testsupport::makeTempDir("blanc-");
    const auto write = [&](const char *Name, const std::vector<uint8_t> &Bytes) {
        std::ofstream(folder / Name, std::ios::binary) << testsupport::AsText(Bytes);
    };
    const auto layout = [](uint8_t GameId, uint8_t FormId, const char *Name) {
        TestLayout L;
        L.GameId = GameId;
        L.FormId = FormId;
        L.Name = Name;
        return L;
    };
    write("a.dat", LayoutFileBytes(layout(1, 7, "Siódemka")));
    write("b.dat", LayoutFileBytes(layout(1, 2, "Pierwszy")));
    write("c", LayoutFileBytes(layout(1, 2, "Drugi")));
    write("d.dat", LayoutFileBytes(layout(2, 1, "Innej gry")));
    std::vector<uint8_t> badCrc = LayoutFileBytes(layout(1, 1, "Zła suma"));
    badCrc.back() ^= 1;
    write("e.dat", badCrc);
    std::vector<uint8_t> otherKind = LayoutBody(layout(1, 3, "Inny rodzaj"));
    otherKind[4] = 2;
    write("f.dat", WithCRC(otherKind));
    std::vector<uint8_t> otherVersion = LayoutBody(layout(1, 4, "Inna wersja"));
    otherVersion[1] = 1;
    write("g.dat", WithCRC(otherVersion));
    TestLayout refused = layout(1, 5, "Bez paneli");
    refused.Panels.clear();
    write("h.dat", LayoutFileBytes(refused));

    const TGameInfo game = TestGame(1, 20);
    TPrintForms forms(folder.string());
    forms.LoadForGame(game);
    ASSERT_EQ(forms.Count(), 2);
    EXPECT_EQ(std::tuple(forms.GetForm(0)->FormId, forms.GetForm(0)->Name), std::tuple(2, std::string("Pierwszy")));
    EXPECT_EQ(std::tuple(forms.GetForm(1)->FormId, forms.GetForm(1)->Name), std::tuple(7, std::string("Siódemka")));
    EXPECT_EQ(forms.GetForm(1)->Game, &game);

    const TGameInfo other = TestGame(2, 20);
    forms.LoadForGame(other);
    ASSERT_EQ(forms.Count(), 1);
    EXPECT_EQ(forms.GetForm(0)->Name, "Innej gry");
}

class PrintFormDrawingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // 10 pixels to the millimetre across and down.
        auto owned = std::make_unique<platform::TRecordingPrinter>(2000, 3000, 200.0, 300.0);
        printer = owned.get();
        platform::setPrinter(std::move(owned));
        ComputePrinterScale();
    }
    void TearDown() override { platform::setPrinter(nullptr); }

    platform::TRecordingPrinter *printer = nullptr;
};

TEST_F(PrintFormDrawingTest, MarksLandAtTheScaledPlacesFromTheOrigin)
{
    EXPECT_EQ(std::tuple(PxPerMmX, PxPerMmY), std::tuple(10.0, 10.0));
    // Halves round to even.
    EXPECT_EQ(std::tuple(MmToPxX(1.25), MmToPxX(0.75), MmToPxX(-1.25), MmToPxY(0.25), MmToPxY(0.26)),
              std::tuple(12, 8, -12, 2, 3));

    const TGameInfo game = TestGame(1, 20);
    TPrintForm form(&game, 1);
    ASSERT_TRUE(form.LoadFromBytes(LayoutFileBytes(TestLayout())));
    form.SetOrigin(2.5, 1.25);
    EXPECT_EQ(std::tuple(form.OriginX, form.OriginY), std::tuple(25, 12));

    ASSERT_TRUE(printer->BeginDoc());
    // Number 9 on panel 2 (100, 60): (92, 62) mm is pixel (945, 632); the mark 30 x 20 pixels spans
    // leftwards from it and half its height up and down.
    form.DrawCell(2, 9);
    form.DrawGrid1Cell(10);
    form.DrawGrid3Cell(5);
    form.DrawMarker();
    form.DrawCaption(2, 7, 12);
    printer->EndDoc();
    ASSERT_EQ(printer->Pages.size(), 1u);
    const auto &page = printer->Pages[0];
    EXPECT_EQ(page.Marks, (std::vector<QRect>{QRect(915, 622, 30, 20), QRect(1415, 122, 30, 20),
                                              QRect(1415, 522, 30, 20), QRect(1685, 1022, 30, 20)}));
    ASSERT_EQ(page.Captions.size(), 1u);
    EXPECT_EQ(page.Captions[0].TopLeft, QPoint(325, 62));
    EXPECT_EQ(page.Captions[0].Text, "2(7-12)");
}

} // namespace
