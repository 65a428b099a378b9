#include "controls/RichView.h"

#include <QFontMetrics>

#include <algorithm>

namespace {

constexpr int DefaultWidthLimit = 10000;
constexpr int MaxScrollSteps = 30000;

bool isJumpStyle(int styleCode)
{
    return styleCode >= FirstJumpStyle && styleCode <= LastJumpStyle;
}

} // namespace

TRichView::TRichView(QWidget *parent)
    : TRVScroller(parent)
{
    resize(100, 40);
    viewport()->setMouseTracking(true);
}

TRichView::~TRichView()
{
    stopAutoScroll();
}

void TRichView::appendItem(const QString &text, int styleNo, bool sameParagraph)
{
    TLineInfo &item = FLineList.emplace_back();
    item.Text = text;
    item.StyleCode = styleNo;
    item.SameParagraph = sameParagraph;
}

void TRichView::AddTextNewLine(const QString &text, int styleNo)
{
    appendItem(text, styleNo, false);
}

void TRichView::AddTextSameLine(const QString &text, int styleNo)
{
    appendItem(text, styleNo, !FLineList.empty());
}

void TRichView::AddText(const QString &text, int styleNo)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const qsizetype firstBreak = normalized.indexOf(QLatin1Char('\n'));
    if (firstBreak < 0) {
        if (!normalized.isEmpty())
            AddTextSameLine(normalized, styleNo);
        return;
    }
    AddTextSameLine(normalized.left(firstBreak), styleNo);
    QString rest = normalized.mid(firstBreak + 1);
    while (!rest.isEmpty()) {
        const qsizetype lineBreak = rest.indexOf(QLatin1Char('\n'));
        if (lineBreak < 0) {
            AddTextNewLine(rest, styleNo);
            break;
        }
        AddTextNewLine(rest.left(lineBreak), styleNo);
        rest = rest.mid(lineBreak + 1);
    }
}

void TRichView::Clear()
{
    Deselect();
    FLineList.clear();
    ClearLayout();
}

void TRichView::ClearLayout()
{
    stopAutoScroll();
    FDrawList.clear();
    FJumpList.clear();
    FJumpCount = 0;
}

void TRichView::Format()
{
    formatDocument(false, 0);
}

void TRichView::Loaded()
{
    TRVScroller::Loaded();
    Format();
}

TRichView::ItemPoint TRichView::toItemPoint(const TSelPoint &point) const
{
    if (point.Item < 0 || point.Item >= int(FDrawList.size()))
        return {};
    const TDrawLineInfo &fragment = FDrawList[size_t(point.Item)];
    return {fragment.LineIndex, point.Offset + fragment.TextOffset - 1};
}

TSelPoint TRichView::toSelPoint(const ItemPoint &point) const
{
    // The item's last fragment that begins at or before the offset; its first one for an offset before
    // them all.
    int found = -1;
    for (int i = 0; i < int(FDrawList.size()); ++i) {
        const TDrawLineInfo &fragment = FDrawList[size_t(i)];
        if (fragment.LineIndex != point.Item)
            continue;
        if (found < 0 || fragment.TextOffset <= point.Offset)
            found = i;
        if (fragment.TextOffset > point.Offset)
            break;
    }
    if (found < 0)
        return {};
    return {found, std::max(0, point.Offset - FDrawList[size_t(found)].TextOffset + 1)};
}

void TRichView::formatDocument(bool onlyResized, int depth)
{
    if (StepHeight == 0 || !FStyle || FInFormat || depth >= 2)
        return;
    FInFormat = true;
    ItemPoint anchor;
    ItemPoint end;
    if (depth == 0) {
        anchor = toItemPoint(FSelAnchor);
        end = toItemPoint(FSelEnd);
    }
    const int oldOffset = DocOffsetY();
    const int oldWrapWidth = FWrapWidth;
    const int limit = std::max(DefaultWidthLimit, MinTextWidth);
    FWrapWidth = (MaxTextWidth >= 1 && MaxTextWidth < limit) ? MaxTextWidth : limit;

    if (!onlyResized || FWrapWidth != oldWrapWidth) {
        ClearLayout();
        LayoutState state;
        try {
            for (int i = 0; i < int(FLineList.size()); ++i)
                layoutText(i, state);
        } catch (...) {
            FInFormat = false;
            throw;
        }
        FDocHeight = state.Baseline + state.LineDescent + 1;
        if (FDocHeight / StepHeight > MaxScrollSteps)
            StepHeight = FDocHeight / MaxScrollSteps;
        // Fragments can move after their jump was recorded.
        for (TJumpInfo &jump : FJumpList) {
            jump.Left = FDrawList[size_t(jump.DrawIndex)].Left;
            jump.Top = FDrawList[size_t(jump.DrawIndex)].Top;
        }
    }

    ScrollX = 0;
    ScrollY = 0;
    const QSize clientSize = viewport()->size();
    SetScrollRanges(LeftMargin + limit + RightMargin, FDocHeight / StepHeight);
    if (viewport()->size() != clientSize) {
        // A scroll bar came or went: lay out for the new client area.
        FInFormat = false;
        ScrollToPixel(oldOffset);
        formatDocument(onlyResized, depth + 1);
        FInFormat = true;
    }
    if (onlyResized)
        ScrollToPixel(oldOffset);
    if (depth == 0) {
        FSelAnchor = toSelPoint(anchor);
        FSelEnd = toSelPoint(end);
    }
    FInFormat = false;
    viewport()->update();
}

