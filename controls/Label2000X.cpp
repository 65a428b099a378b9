#include "controls/Label2000X.h"

#include "controls/TextDraw.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <cmath>
#include <numbers>

namespace {

// The program's short date and long time formats.
const QString ShortDateFormat = QStringLiteral("dd.MM.yyyy");
const QString DateTimeFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

// Brings an angle into 0..360: a negative one has 360 added until it is at least -360 and then once
// more, one above 360 has 360 taken away until it is at most 360.
int normalizedAngle(int angle)
{
    if (angle < 0) {
        const int rest = angle % 360;
        return rest == 0 ? 0 : rest + 360;
    }
    if (angle > 360) {
        const int rest = angle % 360;
        return rest == 0 ? 360 : rest;
    }
    return angle;
}

double radians(int degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

int truncated(double value)
{
    return int(std::trunc(value));
}

} // namespace

TLabel2000X::TLabel2000X(QWidget *parent)
    : QWidget(parent)
{
    FFont.Name = QStringLiteral("Arial");
}

void TLabel2000X::changed()
{
    AdjustBounds();
    update();
}

void TLabel2000X::SetCaption(const QString &value)
{
    FCaption = value;
    changed();
}

void TLabel2000X::SetAngle(int value)
{
    if (value == FAngle)
        return;
    FAngle = normalizedAngle(value);
    changed();
}

void TLabel2000X::SetTextStyle(TTextStyle value)
{
    if (value == FTextStyle)
        return;
    FTextStyle = value;
    update();
}

void TLabel2000X::SetAlignment(TAlignment value)
{
    FAlignment = value;
    changed();
}

void TLabel2000X::SetAutoSize(bool value)
{
    FAutoSize = value;
    changed();
}

void TLabel2000X::SetWordWrap(bool value)
{
    FWordWrap = value;
    changed();
}

void TLabel2000X::SetShowAccelChar(bool value)
{
    FShowAccelChar = value;
    changed();
}

void TLabel2000X::SetTransparent(bool value)
{
    FTransparent = value;
    update();
}

void TLabel2000X::SetColor(TColor value)
{
    FColor = value;
    update();
}

void TLabel2000X::SetFont(const TFont &value)
{
    FFont = value;
    changed();
}

void TLabel2000X::Loaded()
{
    LoadedComponent::Loaded();
    AdjustBounds();
}

uint32_t TLabel2000X::textFlags() const
{
    uint32_t flags = FWordWrap ? DT_WORDBREAK : 0;
    if (FAlignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (FAlignment == taCenter)
        flags |= DT_CENTER;
    if (!FShowAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

QSize TLabel2000X::RotatedSize() const
{
    const QFontMetrics metrics(toQFont(FFont));
    const double w = metrics.horizontalAdvance(FCaption);
    const double h = metrics.height();
    const double a = radians(FAngle);
    return {std::abs(truncated(std::cos(a) * w)) + std::abs(truncated(std::sin(a) * h)),
            std::abs(truncated(std::sin(a) * w)) + std::abs(truncated(std::cos(a) * h))};
}

void TLabel2000X::AdjustBounds()
{
    if (!FAutoSize || Loading())
        return;
    if (FAngle != 0) {
        resize(RotatedSize());
        return;
    }
    // An empty caption, or a lone accelerator mark, is measured as one blank.
    const bool blank = FCaption.isEmpty() || (FShowAccelChar && FCaption == u"&");
    TRect rect{0, 0, width(), height()};
    CalcTextRect(QFontMetrics(toQFont(FFont)), blank ? QStringLiteral(" ") : FCaption, rect, textFlags());
    int left = x();
    if (FAlignment == taRightJustify)
        left += width() - rect.Right;
    setGeometry(left, y(), rect.Right, rect.Bottom);
}

void TLabel2000X::drawRotated(QPainter &painter, int left, int top)
{
    const QFontMetrics metrics(painter.font());
    const double w = metrics.horizontalAdvance(FCaption);
    const double h = metrics.height();
    const int a = FAngle;
    const double r = radians(a);
    double x = left;
    double y = top;
    if (a <= 90) {
        y += truncated(std::sin(r) * w);
    } else if (a <= 180) {
        x += truncated(-std::cos(r) * w);
        y += truncated(std::sin(r) * w + std::cos(radians(180 - a)) * h);
    } else if (a <= 270) {
        x += truncated(-std::cos(r) * w + std::sin(radians(a - 180)) * h);
        y += truncated(std::sin(radians(270 - a)) * h);
    } else {
        x += truncated(std::sin(radians(360 - a)) * h);
    }
    if (!FAutoSize) {
        const int boxWidth = RotatedSize().width();
        if (FAlignment == taCenter)
            x += (width() - boxWidth) / 2;
        else if (FAlignment == taRightJustify)
            x += width() - boxWidth;
    }
    painter.save();
    painter.translate(x, y);
    painter.rotate(-a);
    painter.drawText(0, metrics.ascent(), FCaption);
    painter.restore();
}

void TLabel2000X::drawCaption(QPainter &painter, int dx, int dy, TColor color)
{
    painter.setPen(toQColor(color, palette()));
    if (FAngle != 0) {
        drawRotated(painter, dx, dy);
        return;
    }
    TRect rect{dx, dy, width() + dx, height() + dy};
    DrawText(painter, FCaption, rect, textFlags());
}

void TLabel2000X::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!FTransparent)
        painter.fillRect(rect(), toQColor(FColor, palette()));
    painter.setFont(toQFont(FFont));
    if (FTextStyle == tsRaised) {
        drawCaption(painter, 1, 1, clBtnShadow);
        drawCaption(painter, -1, -1, clBtnHighlight);
    } else if (FTextStyle == tsRecessed) {
        drawCaption(painter, 1, 1, clBtnHighlight);
        drawCaption(painter, -1, -1, clBtnShadow);
    }
    drawCaption(painter, 0, 0, isEnabled() ? FFont.Color : clGrayText);
}

void TLabel2000X::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (FShowAsUrl)
        QDesktopServices::openUrl(QUrl::fromUserInput(FCaption));
    else if (FShowAsEmailUrl)
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + FCaption));
}

