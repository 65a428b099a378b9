#include "controls/ALProgressBar.h"

#include "controls/FloatText.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

// a * b / c rounded to the nearest, halves away from zero.
int mulDiv(int a, int b, int c)
{
    return int(std::lround(double(a) * double(b) / double(c)));
}

bool isHorizontal(TProgressDirection direction)
{
    return direction == pdLeftToRight || direction == pdRightToLeft;
}

bool isReversed(TProgressDirection direction)
{
    return direction == pdRightToLeft || direction == pdBottomToTop;
}

} // namespace

TColor gradientStepColor(TColor from, TColor to, int index, int count)
{
    if (index < 1 || index > count)
        throw std::runtime_error("ColorIndex can't be less than 1 or greater than " + std::to_string(count));
    const TColor a = ColorToRGB(from);
    if (count == 1)
        return a;
    const TColor b = ColorToRGB(to);
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int start = int((a >> shift) & 0xFF);
        const int end = int((b >> shift) & 0xFF);
        const int channel = (start + mulDiv(index - 1, end - start, count - 1)) & 0xFF;
        result |= TColor(channel) << shift;
    }
    return result;
}

TALProgressBar::TALProgressBar(QWidget *parent)
    : QWidget(parent)
{
    resize(200, 20);
}

void TALProgressBar::changed()
{
    repaint();
}

void TALProgressBar::SetMin(int value)
{
    FMin = value;
    changed();
}

void TALProgressBar::SetMax(int value)
{
    FMax = value;
    changed();
}

void TALProgressBar::SetPosition(int value)
{
    if (value == FPosition || value > FMax || value < FMin)
        return;
    FShownValue = value;
    // Either end is always shown, however small the step to it.
    if (value == FMin || value == FMax || std::abs(double(FPosition) - double(value)) >= double(FMax) / double(width()))
        FPosition = value;
    FRebuild = false;
    repaint();
    FRebuild = true;
}

void TALProgressBar::SetBarColorStyle(TBarColorStyle value)
{
    FBarColorStyle = value;
    changed();
}

void TALProgressBar::SetBarColor1(TColor value)
{
    FBarColor1 = value;
    changed();
}

void TALProgressBar::SetBarColor2(TColor value)
{
    FBarColor2 = value;
    changed();
}

void TALProgressBar::SetBarColor3(TColor value)
{
    FBarColor3 = value;
    changed();
}

void TALProgressBar::SetBarBitmap(const QPixmap &value)
{
    FBarBitmap = value.copy();
    changed();
}

void TALProgressBar::SetBackgroundColor(TColor value)
{
    FBackgroundColor = value;
    changed();
}

void TALProgressBar::SetBorderColor1(TColor value)
{
    FBorderColor1 = value;
    changed();
}

void TALProgressBar::SetBorderColor2(TColor value)
{
    FBorderColor2 = value;
    changed();
}

void TALProgressBar::SetShowBorder(bool value)
{
    FShowBorder = value;
    changed();
}

void TALProgressBar::SetDirection(TProgressDirection value)
{
    FDirection = value;
    changed();
}

void TALProgressBar::SetShowPosText(bool value)
{
    FShowPosText = value;
    changed();
}

void TALProgressBar::SetPosTextPrefix(const QString &value)
{
    FPosTextPrefix = value;
    changed();
}

void TALProgressBar::SetPosTextSuffix(const QString &value)
{
    FPosTextSuffix = value;
    changed();
}

void TALProgressBar::SetPrecission(uint8_t value)
{
    FPrecission = value;
    changed();
}

void TALProgressBar::SetFont(const TFont &value)
{
    FFont = value;
    changed();
}

QString TALProgressBar::PositionText() const
{
    if (FShownValue == 0)
        return {};
    // Min is not subtracted: the text is the share of Max.
    const double percent = double(FShownValue) / double(FMax) * 100.0;
    return FPosTextPrefix + formatFloatFixed(percent, FPrecission + 3, FPrecission, localeDecimalSeparator())
         + FPosTextSuffix;
}

