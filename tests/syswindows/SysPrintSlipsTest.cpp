#include "engine/USysGeneral.h"
#include "output/FPrintSystem.h"
#include "output/UBlankPrint.h"
#include "platform/gui/QtPrinters.h"
#include "tests/fixtures/SlipRender.h"
#include "tests/syswindows/SysWindowTestSupport.h"

namespace {

constexpr int Dpi = 150;

class SysPrintSlipsTest : public SysWindowTest {
protected:
    void TearDown() override
    {
        platform::setPrinter(nullptr);
        SysWindowTest::TearDown();
    }
};

TEST_F(SysPrintSlipsTest, AClassicSystemPrintsOntoTheShippedLottoSlipRowByPanel)
{
    TGenSysForm *window = Generate(8, 6, 12);
    ASSERT_EQ(window->ViewCount(), 12);
    folder->addShippedSlips();
    const auto pdf = folder->path() / "system.pdf";
    platform::setPrinter(std::make_unique<platform::TPdfPrinter>(QString::fromStdString(pdf.string())));
    script.answerBox(1);
    script.onDialog([](QDialog &Dialog) {
        auto &print = dynamic_cast<TfrmPrintSystem &>(Dialog);
        EXPECT_EQ(print.windowTitle(), "Drukowanie systemu");
        EXPECT_EQ(std::tuple(print.seFrom->text(), print.seTo->text()), std::tuple("1", "2"));
        print.btnPrint->click();
    });
    sendCommand(window, WM_SYS_PRINT);
    platform::setPrinter(nullptr);

    const std::vector<QImage> pages = testsupport::RenderPdf(pdf, Dpi);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(PrintForms.Count(), 1);
    const TPrintForm &form = *PrintForms.GetForm(0);
    ASSERT_EQ(form.PanelCount, 8);
    for (int slip = 0; slip < 2; ++slip) {
        SCOPED_TRACE(slip + 1);
        // Eight rows, then four, one per panel; six numbers a row has no box in grid 1, a single draw
        // none in grid 2; the marker on every slip.
        std::vector<QRectF> expected;
        for (int row = slip * 8; row < std::min(slip * 8 + 8, 12); ++row) {
            const TMmPoint &panel = form.Panels[size_t(row - slip * 8)];
            const uint8_t *numbers = window->System->GetComb(row, true);
            for (int i = 0; i < 6; ++i) {
                const TMmPoint &cell = form.Cells[size_t(numbers[i] - 1)];
                expected.push_back(testsupport::ExpectedMark(form, {cell.X + panel.X, cell.Y + panel.Y}, Dpi));
            }
        }
        expected.push_back(testsupport::ExpectedMark(form, form.MarkerPoint(), Dpi));
        testsupport::ExpectMarksAt(testsupport::DarkMarks(pages[size_t(slip)]), expected);
        testsupport::ExpectCaptionAt(pages[size_t(slip)], form, Dpi);
    }
}

} // namespace
