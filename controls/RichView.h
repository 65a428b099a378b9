#pragma once
// A read-only viewer of styled text: runs of text in the numbered styles of a TRVStyle, laid out in
// word-wrapped lines, painted with hyperlinks ("jumps") that react to the mouse, with mouse selection
// and copying. The windows fill it with Clear, a few AddText calls and Format.
//
// Coordinates are document pixels of the layout unless called client coordinates; the view shows the
// document from (ScrollX, ScrollY × StepHeight).

#include "controls/RVScroller.h"
#include "controls/RVStyle.h"

#include <QPixmap>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QTimer;

enum TBackgroundStyle : uint8_t { bsNoBitmap, bsStretched, bsTiled, bsTiledAndScrolled };

// One item: a run of text in one style.
struct TLineInfo {
    QString Text;
    int32_t StyleCode = 0;
    // Continues the current paragraph instead of starting a new one.
    bool SameParagraph = false;
    bool Centered = false;
    // For text in a jump style, the jump number given at layout.
    int32_t ImageOrJumpNo = 0;
};

// One positioned fragment of an item's text.
struct TDrawLineInfo {
    QString Text;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // The item the fragment belongs to, and the 1-based position in its text where it begins.
    int LineIndex = 0;
    int TextOffset = 1;
    bool StartsLine = false;

    int Bottom() const { return Top + Height; }
};

struct TJumpInfo {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int JumpId = 0;
    int DrawIndex = 0;
};

// A selection boundary: a fragment (DrawList index, -1 for none) and the 1-based position in its text
// before which the boundary lies (length + 1 after the last character).
struct TSelPoint {
    int Item = -1;
    int Offset = 0;
};

struct TSelBounds {
    int StartItem = -1;
    int EndItem = -1;
    int StartOffset = 0;
    int EndOffset = 0;
};

struct TClickedWord {
    QString Word;
    int StyleCode = 0;
    bool Found = false;
};

class TRichView : public TRVScroller {
    Q_OBJECT
public:
    explicit TRichView(QWidget *parent = nullptr);
    ~TRichView() override;

    // Added to the jump numbers that events report.
    int FirstJumpNo = 0;
    // Wrap width in pixels when at least 1 and below the limit (10000, or MinTextWidth if larger).
    int MaxTextWidth = 0;
    int MinTextWidth = 0;
    int LeftMargin = 5;
    int RightMargin = 5;
    // Word delimiters of clicked words.
    QString Delimiters = QStringLiteral(" .;,:(){}\"");
    bool AllowSelection = true;
    // Raise OnRVDblClick on a single left press instead of a double click.
    bool SingleClick = false;

    // Nothing is formatted or painted without a style; the reference drops when it is destroyed.
    TRVStyle *Style() const { return FStyle; }
    void SetStyle(TRVStyle *value) { FStyle = value; }
    const QPixmap &BackgroundBitmap() const { return FBackgroundBitmap; }
    void SetBackgroundBitmap(const QPixmap &value);
    TBackgroundStyle BackgroundStyle() const { return FBackgroundStyle; }
    void SetBackgroundStyle(TBackgroundStyle value);

    std::function<void(QObject *Sender, int id)> OnJump;
    // The mouse moved onto another jump (id) or off all jumps (-1).
    std::function<void(QObject *Sender, int id)> OnRVMouseMove;
    std::function<void(TRichView *Sender, const QString &ClickedWord, int Style)> OnRVDblClick;
    // The right button was released on a word; X and Y in screen coordinates.
    std::function<void(TRichView *Sender, const QString &ClickedWord, int Style, int X, int Y)> OnRVRightClick;
    std::function<void(QObject *Sender)> OnSelect;
    std::function<void(QObject *Sender)> OnResized;
    std::function<void(QObject *Sender)> OnClick;
    std::function<void(QObject *Sender, QKeyEvent *Key)> OnKeyDown;

    // ---- content and layout

