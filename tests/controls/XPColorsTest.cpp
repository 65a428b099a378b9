#include "controls/XPColors.h"
#include "controls/XPMenu.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A palette whose button face, highlight and button shadow are known.
class XPPalette : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOld = QApplication::palette();
        QPalette palette = FOld;
        palette.setColor(QPalette::Button, QColor(200, 100, 50));   // $003264C8
        palette.setColor(QPalette::Highlight, QColor(10, 36, 106)); // $006A240A
        palette.setColor(QPalette::Dark, QColor(128, 128, 128));    // $00808080
        QApplication::setPalette(palette);
    }
    void TearDown() override { QApplication::setPalette(FOld); }

    QPalette FOld;
};

// The colours of a working set that the palette gives, in the order of TXPColors.
std::vector<TColor> PaletteColours(const TXPColors &C)
{
    return {C.MenuColor,    C.IconColor,           C.SelectFill, C.SelectBorder,
            C.CheckedFill,  C.CheckedSelectedFill, C.CheckFrame, C.MenuBarColor,
            C.DisabledText, C.SeparatorColor,      C.FrameLight, C.FrameDark};
}

} // namespace

TEST_F(XPPalette, ColourFunctionsRoundCapAndClamp)
{
    // 48 + Round(207 / 2) = 152, 32 + Round(223 / 2) = 144, 16 + Round(239 / 2) = 136: halves round up.
    EXPECT_EQ(LightenColor(0x00102030, 50), 0x00889098u);
    EXPECT_EQ(LightenColor(0x00000000, 68), 0x00ADADADu);
    EXPECT_EQ(LightenColor(0x00102030, 150), 0x00FFFFFFu);
    EXPECT_EQ(LightenColor(0x00102030, 0), 0x00102030u);
    // Green keeps two more than the others; each channel clamps.
    EXPECT_EQ(ShadeColor(0x00808080, 10), 0x00767876u);
    EXPECT_EQ(ShadeColor(0x00102030, 40), 0x00000008u);
    EXPECT_EQ(ShadeColor(0x00F0F0F0, -40), 0x00FFFFFFu);
    // (48 + 32 + 16) div 3 + 10 = 42; white caps at 240.
    EXPECT_EQ(GreyLevelColor(0x00102030, 10), 0x002A2A2Au);
    EXPECT_EQ(GreyLevelColor(clWhite, 0), 0x00F0F0F0u);
    // System colours are resolved through the palette first: 200 + Round(27.5), 100 + Round(77.5), 50 +
    // Round(102.5).
    EXPECT_EQ(LightenColor(clBtnFace, 50), 0x0099B2E4u);
    EXPECT_EQ(ShadeColor(clBtnFace, 60), 0x00002A8Cu);
    // The nearest colour of a 16-bit canvas, and of a palette canvas.
    EXPECT_EQ(LightenColor(0x00102030, 50, 16), 0x008C9294u);
    EXPECT_EQ(NearestColor(0x00102030, 16), 0x00102031u);
    EXPECT_EQ(NearestColor(0x00102030, 8), 0x00000000u);
    EXPECT_EQ(NearestColor(0x00C8C8C8, 8), 0x00C0C0C0u);
}

TEST_F(XPPalette, BitmapsAreGreyedLightenedAndShadowedPixelByPixel)
{
    QImage bitmap(3, 2, QImage::Format_RGB32);
    bitmap.fill(qRgb(255, 0, 255)); // the transparent colour, as at the bottom left
    bitmap.setPixel(0, 0, qRgb(30, 60, 90));
    bitmap.setPixel(1, 0, qRgb(30, 60, 90));
    bitmap.setPixel(2, 0, qRgb(255, 255, 255));

    QImage grey = bitmap;
    GreyBitmap(grey, 10);
    EXPECT_EQ(grey.pixel(1, 0), qRgb(70, 70, 70));
    EXPECT_EQ(grey.pixel(2, 0), qRgb(240, 240, 240));
    EXPECT_EQ(grey.pixel(0, 1), qRgb(180, 180, 180));

    QImage light = bitmap;
    LightenBitmap(light, 40);
    EXPECT_EQ(light.pixel(0, 0), qRgb(120, 138, 156)); // 30 + 90, 60 + 78, 90 + 66
    LightenBitmap(light, 400);
    EXPECT_EQ(light.pixel(0, 0), qRgb(255, 255, 255));

    QImage canvas(6, 5, QImage::Format_RGB32);
    canvas.fill(qRgb(1, 2, 3));
    {
        QPainter painter(&canvas);
        PaintBitmapShadow(painter, bitmap, 2, 1, 0x00445566);
        DrawBitmapTransparent(painter, bitmap, 0, 3);
    }
    EXPECT_EQ(canvas.pixel(2, 1), qRgb(0x66, 0x55, 0x44));
    EXPECT_EQ(canvas.pixel(4, 1), qRgb(0x66, 0x55, 0x44));
    EXPECT_EQ(canvas.pixel(2, 2), qRgb(1, 2, 3)); // transparent row
    EXPECT_EQ(canvas.pixel(1, 0), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.pixel(0, 3), qRgb(30, 60, 90));
    EXPECT_EQ(canvas.pixel(2, 3), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(0, 4), qRgb(1, 2, 3));
}

TEST_F(XPPalette, WorkingColoursAtHighAndLowDepth)
{
    QWidget form;
    TXPMenu menu(&form);

    // High depth: face lightened by 86 and 16, highlight by 68, 80 and 50, shadow by 10 and 25, face shaded
    // by 90 and 76.
    EXPECT_EQ(PaletteColours(menu.WorkingColors(32)),
              (std::vector<TColor>{0x00E2E9F7, 0x00537DD1, 0x00CFB9B1, 0x006A240A, 0x00E1D3CE, 0x00B59285,
                                   0x006A240A, 0x003264C8, 0x008D8D8D, 0x00A0A0A0, 0x00000C6E, 0x00001A7C}));
    EXPECT_EQ(PaletteColours(menu.WorkingColors(8)),
              (std::vector<TColor>{clWhite, 0x003264C8, clWhite, 0x006A240A, clWhite, clWhite, 0x006A240A,
                                   0x003264C8, 0x00808080, 0x00808080, 0x00808080, 0x00808080}));

    // Own colours: the selection dimmed only at high depth when asked, system colours resolved.
    menu.SetUseSystemColors(false);
    menu.SetSelectColor(0x00336699);
    menu.SetSelectFontColor(clBtnFace);
    EXPECT_EQ(menu.WorkingColors(32).SelectFont, 0x003264C8u);
    EXPECT_EQ(menu.WorkingColors(32).CheckedFill, 0x00336699u);
    menu.SetUseDimColor(true);
    EXPECT_EQ(menu.WorkingColors(32).SelectFill, 0x00BECEDEu); // lightened by 68
    EXPECT_EQ(menu.WorkingColors(8).SelectFill, 0x00336699u);
    EXPECT_EQ(menu.WorkingColors(8).CheckedSelectedFill, clSilver);
}
