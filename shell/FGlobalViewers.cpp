#include "shell/FGlobalViewers.h"

#include "controls/RichView.h"
#include "shell/FGlobalGrids.h"
#include "shell/FMain.h"

#include <algorithm>

void SetProgramTextStyles(TRVStyle &Style)
{
    struct Entry {
        const char *Font;
        int Size;
        TColor Color;
        TFontStyles FontStyle;
        uint8_t CharSet;
    };
    static constexpr Entry entries[] = {
        {"MS Sans Serif", 8, clBlack, 0, DEFAULT_CHARSET},
        {"Arial", 16, clRed, fsBold | fsItalic, DEFAULT_CHARSET},
        {"Arial", 12, clBlue, fsBold | fsItalic, DEFAULT_CHARSET},
        {"Times New Roman", 12, clMaroon, fsItalic, DEFAULT_CHARSET},
        {"Times New Roman", 12, clGreen, fsItalic | fsUnderline, DEFAULT_CHARSET},
        {"Times New Roman", 12, clBlue, fsItalic | fsUnderline, DEFAULT_CHARSET},
        {"MS Sans Serif", 8, clBlack, fsBold, DEFAULT_CHARSET},
        {"MS Sans Serif", 8, clMaroon, fsBold, EASTEUROPE_CHARSET},
    };
    Style.TextStyles.Clear();
    for (const Entry &entry : entries) {
        TFontInfo &info = Style.TextStyles.Add();
        info.FontName = QString::fromLatin1(entry.Font);
        info.Size = entry.Size;
        info.Color = entry.Color;
        info.Style = entry.FontStyle;
        info.CharSet = entry.CharSet;
    }
    Style.JumpCursor = crJump;
    Style.Color = clInactiveBorder;
    Style.HoverColor = clBlack;
    Style.FullRedraw = true;
    Style.SelColor = clHighlight;
    Style.SelTextColor = clHighlightText;
}

void SetupSummaryViewer(TRichView *View)
{
    View->SetStyle(frmMain ? frmMain->RVStyle1 : nullptr);
    View->SetTracking(true);
    View->SetVScrollVisible(false);
    View->MaxTextWidth = ScaledWidth(600);
    View->LeftMargin = 2;
    View->RightMargin = 2;
    View->setFixedHeight(ScaledHeight(22));
    View->Loaded();
}

void FitViewerToText(TRichView *View)
{
    int right = 0;
    for (const TDrawLineInfo &line : View->DrawList())
        right = std::max(right, line.Left + line.Width);
    View->setMinimumWidth(right + View->RightMargin + 2 * View->frameWidth());
}
