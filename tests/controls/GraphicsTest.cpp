#include "controls/Component.h"
#include "controls/Graphics.h"
#include "controls/TextDraw.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// Sets the application palette for the test's lifetime.
class PaletteScope {
public:
    explicit PaletteScope(const QPalette &palette) : FOld(QApplication::palette()) { QApplication::setPalette(palette); }
    ~PaletteScope() { QApplication::setPalette(FOld); }

private:
    QPalette FOld;
};

} // namespace

TEST(Colors, PlainColoursDecodeInBlueGreenRedOrder)
{
    EXPECT_EQ(toQColor(0x00123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(toQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(clNavy), QColor(0, 0, 128));
    EXPECT_EQ(fromQColor(QColor(0x56, 0x34, 0x12)), 0x00123456u);
    EXPECT_EQ(ColorToRGB(0x00ABCDEF), 0x00ABCDEFu);
    EXPECT_EQ(toQColor(clNone).alpha(), 0);
}

TEST(Colors, SystemColoursFollowThePaletteWhenDrawn)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(10, 20, 30));
    palette.setColor(QPalette::Text, QColor(40, 50, 60));
    palette.setColor(QPalette::Highlight, QColor(70, 80, 90));
    palette.setColor(QPalette::HighlightedText, QColor(100, 110, 120));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 140, 150));
    {
        PaletteScope scope(palette);
        EXPECT_EQ(toQColor(clBtnFace), QColor(1, 2, 3));
        EXPECT_EQ(toQColor(clWindow), QColor(10, 20, 30));
        EXPECT_EQ(toQColor(clWindowText), QColor(40, 50, 60));
        EXPECT_EQ(toQColor(clHighlight), QColor(70, 80, 90));
        EXPECT_EQ(toQColor(clHighlightText), QColor(100, 110, 120));
        EXPECT_EQ(toQColor(clGrayText), QColor(130, 140, 150));
        EXPECT_EQ(ColorToRGB(clBtnFace), 0x00030201u);
    }
    palette.setColor(QPalette::Button, QColor(9, 9, 9));
    PaletteScope changed(palette);
    EXPECT_EQ(toQColor(clBtnFace), QColor(9, 9, 9));
    // An explicit palette wins over the application's.
    QPalette own;
    own.setColor(QPalette::Button, QColor(200, 0, 0));
    EXPECT_EQ(toQColor(clBtnFace, own), QColor(200, 0, 0));
    // A stored form's window-text value is the system colour 8.
    EXPECT_EQ(TColor(int32_t(-2147483640)), clWindowText);
}

TEST(Rects, RightAndBottomAreExclusive)
{
    const TRect rect{10, 20, 40, 25};
    EXPECT_EQ(rect.Width(), 30);
    EXPECT_EQ(rect.Height(), 5);
    const QRect q = rect.toQRect();
    EXPECT_EQ(q.x(), 10);
    EXPECT_EQ(q.width(), 30);
    EXPECT_EQ(q.right(), 39);
    EXPECT_EQ(TRect::fromQRect(q), rect);
    EXPECT_TRUE(rect.contains(QPoint(39, 24)));
    EXPECT_FALSE(rect.contains(QPoint(40, 24)));
    EXPECT_FALSE(rect.contains(QPoint(39, 25)));
    EXPECT_EQ(rect.inflated(-2, -2), (TRect{12, 22, 38, 23}));
    EXPECT_TRUE((TRect{5, 5, 5, 9}).isEmpty());
    EXPECT_EQ(TRect::Bounds(1, 2, 3, 4), (TRect{1, 2, 4, 6}));
}

TEST(Fonts, HeightAndPointSizeConvertAtTheFormsResolution)
{
    TFont font;
    EXPECT_EQ(font.Height, -11);
    EXPECT_EQ(font.Size(), 8);
    font.setSize(10);
    EXPECT_EQ(font.Height, -13);
    font.setSize(12);
    EXPECT_EQ(font.Height, -16);
}

