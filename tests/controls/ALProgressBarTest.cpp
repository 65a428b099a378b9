#include "controls/ALProgressBar.h"

#include <QFontMetrics>
#include <QImage>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

QRgb rgbOf(TColor color)
{
    return toQColor(color).rgb();
}

QRgb pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y).rgb();
}

// A bar with plain, easily told colours and no text.
class ProgressBarImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bar.resize(102, 20);
        bar.SetBarColorStyle(cs1Color);
        bar.SetBarColor1(clNavy);
        bar.SetBackgroundColor(clYellow);
        bar.SetBorderColor1(clRed);
        bar.SetBorderColor2(clLime);
        bar.SetShowPosText(false);
        bar.Loaded();
    }
    QImage image() { return bar.grab().toImage(); }

    TALProgressBar bar;
};

TEST(ALProgressBarTest, PositionMovesOnlyByAPixelsWorth)
{
    TALProgressBar bar;
    bar.resize(348, 20);
    bar.SetMax(10000);
    // 20 < 10000 / 348: the shown value follows, Position stays.
    bar.SetPosition(20);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_EQ(bar.ShownValue(), 20);
    bar.SetPosition(0);
    EXPECT_EQ(bar.ShownValue(), 20);
    // Small steps add up until they reach a pixel.
    bar.SetPosition(40);
    EXPECT_EQ(bar.Position(), 40);
    bar.SetPosition(60);
    EXPECT_EQ(bar.Position(), 40);
    EXPECT_EQ(bar.ShownValue(), 60);
    bar.SetPosition(69);
    EXPECT_EQ(bar.Position(), 69);

    bar.SetPosition(10001);
    bar.SetPosition(-1);
    EXPECT_EQ(bar.Position(), 69);
    EXPECT_EQ(bar.ShownValue(), 69);
    // Max is reached however small the last step.
    bar.SetPosition(9990);
    bar.SetPosition(10000);
    EXPECT_EQ(bar.Position(), 10000);
}

TEST(ALProgressBarTest, PositionTextShowsTheShownValueAsAShareOfMax)
{
    TALProgressBar bar;
    bar.SetMax(200);
    bar.SetPrecission(2);
    EXPECT_EQ(bar.PositionText(), u"");
    bar.SetPosition(50);
    EXPECT_EQ(bar.PositionText(), u"25,00%");
    bar.SetPrecission(0);
    bar.SetPosTextPrefix(QStringLiteral("Postęp "));
    bar.SetPosTextSuffix(QStringLiteral(" proc."));
    EXPECT_EQ(bar.PositionText(), u"Postęp 25 proc.");
    // Min is not subtracted.
    bar.SetMin(100);
    bar.SetPosition(150);
    EXPECT_EQ(bar.PositionText(), u"Postęp 75 proc.");
}

TEST(ALProgressBarTest, GradientStepsAndTheirBounds)
{
    EXPECT_EQ(gradientStepColor(0x000000, 0x0000FF, 1, 5), 0x000000u);
    EXPECT_EQ(gradientStepColor(0x000000, 0x0000FF, 3, 5), 0x000080u);
    EXPECT_EQ(gradientStepColor(0x000000, 0x0000FF, 5, 5), 0x0000FFu);
    EXPECT_EQ(gradientStepColor(0x102030, 0x302010, 2, 3), 0x202020u);
    EXPECT_EQ(gradientStepColor(0x123456, 0xFFFFFF, 1, 1), 0x123456u);
    EXPECT_EQ(gradientStepColor(clBtnFace, clBtnFace, 2, 2), ColorToRGB(clBtnFace));
    try {
        gradientStepColor(0, 0, 0, 5);
        FAIL() << "no exception";
    } catch (const std::runtime_error &error) {
        EXPECT_STREQ(error.what(), "ColorIndex can't be less than 1 or greater than 5");
    }
    EXPECT_THROW(gradientStepColor(0, 0, 6, 5), std::runtime_error);
}

TEST_F(ProgressBarImageTest, OneColourBarLeavesABandInsideTheBorder)
{
    bar.SetPosition(30);
    const QImage picture = image();
    const int y = 10;
    // Border: first colour on the top and left, second on the bottom and right.
    EXPECT_EQ(pixel(picture, 0, y), rgbOf(clRed));
    EXPECT_EQ(pixel(picture, 50, 0), rgbOf(clRed));
    EXPECT_EQ(pixel(picture, 101, 0), rgbOf(clRed));
    EXPECT_EQ(pixel(picture, 101, y), rgbOf(clLime));
    EXPECT_EQ(pixel(picture, 50, 19), rgbOf(clLime));
    EXPECT_EQ(pixel(picture, 0, 19), rgbOf(clRed));
    // 30 of 100 pixels filled, from the inner box's left edge; the bar itself starts one pixel in.
    EXPECT_EQ(pixel(picture, 1, y), rgbOf(clYellow));
    EXPECT_EQ(pixel(picture, 2, y), rgbOf(clNavy));
    EXPECT_EQ(pixel(picture, 30, y), rgbOf(clNavy));
    EXPECT_EQ(pixel(picture, 31, y), rgbOf(clYellow));
    EXPECT_EQ(pixel(picture, 10, 1), rgbOf(clYellow));
    EXPECT_EQ(pixel(picture, 10, 2), rgbOf(clNavy));
    EXPECT_EQ(pixel(picture, 10, 17), rgbOf(clNavy));
    EXPECT_EQ(pixel(picture, 10, 18), rgbOf(clYellow));

    bar.SetDirection(pdRightToLeft);
    const QImage reversed = image();
    EXPECT_EQ(pixel(reversed, 70, y), rgbOf(clYellow));
    EXPECT_EQ(pixel(reversed, 71, y), rgbOf(clNavy));
    EXPECT_EQ(pixel(reversed, 99, y), rgbOf(clNavy));
    EXPECT_EQ(pixel(reversed, 100, y), rgbOf(clYellow));
}