    void AddTextNewLine(const QString &text, int styleNo);
    void AddTextSameLine(const QString &text, int styleNo);
    // Splits the text at its line breaks: the first line continues the paragraph, each further
    // line starts one; a trailing line break adds nothing.
    void AddText(const QString &text, int styleNo);
    // Deselects, removes the items and the layout; neither formats nor repaints.
    void Clear();
    // Lays the items out again and shows the top of the document. A style number beyond the style's
    // TextStyles throws std::out_of_range.
    void Format();
    void Loaded() override;

    const std::vector<TLineInfo> &LineList() const { return FLineList; }
    const std::vector<TDrawLineInfo> &DrawList() const { return FDrawList; }
    const std::vector<TJumpInfo> &JumpList() const { return FJumpList; }
    int WrapWidth() const { return FWrapWidth; }
    int DocHeight() const { return FDocHeight; }

    // ---- painting, jumps and selection

    TSelBounds GetSelBounds() const;
    bool SelectionExists() const;
    QString GetSelText() const;
    void CopySelection() const;
    void Deselect();
    TSelPoint SelAnchor() const { return FSelAnchor; }
    TSelPoint SelEnd() const { return FSelEnd; }

    // The word under the last press or release.
    TClickedWord GetClickedWord() const;
    // The fragment holding a document point, -1 for none.
    int FindItemAt(int x, int y) const;
    // The selection boundary nearest to a document point.
    TSelPoint FindSelectionPoint(int x, int y) const;
    // The first fragment worth painting for a document y (a line or two above it).
    int FirstItemToPaint(int y) const;
    // Repaints the jump's rectangles (the whole view when the style asks for full redraws).
    void InvalidateJump(int id);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void KeyDown(QKeyEvent *event) override;

private:
    // Layout state carried from item to item.
    struct LayoutState {
        int X = 0;
        int Baseline = 0;
        int LineAscent = 0;
        int LineDescent = 0;
    };
    // A selection boundary as a character position in an item's text.
    struct ItemPoint {
        int Item = -1;
        int Offset = 0;
    };

    void appendItem(const QString &text, int styleNo, bool sameParagraph);
    void ClearLayout();
    void formatDocument(bool onlyResized, int depth);
    void layoutText(int itemIndex, LayoutState &state);
    void pushLineDown(LayoutState &state, int distance);
    ItemPoint toItemPoint(const TSelPoint &point) const;
    TSelPoint toSelPoint(const ItemPoint &point) const;

    void drawBackground(QPainter &painter, const TRect &clip);
    void drawFragment(QPainter &painter, int index, const TSelBounds &bounds);
    // The number of leading characters of text whose extent fits in width in the item's style.
    int fittingChars(const QString &text, int width, int styleCode) const;
    // The jump whose client rectangle holds a client point, -1 for none.
    int jumpAt(QPoint point, bool edgesIncluded) const;
    QRect jumpClientRect(const TJumpInfo &jump) const;
    void mouseMoveAt(QPoint point);
    void leaveJumps();
    void stopAutoScroll();
    void autoScrollTick();
    void updateRedrawOnScroll();

    QPointer<TRVStyle> FStyle;
    QPixmap FBackgroundBitmap;
    TBackgroundStyle FBackgroundStyle = bsNoBitmap;

    std::vector<TLineInfo> FLineList;
    std::vector<TDrawLineInfo> FDrawList;
    std::vector<TJumpInfo> FJumpList;
    int FWrapWidth = 0;
    int FDocHeight = 0;
    int FJumpCount = 0;
    bool FInFormat = false;

    TSelPoint FSelAnchor;
    TSelPoint FSelEnd;
    bool FSelecting = false;
    QPoint FClickPos;
    QPoint FDragPos;
    int FPressedJump = -1;
    int FHoverJump = -1;
    bool FHoverActive = false;
    bool FClickPending = false;
    int FAutoScrollSpeed = 0;
    QTimer *FAutoScrollTimer = nullptr;
};