TEST(Fonts, FormFacesMapToInstalledOnes)
{
    TFont font;
    EXPECT_EQ(QFontInfo(toQFont(font)).family(), QStringLiteral("DejaVu Sans"));
    font.Name = QStringLiteral("Arial");
    EXPECT_EQ(QFontInfo(toQFont(font)).family(), QStringLiteral("DejaVu Sans"));
    font.Name = QStringLiteral("Courier New");
    EXPECT_EQ(QFontInfo(toQFont(font)).family(), QStringLiteral("DejaVu Sans Mono"));
}

TEST(Fonts, NegativeHeightIsThePixelSizeAndStylesCarryOver)
{
    TFont font;
    font.Height = -17;
    font.Style = fsBold | fsUnderline;
    const QFont q = toQFont(font);
    EXPECT_EQ(q.pixelSize(), 17);
    EXPECT_TRUE(q.bold());
    EXPECT_FALSE(q.italic());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.strikeOut());
    // A positive height is the cell height: ascent plus descent come out near it.
    font.Height = 20;
    const QFontMetrics metrics(toQFont(font));
    EXPECT_NEAR(metrics.height(), 20, 2);
}

TEST(Brushes, ClearDrawsNothingAndSolidFills)
{
    EXPECT_EQ(toQBrush(TBrush{clRed, bsClear}).style(), Qt::NoBrush);
    const QBrush solid = toQBrush(TBrush{clRed, bsSolid});
    EXPECT_EQ(solid.style(), Qt::SolidPattern);
    EXPECT_EQ(solid.color(), QColor(255, 0, 0));
    EXPECT_EQ(toQBrush(TBrush{clBlue, bsDiagCross}).style(), Qt::DiagCrossPattern);
}

namespace {

// The columns (x range) holding dark pixels in a white image, or (-1, -1).
std::pair<int, int> inkColumns(const QImage &image)
{
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

std::pair<int, int> inkRows(const QImage &image)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

QImage drawn(const QString &text, TRect rect, uint32_t flags, int width = 200, int height = 60)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TFont font;
    font.Height = -20;
    font.Color = clBlack;
    SelectFont(painter, font);
    DrawText(painter, text, rect, flags);
    return image;
}

QFontMetrics testMetrics()
{
    TFont font;
    font.Height = -20;
    return QFontMetrics(toQFont(font));
}

} // namespace

