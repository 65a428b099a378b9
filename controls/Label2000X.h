#pragma once
// A label that draws its caption turned by any angle, raised or recessed, shows the current date, or
// acts as a web or mail link opened by the desktop.

#include "controls/Alignment.h"
#include "controls/Component.h"
#include "controls/Graphics.h"

#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>

enum TTextStyle : uint8_t { tsNone, tsRaised, tsRecessed };

class TLabel2000X : public QWidget, public LoadedComponent {
    Q_OBJECT
public:
    explicit TLabel2000X(QWidget *parent = nullptr);

    // Every setter repaints; those that change the text's extent also resize an auto-sized label.
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &value);
    // Degrees counter-clockwise, kept in 0..360.
    int Angle() const { return FAngle; }
    void SetAngle(int value);
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &value);

    // The four display modes exclude one another. Switching a link mode on saves the font's colour and
    // style and shows the link look; switching a date mode on saves the caption. Switching off
    // restores what was saved. Assigning the current state changes nothing.
    bool ShowAsDate() const { return FShowAsDate; }
    void SetShowAsDate(bool value);
    bool ShowAsDateTime() const { return FShowAsDateTime; }
    void SetShowAsDateTime(bool value);
    bool ShowAsUrl() const { return FShowAsUrl; }
    void SetShowAsUrl(bool value);
    bool ShowAsEmailUrl() const { return FShowAsEmailUrl; }
    void SetShowAsEmailUrl(bool value);

    // The size of the caption's box turned by Angle (one line in the label's font).
    QSize RotatedSize() const;
    // With AutoSize, fits the label to its caption.
    void AdjustBounds();

    void Loaded() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    uint32_t textFlags() const;
    void drawCaption(QPainter &painter, int dx, int dy, TColor color);
    void drawRotated(QPainter &painter, int left, int top);
    void setLinkMode(bool &mode, bool value);
    void setDateMode(bool &mode, bool value, const QString &text);
    void restoreLinkLook();
    void changed();

    QString FCaption;
    int FAngle = 0;
    TTextStyle FTextStyle = tsRaised;
    TAlignment FAlignment = taLeftJustify;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    TColor FColor = clBtnFace;
    TFont FFont;
    bool FShowAsDate = false;
    bool FShowAsDateTime = false;
    bool FShowAsUrl = false;
    bool FShowAsEmailUrl = false;
    // What the display modes replaced, kept per label.
    TColor FSavedColor = clWindowText;
    TFontStyles FSavedStyle = 0;
    QString FSavedCaption;
};
