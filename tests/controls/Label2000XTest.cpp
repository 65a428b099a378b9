#include "controls/Label2000X.h"

#include "controls/TextDraw.h"

#include <QDate>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

// Counts the pixels of exactly one colour.
int countColor(const QImage &image, const QColor &color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == color.rgb();
    return count;
}

TEST(Label2000XTest, AngleIsBroughtIntoZeroToThreeSixty)
{
    TLabel2000X label;
    const std::pair<int, int> cases[] = {{-30, 330}, {720, 360}, {-360, 0}, {-400, 320}, {-720, 0},
                                         {361, 1},   {45, 45},   {360, 360}, {1080, 360}, {-1, 359}};
    for (const auto &[given, stored] : cases) {
        label.SetAngle(given);
        EXPECT_EQ(label.Angle(), stored) << given;
    }
}

TEST(Label2000XTest, AutoSizedLabelTakesItsRotatedSize)
{
    TLabel2000X label;
    label.SetCaption(QStringLiteral("Prawdopodobieństwo wygranej"));
    label.Loaded();
    const QFontMetrics metrics(toQFont(label.Font()));
    const int w = metrics.horizontalAdvance(label.Caption());
    const int h = metrics.height();
    TRect unturned{0, 0, 0, 0};
    CalcTextRect(metrics, label.Caption(), unturned, 0);
    EXPECT_EQ(label.size(), QSize(unturned.Width(), unturned.Height()));

    label.SetAngle(90);
    EXPECT_EQ(label.size(), QSize(h, w));

    label.SetAngle(30);
    const double a = 30 * std::numbers::pi / 180;
    EXPECT_EQ(label.size(), QSize(int(std::cos(a) * w) + int(std::sin(a) * h), int(std::sin(a) * w) + int(std::cos(a) * h)));
}

TEST(Label2000XTest, VerticalCaptionIsDrawnInsideTheLabel)
{
    TLabel2000X label;
    label.SetCaption(QStringLiteral("Wygrana"));
    label.SetTextStyle(tsNone);
    label.SetColor(clWhite);
    TFont font = label.Font();
    font.Color = clRed;
    label.SetFont(font);
    label.SetAngle(90);
    label.Loaded();
    const QImage image = label.grab().toImage();
    // The ink of the turned caption runs down the label, and nothing spills over its edges.
    int top = image.height();
    int bottom = -1;
    int left = image.width();
    int right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() != QColor(Qt::white).rgb()) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_GT(bottom - top, 2 * (right - left));
    EXPECT_GT(bottom - top, image.height() / 2);
}

TEST(Label2000XTest, DisabledRaisedLabelDrawsReliefAndGrayCaption)
{
    TLabel2000X label;
    label.SetCaption(QStringLiteral("HHH"));
    TFont font = label.Font();
    font.Color = clRed;
    font.setSize(20);
    label.SetFont(font);
    label.Loaded();
    const QColor red = toQColor(clRed);
    const QColor shadow = toQColor(clBtnShadow);
    const QColor highlight = toQColor(clBtnHighlight);
    const QColor gray = toQColor(clGrayText, label.palette());
    QImage image = label.grab().toImage();
    EXPECT_GT(countColor(image, red), 0);
    EXPECT_GT(countColor(image, shadow), 0);
    EXPECT_GT(countColor(image, highlight), 0);

    label.setEnabled(false);
    image = label.grab().toImage();
    EXPECT_EQ(countColor(image, red), 0);
    EXPECT_GT(countColor(image, gray), 0);
    EXPECT_GT(countColor(image, shadow), 0);
    EXPECT_GT(countColor(image, highlight), 0);
}

TEST(Label2000XTest, LinkModesShowTheLinkLookAndOpenTheCaption)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");

    TLabel2000X label;
    TFont font = label.Font();
    font.Color = clMaroon;
    font.Style = fsBold;
    label.SetFont(font);
    label.SetCaption(QStringLiteral("www.example.com"));
    label.SetShowAsUrl(true);
    EXPECT_EQ(label.Font().Color, clBlue);
    EXPECT_EQ(label.Font().Style, fsUnderline);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl(QStringLiteral("http://www.example.com")));

    label.SetCaption(QStringLiteral("biuro@example.com"));
    label.SetShowAsEmailUrl(true);
    EXPECT_FALSE(label.ShowAsUrl());
    EXPECT_EQ(label.Font().Color, clBlue);
    QTest::mouseClick(&label, Qt::LeftButton);
    ASSERT_EQ(catcher.opened.size(), 2);
    EXPECT_EQ(catcher.opened[1], QUrl(QStringLiteral("mailto:biuro@example.com")));

    label.SetShowAsEmailUrl(false);
    EXPECT_EQ(label.Font().Color, clMaroon);
    EXPECT_EQ(label.Font().Style, fsBold);
    EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(catcher.opened.size(), 2);

    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
}

TEST(Label2000XTest, DateModesReplaceAndRestoreEachLabelsOwnCaption)
{
    TLabel2000X first;
    TLabel2000X second;
    first.SetCaption(QStringLiteral("pierwsza"));
    second.SetCaption(QStringLiteral("druga"));
    first.SetShowAsDate(true);
    second.SetShowAsDate(true);
    EXPECT_EQ(first.Caption(), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    first.SetShowAsDate(false);
    second.SetShowAsDate(false);
    EXPECT_EQ(first.Caption(), u"pierwsza");
    EXPECT_EQ(second.Caption(), u"druga");

    // Switching to the date and time restores the caption first; a link mode ends the date mode.
    first.SetShowAsDate(true);
    first.SetShowAsDateTime(true);
    EXPECT_FALSE(first.ShowAsDate());
    EXPECT_EQ(first.Caption().size(), QStringLiteral("dd.MM.yyyy HH:mm:ss").size());
    first.SetShowAsUrl(true);
    EXPECT_FALSE(first.ShowAsDateTime());
    EXPECT_EQ(first.Caption(), u"pierwsza");
}

} // namespace

#include "Label2000XTest.moc"
