#include "engine/UGameMan.h"
#include "output/SlipDescription.h"
#include "output/UBlankPrint.h"
#include "platform/gui/QtPrinters.h"
#include "shell/FGlobalStartup.h"
#include "tests/fixtures/FreshRegistry.h"
#include "tests/fixtures/ProgramFolder.h"
#include "tests/fixtures/SlipRender.h"
#include "tests/output/LayoutBytes.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

constexpr int Dpi = 150;

class ShippedSlipsTest : public FreshRegistry {
protected:
    void SetUp() override
    {
        FreshRegistry::SetUp();
        folder.emplace();
        folder->addShippedGames();
        folder->addShippedSlips();
        InitGlobals();
    }
    void TearDown() override
    {
        platform::setPrinter(nullptr);
        DoneGlobals();
        folder.reset();
        FreshRegistry::TearDown();
    }

    std::optional<testsupport::ProgramFolder> folder;
};

TEST_F(ShippedSlipsTest, EachTestPrintShowsOneMarkPerBoxWhereTheGeometryPutsIt)
{
    ASSERT_EQ(Games.Count(), 3);
    for (int g = 0; g < Games.Count(); ++g) {
        const TGameInfo &game = Games.GetGame(g)->Info;
        SCOPED_TRACE(game.ShortName);
        PrintForms.Folder = BlancDir;
        PrintForms.LoadForGame(game);
        ASSERT_EQ(PrintForms.Count(), 1);
        TPrintForm &form = *PrintForms.GetForm(0);

        const auto pdf = folder->path() / (game.ShortName + ".pdf");
        platform::setPrinter(std::make_unique<platform::TPdfPrinter>(QString::fromStdString(pdf.string())));
        ComputePrinterScale();
        form.SetOrigin(0, 0);
        form.TestPrint();
        platform::setPrinter(nullptr);

        const std::vector<QImage> pages = testsupport::RenderPdf(pdf, Dpi);
        ASSERT_EQ(pages.size(), 1u);
        const QImage &page = pages[0];
        // A4 at 150 dots to the inch, within a pixel of rounding (the page is measured in whole points).
        EXPECT_NEAR(page.width(), 1240, 1);
        EXPECT_NEAR(page.height(), 1754, 1);
        std::vector<QRectF> expected;
        for (const TMmPoint &point : form.AllMarkPoints()) {
            expected.push_back(testsupport::ExpectedMark(form, point, Dpi));
            EXPECT_TRUE(QRectF(page.rect()).contains(expected.back()));
        }
        size_t boxes = size_t(form.PanelCount) * game.MaxNumber + (form.HasMarker ? 1 : 0);
        for (const TExtraGrid *grid : {&form.Grid1, &form.Grid2, &form.Grid3})
            boxes += grid->Present ? grid->High - grid->Low + 1 : 0;
        EXPECT_EQ(expected.size(), boxes);
        testsupport::ExpectMarksAt(testsupport::DarkMarks(page), expected);
        testsupport::ExpectCaptionAt(page, form, Dpi);
    }
}

// A QPrinter writing a PDF as a CUPS queue's printer does: it keeps the page its base sets up, or it is
// handed Qt's default margins (10 points) after that.
class TQueuePdfPrinter : public platform::TQPrinterBase {
public:
    TQueuePdfPrinter(const QString &FileName, bool DefaultMargins)
    {
        FPrinter.setOutputFormat(QPrinter::PdfFormat);
        FPrinter.setOutputFileName(FileName);
        FPrinter.setPageSize(QPageSize(QPageSize::A4));
        if (DefaultMargins) {
            FPrinter.setFullPage(false);
            FPrinter.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Point);
        }
    }
    bool Installed() const override { return true; }
};

TEST_F(ShippedSlipsTest, MarksAreMeasuredFromThePapersEdgeWhateverMarginsThePrinterKeeps)
{
    PrintForms.Folder = BlancDir;
    PrintForms.LoadForGame(Games.GameById(1)->Info);
    ASSERT_EQ(PrintForms.Count(), 1);
    TPrintForm &form = *PrintForms.GetForm(0);
    const TMmPoint number = {form.Cells[0].X + form.Panels[0].X, form.Cells[0].Y + form.Panels[0].Y};
    for (const bool defaultMargins : {false, true}) {
        SCOPED_TRACE(defaultMargins ? "Qt's default margins" : "the page as set up");
        const auto pdf = folder->path() / (defaultMargins ? "margins.pdf" : "page.pdf");
        platform::setPrinter(std::make_unique<TQueuePdfPrinter>(QString::fromStdString(pdf.string()), defaultMargins));
        ComputePrinterScale();
        form.SetOrigin(0, 0);
        ASSERT_TRUE(platform::Printer().BeginDoc());
        form.DrawCell(1, 1);
        platform::Printer().NewPage();
        form.DrawMarker();
        platform::Printer().EndDoc();
        platform::setPrinter(nullptr);

        // Number 1 of panel 1, and the marker on the second page.
        const std::vector<QImage> pages = testsupport::RenderPdf(pdf, Dpi);
        ASSERT_EQ(pages.size(), 2u);
        testsupport::ExpectMarksAt(testsupport::DarkMarks(pages[0]), {testsupport::ExpectedMark(form, number, Dpi)});
        testsupport::ExpectMarksAt(testsupport::DarkMarks(pages[1]),
                                   {testsupport::ExpectedMark(form, form.MarkerPoint(), Dpi)});
    }
}