void TRichView::pushLineDown(LayoutState &state, int distance)
{
    for (int i = int(FDrawList.size()) - 1; i >= 0; --i) {
        FDrawList[size_t(i)].Top += distance;
        if (FDrawList[size_t(i)].StartsLine)
            break;
    }
    state.Baseline += distance;
}

void TRichView::layoutText(int itemIndex, LayoutState &state)
{
    TLineInfo &item = FLineList[size_t(itemIndex)];
    const QFontMetrics metrics(toQFont(FStyle->TextStyles.Items(item.StyleCode)));
    const int ascent = metrics.ascent();
    const int descent = metrics.descent();
    const int externalLeading = metrics.leading();

    bool newLine = !item.SameParagraph;
    QString rest = item.Text;
    int position = 1;
    while (!rest.isEmpty()) {
        if (newLine)
            state.X = 0;
        const int fit = std::max(1, fittingChars(rest, FWrapWidth - state.X, item.StyleCode));
        QString fragmentText;
        int consumed = 0;
        if (fit < int(rest.size())) {
            const qsizetype space = rest.left(fit).lastIndexOf(QLatin1Char(' '));
            if (space >= 0) {
                fragmentText = rest.left(space);
                consumed = int(space) + 1;
            } else if (!newLine) {
                state.X = 0;
                newLine = true;
                continue;
            } else {
                fragmentText = rest.left(fit);
                consumed = fit;
            }
        } else {
            fragmentText = rest;
            consumed = int(rest.size());
        }
        rest = rest.mid(consumed);
        const int width = metrics.horizontalAdvance(fragmentText);
        const int height = metrics.height();

        int top = 0;
        if (newLine) {
            state.X = item.Centered ? (FWrapWidth - width) / 2 : 0;
            top = state.Baseline + state.LineDescent + externalLeading;
            state.Baseline = top + ascent;
            state.LineAscent = externalLeading + ascent;
        } else {
            if (state.LineAscent < externalLeading + ascent) {
                pushLineDown(state, externalLeading + ascent - state.LineAscent);
                state.LineAscent = externalLeading + ascent;
            }
            top = state.Baseline - ascent;
        }

        TDrawLineInfo &fragment = FDrawList.emplace_back();
        fragment.Text = fragmentText;
        fragment.Left = state.X + LeftMargin;
        fragment.Top = top;
        fragment.Width = width;
        fragment.Height = height;
        fragment.LineIndex = itemIndex;
        fragment.TextOffset = position;
        fragment.StartsLine = newLine;
        position += consumed;

        if (isJumpStyle(item.StyleCode)) {
            FJumpList.push_back({fragment.Left, fragment.Top, width, height, FJumpCount,
                                 int(FDrawList.size()) - 1});
            item.ImageOrJumpNo = FJumpCount;
        }
        state.LineDescent = newLine ? descent : std::max(state.LineDescent, descent);
        state.X += width;
        newLine = true;
    }
    if (isJumpStyle(item.StyleCode))
        ++FJumpCount;
}

void TRichView::SetBackgroundBitmap(const QPixmap &value)
{
    FBackgroundBitmap = value.copy();
    updateRedrawOnScroll();
}

void TRichView::SetBackgroundStyle(TBackgroundStyle value)
{
    FBackgroundStyle = value;
    updateRedrawOnScroll();
}

void TRichView::updateRedrawOnScroll()
{
    // A background fixed to the window must not be scrolled with the contents.
    RedrawOnScroll = !FBackgroundBitmap.isNull()
                  && (FBackgroundStyle == bsStretched || FBackgroundStyle == bsTiled);
}