TEST_F(ProgressBarImageTest, FilledLengthRoundsHalvesToEvenAndFollowsPositionNotShownValue)
{
    bar.resize(40, 20);
    bar.SetShowBorder(false);
    bar.SetMax(80);
    // 40 pixels: 2.5 of them for a position of 5 round to 2, 7.5 for 15 round to 8.
    bar.SetPosition(5);
    EXPECT_EQ(bar.Position(), 5);
    QImage picture = image();
    EXPECT_EQ(pixel(picture, 2, 10), rgbOf(clYellow));
    bar.SetPosition(15);
    picture = image();
    EXPECT_EQ(pixel(picture, 7, 10), rgbOf(clNavy));
    EXPECT_EQ(pixel(picture, 8, 10), rgbOf(clYellow));

    // 1028 is less than a pixel's worth (10000 / 348) from 1000: the painted length stays at
    // Round(1000 / 10000 * 348) = 35, where 1028 alone would have given 36.
    bar.resize(348, 20);
    bar.SetMax(10000);
    bar.SetPosition(1000);
    bar.SetPosition(1028);
    ASSERT_EQ(bar.Position(), 1000);
    picture = image();
    EXPECT_EQ(pixel(picture, 34, 10), rgbOf(clNavy));
    EXPECT_EQ(pixel(picture, 35, 10), rgbOf(clYellow));
    bar.SetPosition(1029);
    picture = image();
    EXPECT_EQ(pixel(picture, 35, 10), rgbOf(clNavy));
    EXPECT_EQ(pixel(picture, 36, 10), rgbOf(clYellow));
}

TEST_F(ProgressBarImageTest, GradientsRunOverTheBarImage)
{
    bar.SetPosition(100);
    bar.SetBarColorStyle(cs2Colors);
    bar.SetBarColor1(0x000000);
    bar.SetBarColor2(0x0000FF);
    QImage picture = image();
    // Column c of the 100-pixel bar image lies at x = c + 1; no band on the right.
    EXPECT_EQ(pixel(picture, 1, 10), rgbOf(clYellow));
    EXPECT_EQ(pixel(picture, 2, 10), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(picture, 51, 10), qRgb(126, 0, 0));
    EXPECT_EQ(pixel(picture, 100, 10), qRgb(252, 0, 0));

    bar.SetBarColorStyle(cs3Colors);
    bar.SetBarColor3(0xFF0000);
    picture = image();
    EXPECT_EQ(pixel(picture, 2, 10), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(picture, 51, 10), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(picture, 52, 10), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(picture, 100, 10), qRgb(5, 0, 250));

    bar.SetDirection(pdRightToLeft);
    picture = image();
    EXPECT_EQ(pixel(picture, 2, 10), qRgb(0, 0, 255));

    bar.SetDirection(pdTopToBottom);
    bar.resize(20, 102);
    picture = image();
    EXPECT_EQ(pixel(picture, 10, 2), qRgb(0, 0, 0));
    EXPECT_EQ(pixel(picture, 10, 51), qRgb(255, 0, 0));
    EXPECT_EQ(pixel(picture, 1, 51), rgbOf(clYellow));
}

TEST_F(ProgressBarImageTest, PositionTextIsCentredAndAbsentForZero)
{
    bar.resize(200, 30);
    bar.SetBarColor1(clYellow);
    TFont font;
    font.Color = clFuchsia;
    bar.SetFont(font);
    bar.SetShowPosText(true);
    const auto fuchsiaPixels = [&](const QImage &picture, const QRect &inside, bool wantInside) {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (inside.contains(x, y) == wantInside && qRed(picture.pixel(x, y)) > 200 && qGreen(picture.pixel(x, y)) < 100
                    && qBlue(picture.pixel(x, y)) > 200)
                    ++count;
        return count;
    };
    EXPECT_EQ(fuchsiaPixels(image(), QRect(0, 0, 200, 30), true), 0);

    bar.SetPosition(50);
    ASSERT_EQ(bar.PositionText(), u"50%");
    const QFontMetrics metrics(toQFont(font));
    const int width = metrics.horizontalAdvance(bar.PositionText());
    const int height = metrics.height();
    const QRect textBox(100 - width / 2, 15 - height / 2, width, height);
    const QImage picture = image();
    EXPECT_GT(fuchsiaPixels(picture, textBox, true), 10);
    EXPECT_EQ(fuchsiaPixels(picture, textBox.adjusted(-1, 0, 1, 0), false), 0);
}

} // namespace