void TLabel2000X::restoreLinkLook()
{
    FFont.Color = FSavedColor;
    FFont.Style = FSavedStyle;
    unsetCursor();
}

void TLabel2000X::setLinkMode(bool &mode, bool value)
{
    if (mode == value)
        return;
    if (value) {
        SetShowAsDate(false);
        SetShowAsDateTime(false);
        SetShowAsUrl(false);
        SetShowAsEmailUrl(false);
        FSavedColor = FFont.Color;
        FSavedStyle = FFont.Style;
        FFont.Color = clBlue;
        FFont.Style = fsUnderline;
        setCursor(Qt::PointingHandCursor);
    } else {
        restoreLinkLook();
    }
    mode = value;
    changed();
}

void TLabel2000X::setDateMode(bool &mode, bool value, const QString &text)
{
    if (mode == value)
        return;
    if (value) {
        SetShowAsUrl(false);
        SetShowAsEmailUrl(false);
        SetShowAsDate(false);
        SetShowAsDateTime(false);
        FSavedCaption = FCaption;
        mode = true;
        SetCaption(text);
    } else {
        mode = false;
        SetCaption(FSavedCaption);
    }
}

void TLabel2000X::SetShowAsUrl(bool value)
{
    setLinkMode(FShowAsUrl, value);
}

void TLabel2000X::SetShowAsEmailUrl(bool value)
{
    setLinkMode(FShowAsEmailUrl, value);
}

void TLabel2000X::SetShowAsDate(bool value)
{
    setDateMode(FShowAsDate, value, QDate::currentDate().toString(ShortDateFormat));
}

void TLabel2000X::SetShowAsDateTime(bool value)
{
    setDateMode(FShowAsDateTime, value, QDateTime::currentDateTime().toString(DateTimeFormat));
}
