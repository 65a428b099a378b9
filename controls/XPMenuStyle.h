#pragma once
// TXPMenuStyle: the proxy style through which the menus (and tool bars) taken by a TXPMenu measure and
// draw their items. Items whose action has Tag 999 are measured and drawn by the base style.

#include <QProxyStyle>

class QAction;
class QStyleOptionMenuItem;
class TXPMenu;

class TXPMenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    // The width of a drop-down menu's icon strip.
    static constexpr PixelMetric PM_XPIconWidth = PixelMetric(PM_CustomBase + 1);

    explicit TXPMenuStyle(TXPMenu *Menu);

    int pixelMetric(PixelMetric Metric, const QStyleOption *Option, const QWidget *Widget) const override;
    QSize sizeFromContents(ContentsType Type, const QStyleOption *Option, const QSize &Size,
                           const QWidget *Widget) const override;
    void drawControl(ControlElement Element, const QStyleOption *Option, QPainter *Painter,
                     const QWidget *Widget) const override;
    void drawPrimitive(PrimitiveElement Element, const QStyleOption *Option, QPainter *Painter,
                       const QWidget *Widget) const override;
    void drawComplexControl(ComplexControl Control, const QStyleOptionComplex *Option, QPainter *Painter,
                            const QWidget *Widget) const override;

private:
    bool DrawsItem(const QStyleOptionMenuItem *Item, const QWidget *Widget, bool Measuring) const;
    QSize MeasureItem(const QStyleOptionMenuItem *Item, const QSize &Size, bool MenuBarItem) const;
    void DrawItem(const QStyleOptionMenuItem *Item, QPainter *Painter, const QWidget *Widget,
                  bool MenuBarItem) const;
    void DrawMenuFrame(const QStyleOption *Option, QPainter *Painter, const QWidget *Widget) const;
    // Tool bars (XPToolButton.cpp).
    void DrawToolButton(const QStyleOptionComplex *Option, QPainter *Painter, const QWidget *Widget) const;
    void DrawToolBarHandle(const QStyleOption *Option, QPainter *Painter) const;
    void DrawToolBarSeparator(const QStyleOption *Option, QPainter *Painter, const QWidget *Widget) const;

    TXPMenu *FMenu;
};