TEST(TextDraw, CalcRectMeasuresLikeTheFontMetrics)
{
    const QFontMetrics metrics = testMetrics();
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    TFont font;
    font.Height = -20;
    SelectFont(painter, font);

    TRect rect{5, 7, 6, 8};
    const int height = DrawText(painter, QStringLiteral("Losowanie"), rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(height, metrics.height());
    EXPECT_EQ(rect.Left, 5);
    EXPECT_EQ(rect.Width(), metrics.horizontalAdvance(QStringLiteral("Losowanie")));
    EXPECT_EQ(rect.Height(), metrics.height());

    // Word breaking keeps the width and grows the height by whole lines.
    const int narrow = metrics.horizontalAdvance(QStringLiteral("Losowanie")) + 4;
    TRect wrapped{0, 0, narrow, 1};
    DrawText(painter, QStringLiteral("Losowanie Losowanie Losowanie"), wrapped, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(wrapped.Width(), narrow);
    EXPECT_EQ(wrapped.Height(), 3 * metrics.lineSpacing() - metrics.leading());

    // Without DT_NOPREFIX "&&" is one ampersand and "&x" an underlined x.
    TRect prefixed{0, 0, 1, 1};
    DrawText(painter, QStringLiteral("a&&b&c"), prefixed, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(prefixed.Width(), metrics.horizontalAdvance(QStringLiteral("a&bc")));
    TRect literal{0, 0, 1, 1};
    DrawText(painter, QStringLiteral("a&&b&c"), literal, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(literal.Width(), metrics.horizontalAdvance(QStringLiteral("a&&b&c")));
}

TEST(TextDraw, AlignmentFlagsPlaceTheText)
{
    const QFontMetrics metrics = testMetrics();
    const int advance = metrics.horizontalAdvance(QStringLiteral("H"));
    const TRect box{20, 5, 180, 55};

    const auto left = inkColumns(drawn(QStringLiteral("H"), box, DT_LEFT | DT_SINGLELINE | DT_VCENTER));
    EXPECT_NEAR(left.first, box.Left, 3);
    const auto right = inkColumns(drawn(QStringLiteral("H"), box, DT_RIGHT | DT_SINGLELINE | DT_VCENTER));
    EXPECT_NEAR(right.second, box.Right - 1, 3);
    const auto centre = inkColumns(drawn(QStringLiteral("H"), box, DT_CENTER | DT_SINGLELINE | DT_VCENTER));
    EXPECT_NEAR((centre.first + centre.second) / 2.0, (box.Left + box.Right) / 2.0, 2);
    EXPECT_LE(centre.second - centre.first, advance);

    // Vertical centring and the bottom edge only with a single line.
    const auto top = inkRows(drawn(QStringLiteral("H"), box, DT_LEFT | DT_SINGLELINE));
    const auto middle = inkRows(drawn(QStringLiteral("H"), box, DT_LEFT | DT_SINGLELINE | DT_VCENTER));
    const auto bottom = inkRows(drawn(QStringLiteral("H"), box, DT_LEFT | DT_SINGLELINE | DT_BOTTOM));
    const auto multiTop = inkRows(drawn(QStringLiteral("H"), box, DT_LEFT | DT_VCENTER));
    EXPECT_LT(top.first, middle.first);
    EXPECT_LT(middle.first, bottom.first);
    EXPECT_EQ(multiTop.first, top.first);
    EXPECT_NEAR(bottom.first - top.first, box.Height() - metrics.height(), 1);
}

TEST(TextDraw, TextIsClippedToItsRectangleAndEllipsisShortensTheLine)
{
    const TRect box{10, 10, 40, 40};
    const auto ink = inkColumns(drawn(QStringLiteral("HHHHHHHHHH"), box, DT_LEFT | DT_SINGLELINE));
    EXPECT_GE(ink.first, box.Left);
    EXPECT_LT(ink.second, box.Right);

    const QFontMetrics metrics = testMetrics();
    const QString longText = QStringLiteral("Losowanie numer jeden");
    const int width = metrics.horizontalAdvance(QStringLiteral("Losowanie"));
    const QString elided = metrics.elidedText(longText, Qt::ElideRight, width);
    ASSERT_NE(elided, longText);
    const auto withEllipsis = inkColumns(drawn(longText, TRect{0, 0, width, 40}, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS));
    const auto expected = inkColumns(drawn(elided, TRect{0, 0, width, 40}, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_EQ(withEllipsis, expected);
}

TEST(OwnerDraw, DefaultDrawingStartsTrueOnlyWithoutAHandler)
{
    std::function<void(int, bool &)> handler;
    int calls = 0;
    EXPECT_TRUE(ownerDrawDefault(handler, [&](bool &dd) { handler(1, dd); ++calls; }));
    EXPECT_EQ(calls, 0);

    handler = [](int, bool &) {};
    EXPECT_FALSE(ownerDrawDefault(handler, [&](bool &dd) { handler(1, dd); }));
    handler = [](int, bool &DefaultDrawing) { DefaultDrawing = true; };
    EXPECT_TRUE(ownerDrawDefault(handler, [&](bool &dd) { handler(1, dd); }));
}

TEST(Component, LoadedEndsLoadingAndTagIsFree)
{
    struct Counting : LoadedComponent {
        int order = 0;
        bool loadingSeen = false;
        void Loaded() override
        {
            LoadedComponent::Loaded();
            loadingSeen = Loading();
            ++order;
        }
    } component;
    EXPECT_TRUE(component.Loading());
    component.Tag = 25000;
    component.Loaded();
    EXPECT_FALSE(component.Loading());
    EXPECT_FALSE(component.loadingSeen);
    EXPECT_EQ(component.Tag, 25000);
}