void TALProgressBar::renderGradient(QPainter &painter, int width, int height) const
{
    const bool horizontal = isHorizontal(FDirection);
    const bool reversed = isReversed(FDirection);
    const bool threeColors = FBarColorStyle == cs3Colors;
    const int length = horizontal ? width : height;
    const int firstCount = threeColors ? length / 2 : length;

    TColor firstFrom = FBarColor1;
    TColor firstTo = FBarColor2;
    if (reversed) {
        firstFrom = threeColors ? FBarColor3 : FBarColor2;
        firstTo = threeColors ? FBarColor2 : FBarColor1;
    }
    const auto drawStep = [&](int step, TColor color) {
        const QColor qcolor = toQColor(color, palette());
        if (horizontal)
            painter.fillRect(step - 1, 0, 1, height, qcolor);
        else
            painter.fillRect(0, step - 1, width, 1, qcolor);
    };
    for (int step = 1; step <= firstCount; ++step)
        drawStep(step, gradientStepColor(firstFrom, firstTo, step, firstCount));
    if (!threeColors)
        return;
    const TColor secondTo = reversed ? FBarColor1 : FBarColor3;
    for (int step = firstCount + 1; step <= length; ++step)
        drawStep(step, gradientStepColor(FBarColor2, secondTo, step - firstCount, length - firstCount));
}

void TALProgressBar::renderBarImage()
{
    const int barWidth = std::max(0, width() - 2);
    const int barHeight = std::max(0, height() - 2);
    FBarImage = QPixmap(barWidth, barHeight);
    if (FBarImage.isNull())
        return;
    QPainter painter(&FBarImage);
    if (!FBarBitmap.isNull()) {
        const int columns = width() / FBarBitmap.width() + 1;
        const int rows = height() / FBarBitmap.height() + 1;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                painter.drawPixmap(column * FBarBitmap.width(), row * FBarBitmap.height(), FBarBitmap);
    } else {
        renderGradient(painter, barWidth, barHeight);
    }
}

void TALProgressBar::paintBar(QPainter &painter)
{
    const bool tiled = !FBarBitmap.isNull();
    if (tiled || FBarColorStyle != cs1Color) {
        // A position change reuses the image; a size change since it was made forces a rebuild.
        if (FRebuild || FBarImage.size() != QSize(std::max(0, width() - 2), std::max(0, height() - 2)))
            renderBarImage();
        const int offset = tiled ? 0 : 2;
        painter.drawPixmap(offset, offset, FBarImage);
    } else {
        painter.fillRect(TRect{2, 2, width() - 2, height() - 2}.toQRect(), toQColor(FBarColor1, palette()));
    }

    const int length = (isHorizontal(FDirection) ? width() : height()) - (FShowBorder ? 2 : 0);
    const TRect inner = FShowBorder ? TRect{1, 1, width() - 1, height() - 1} : TRect{0, 0, width(), height()};
    int filled = 0;
    if (FPosition > FMin)
        filled = int(std::nearbyint(double(FPosition - FMin) / std::fabs(double(FMax) - double(FMin)) * length));
    const int empty = length - filled;
    TRect unfilled = inner;
    switch (FDirection) {
    case pdLeftToRight:
        unfilled.Left = inner.Right - empty;
        break;
    case pdRightToLeft:
        unfilled.Right = inner.Left + empty;
        break;
    case pdTopToBottom:
        unfilled.Top = inner.Bottom - empty;
        break;
    case pdBottomToTop:
        unfilled.Bottom = inner.Top + empty;
        break;
    }
    painter.fillRect(unfilled.toQRect(), toQColor(FBackgroundColor, palette()));
}

void TALProgressBar::paintEvent(QPaintEvent *event)
{
    // Qt's backing store is the off-screen frame: the widget shows only the finished picture.
    QPainter painter(this);
    painter.fillRect(event->rect(), toQColor(FBackgroundColor, palette()));
    if (!Loading())
        paintBar(painter);
    const int w = width();
    const int h = height();
    if (FShowBorder) {
        const QColor first = toQColor(FBorderColor1, palette());
        const QColor second = toQColor(FBorderColor2, palette());
        painter.fillRect(0, 0, w, 1, first);
        painter.fillRect(0, 0, 1, h, first);
        painter.fillRect(1, h - 1, w - 1, 1, second);
        painter.fillRect(w - 1, 1, 1, h - 1, second);
    }
    if (FShowPosText) {
        const QString text = PositionText();
        if (!text.isEmpty()) {
            const QFont font = toQFont(FFont);
            const QFontMetrics metrics(font);
            const int x = w / 2 - metrics.horizontalAdvance(text) / 2;
            const int y = h / 2 - metrics.height() / 2;
            painter.setFont(font);
            painter.setPen(toQColor(FFont.Color, palette()));
            painter.drawText(x, y + metrics.ascent(), text);
        }
    }
}