// A layout for Lotto (49 numbers) that fits the page: the test layout's sizes, its panels moved apart.
testsupport::TestLayout FittingLayout()
{
    testsupport::TestLayout layout;
    layout.Name = "Kupon próbny";
    layout.Panels = {{200, 10}, {200, 70}, {150, 10}, {150, 70}, {100, 10}, {100, 70}};
    layout.Grid1 = testsupport::TestGrid{3, 1, 7, 12, 50, 10};
    layout.Grid3 = testsupport::TestGrid{5, 2, 1, 5, 50, 50};
    layout.Marker = std::pair(30.0, 130.0);
    return layout;
}

const std::string FittingText = "# próbny\n"
                                "Game = Lotto\n"
                                "Id = 1\n"
                                "Name = Kupon próbny\n"
                                "CellSizeX = 5\n"
                                "CellSizeY = 4\n"
                                "GapX = 2\n"
                                "GapY = 1\n"
                                "MarkSizeX = 3\n"
                                "MarkSizeY = 2\n"
                                "PerRow = 10\n"
                                "FirstCol = 3\n"
                                "Panel 1 = 200 10\n"
                                "Panel 2 = 200 70\n"
                                "Panel 3 = 150 10\n"
                                "Panel 4 = 150 70\n"
                                "Panel 5 = 100 10\n"
                                "Panel 6 = 100 70\n"
                                "Grid 1 = 3 1 7 12 50 10\n"
                                "Grid 3 = 5 2 1 5 50 50\n"
                                "Marker = 30 130\n"
                                "Caption = 30 5\n";

std::string Replaced(std::string Text, const std::string &Line, const std::string &By)
{
    const size_t at = Text.find(Line);
    EXPECT_NE(at, std::string::npos) << Line;
    return Text.replace(at, Line.size(), By);
}

TEST(SlipDescriptionTest, ADescriptionMakesTheLayoutFileByteForByte)
{
    TDynByteArr bytes;
    const std::filesystem::path games = std::filesystem::path(KORVANTILE_DATA_ROOT) / "games";
    ASSERT_EQ(SlipLayoutBytes(FittingText, games, bytes), "");
    EXPECT_EQ(bytes, testsupport::LayoutFileBytes(FittingLayout()));
    // The name in Windows-1250: "ó" is the one byte F3h.
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 6 + 7, bytes.begin() + 6 + 10), (std::vector<uint8_t>{'r', 0xF3, 'b'}));
}

TEST(SlipDescriptionTest, LayoutsTheProgramWouldRefuseOrThatMisplaceBoxesAreRefused)
{
    const std::filesystem::path games = std::filesystem::path(KORVANTILE_DATA_ROOT) / "games";
    const auto fault = [&](const std::string &Text) {
        TDynByteArr bytes;
        return SlipLayoutBytes(Text, games, bytes);
    };
    EXPECT_EQ(fault(Replaced(FittingText, "PerRow = 10", "PerRow = 0")), "the program would refuse this layout");
    EXPECT_EQ(fault(Replaced(FittingText, "Grid 1 = 3 1 7 12", "Grid 1 = 3 1 7 6")),
              "the program would refuse this layout");
    EXPECT_EQ(fault(Replaced(FittingText, "Panel 2 = 200 70", "Panel 2 = 200 50")),
              "the boxes of panel 1, number 17 and panel 2, number 9 overlap");
    EXPECT_EQ(fault(Replaced(FittingText, "Marker = 30 130", "Marker = 200 50")),
              "the boxes of panel 1, number 7 and the marker overlap");
    EXPECT_EQ(fault(Replaced(FittingText, "Panel 1 = 200 10", "Panel 1 = 211 10")),
              "the box of panel 1, number 1 leaves the page");
    EXPECT_EQ(fault(Replaced(FittingText, "Panel 6 = 100 70", "Panel 6 = 100 250")),
              "the box of panel 6, number 8 leaves the page");
    EXPECT_EQ(fault(Replaced(FittingText, "MarkSizeY = 2", "MarkSizeY = 4.5")), "the mark does not fit its box");
    EXPECT_EQ(fault(Replaced(FittingText, "Panel 6 = 100 70", "Panel 7 = 100 70")),
              "the panels are not numbered 1..6");
    EXPECT_EQ(fault(Replaced(FittingText, "Caption = 30 5\n", "")), "\"Caption\" is missing");
    EXPECT_EQ(fault(Replaced(FittingText, "GapX = 2", "GapX = dwa")), "line 7: a length expected");
    EXPECT_EQ(fault(Replaced(FittingText, "Game = Lotto", "Game = Keno")),
              "the game \"Keno\" has no valid description " + (games / "Keno.txt").string());
}

} // namespace
