#pragma once
// The numbered text styles and the colours that rich-text viewers share. Many viewers point at one
// TRVStyle; the program's main window owns the only one.

#include "controls/Component.h"
#include "controls/Graphics.h"

#include <QCursor>
#include <QFont>
#include <QObject>
#include <QString>

#include <cstdint>
#include <deque>

// A screen cursor number: 0 the default arrow, others as registered.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
// The viewers' hand cursor, registered by TRVStyle.
constexpr TCursor crJump = 101;

// Registers a cursor under a number; the cursor of a number, the arrow for an unknown one.
void RegisterScreenCursor(TCursor number, const QCursor &cursor);
QCursor ScreenCursor(TCursor number);

constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t EASTEUROPE_CHARSET = 238;

// One text style.
struct TFontInfo {
    uint8_t CharSet = DEFAULT_CHARSET;
    QString FontName = QStringLiteral("Arial");
    int32_t Size = 10;
    TColor Color = clWindowText;
    TFontStyles Style = 0;

    friend bool operator==(const TFontInfo &, const TFontInfo &) = default;
};

// The font that draws a text style (the character set is left to Unicode).
QFont toQFont(const TFontInfo &info);

// The numbered text styles; a viewer's style number indexes them.
class TFontInfos {
public:
    // Appends a style with the new-item values; the reference lives as long as the collection.
    TFontInfo &Add();
    // Throws std::out_of_range for a number that is not a style.
    TFontInfo &Items(int index);
    const TFontInfo &Items(int index) const;
    int Count() const { return int(FItems.size()); }
    void Clear() { FItems.clear(); }

private:
    std::deque<TFontInfo> FItems;
};

// Jump styles: text in either one is a hyperlink.
constexpr int FirstJumpStyle = 4;
constexpr int LastJumpStyle = 5;

class TRVStyle : public QObject, public LoadedComponent {
    Q_OBJECT
public:
    // Registers the jump cursor and creates the six default styles: plain, bold blue, bold navy,
    // italic maroon and the two underlined green jump styles, all Arial 10.
    explicit TRVStyle(QObject *parent = nullptr);

    TFontInfos TextStyles;
    TCursor JumpCursor = crJump;
    // Background of the viewers.
    TColor Color = clWindow;
    // Text colour of the jump under the mouse; clNone switches hover highlighting off.
    TColor HoverColor = clNone;
    // Repaint the whole viewer instead of only a jump whose hover state changes.
    bool FullRedraw = false;
    TColor SelColor = clHighlight;
    TColor SelTextColor = clHighlightText;
};
