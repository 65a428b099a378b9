#pragma once
// A flicker-free progress bar: one flat colour, a two- or three-colour gradient or a tiled bitmap,
// four fill directions, a sunken two-colour border and a centred percentage text.

#include "controls/Component.h"
#include "controls/Graphics.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cstdint>

enum TBarColorStyle : uint8_t { cs1Color, cs2Colors, cs3Colors };
enum TProgressDirection : uint8_t { pdLeftToRight, pdRightToLeft, pdBottomToTop, pdTopToBottom };

// Step `index` (1-based) of `count` steps from colour `from` to colour `to`, each channel moved by
// MulDiv(index - 1, to - from, count - 1); one step gives `from`. System colours are resolved first.
// Throws std::runtime_error for an index outside 1..count.
TColor gradientStepColor(TColor from, TColor to, int index, int count);

class TALProgressBar : public QWidget, public LoadedComponent {
    Q_OBJECT
public:
    explicit TALProgressBar(QWidget *parent = nullptr);

    // Every setter stores the value and repaints at once.
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    // Ignores a value equal to Position or outside Min..Max. The shown value (and so the percentage
    // text) takes the value at once; Position follows only once it moved by a pixel's worth
    // (Max / Width), so that small steps add up, or reached Min or Max. Repaints without rebuilding the
    // bar image.
    void SetPosition(int value);
    // The value last handed to SetPosition; the percentage text shows it.
    int ShownValue() const { return FShownValue; }

    TBarColorStyle BarColorStyle() const { return FBarColorStyle; }
    void SetBarColorStyle(TBarColorStyle value);
    TColor BarColor1() const { return FBarColor1; }
    void SetBarColor1(TColor value);
    TColor BarColor2() const { return FBarColor2; }
    void SetBarColor2(TColor value);
    TColor BarColor3() const { return FBarColor3; }
    void SetBarColor3(TColor value);
    // When not empty, tiled as the bar instead of the colours.
    const QPixmap &BarBitmap() const { return FBarBitmap; }
    void SetBarBitmap(const QPixmap &value);
    TColor BackgroundColor() const { return FBackgroundColor; }
    void SetBackgroundColor(TColor value);
    TColor BorderColor1() const { return FBorderColor1; }
    void SetBorderColor1(TColor value);
    TColor BorderColor2() const { return FBorderColor2; }
    void SetBorderColor2(TColor value);
    bool ShowBorder() const { return FShowBorder; }
    void SetShowBorder(bool value);
    TProgressDirection Direction() const { return FDirection; }
    void SetDirection(TProgressDirection value);
    bool ShowPosText() const { return FShowPosText; }
    void SetShowPosText(bool value);
    QString PosTextPrefix() const { return FPosTextPrefix; }
    void SetPosTextPrefix(const QString &value);
    QString PosTextSuffix() const { return FPosTextSuffix; }
    void SetPosTextSuffix(const QString &value);
    uint8_t Precission() const { return FPrecission; }
    void SetPrecission(uint8_t value);
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &value);

    // The percentage text for the shown value (shown value / Max × 100 with Precission decimals),
    // empty for a shown value of 0.
    QString PositionText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintBar(QPainter &painter);
    void renderBarImage();
    void renderGradient(QPainter &painter, int width, int height) const;
    void changed();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FShownValue = 0;
    TBarColorStyle FBarColorStyle = cs3Colors;
    TColor FBarColor1 = 0x008000;
    TColor FBarColor2 = 0x00FFFF;
    TColor FBarColor3 = 0x0000FF;
    QPixmap FBarBitmap;
    TColor FBackgroundColor = clBtnFace;
    TColor FBorderColor1 = clBtnShadow;
    TColor FBorderColor2 = clBtnHighlight;
    bool FShowBorder = true;
    TProgressDirection FDirection = pdLeftToRight;
    bool FShowPosText = true;
    QString FPosTextPrefix;
    QString FPosTextSuffix = QStringLiteral("%");
    uint8_t FPrecission = 0;
    TFont FFont;

    // The rendered gradient or tiled bitmap, rebuilt only by a full paint.
    QPixmap FBarImage;
    bool FRebuild = true;
};
