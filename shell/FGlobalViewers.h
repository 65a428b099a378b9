#pragma once
// The text styles that every rich-text viewer of the program shares, and the settings its viewers keep.
// Style 0 is plain text, 6 an emphasised value, 7 an emphasised count.

class TRichView;
class TRVStyle;

// Replaces Style's list and colours by the program's eight text styles.
void SetProgramTextStyles(TRVStyle &Style);

// A one-line summary viewer: the main window's shared style, no vertical scroll bar, text wrapped at
// 600 pixels and one line 22 pixels high (of the forms' font, scaled to the running one), margins of 2
// pixels. Without a main window the viewer has no style and shows nothing.
void SetupSummaryViewer(TRichView *View);

// After the viewer's text was formatted: the viewer is at least as wide as its widest line.
void FitViewerToText(TRichView *View);
