#pragma once
// TXPMenu: a component on a form that gives the form's menus a flat, light look (an icon strip, a
// selection box, checks in boxes, dimmed, greyed and shadowed images, a tab for the open item of the
// menu bar) and, on request, its tool bars and form controls the same look (ControlSubClass.h).
//
// Active sets a TXPMenuStyle (XPMenuStyle.h) on the form's menu bar and its menus (xcMainMenu), on the
// form's pop-up menus (xcPopupMenu), sub-menus included, and on its tool bars (xcToolbar); the other
// controls chosen by XPControls and XPContainers get a TControlSubClass. A menu, action or control
// whose Tag (ComponentTag.h) is 999 is never taken; a menu or tool bar with a style of its own keeps it
// unless OverrideOwnerDraw. Switching Active off gives back only the widgets that are still ours.

#include "controls/Component.h"
#include "controls/Graphics.h"

#include <QObject>
#include <QPointer>
#include <QStyle>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

class QMenu;
class QWidget;
class TControlSubClass;
class TXPMenuStyle;

enum TXPControl : uint8_t {
    xcMainMenu,
    xcPopupMenu,
    xcToolbar,
    xcControlbar,
    xcCombo,
    xcEdit,
    xcMaskEdit,
    xcMemo,
    xcRichEdit,
    xcCheckBox,
    xcRadioButton,
    xcButton,
    xcBitBtn,
    xcSpeedButton,
    xcPanel,
    xcGroupBox
};
enum TXPContainer : uint8_t {
    xccForm,
    xccFrame,
    xccToolbar,
    xccCoolbar,
    xccControlbar,
    xccPanel,
    xccScrollBox,
    xccGroupBox,
    xccTabSheet,
    xccPageScroller
};
// Sets of the members above, one bit each.
using TXPControls = uint32_t;
using TXPContainers = uint32_t;

template <typename Member> constexpr uint32_t XPSet(std::initializer_list<Member> Members)
{
    uint32_t set = 0;
    for (Member member : Members)
        set |= 1u << member;
    return set;
}
constexpr bool XPHas(uint32_t Set, uint8_t Member)
{
    return (Set >> Member) & 1u;
}
constexpr TXPControls XPAllControls = (1u << (xcGroupBox + 1)) - 1;
constexpr TXPContainers XPAllContainers = (1u << (xccPageScroller + 1)) - 1;

// A component with this Tag is never taken over.
constexpr int XPKeepTag = 999;

// The colours of one drawing, resolved to plain $00BBGGRR values.
struct TXPColors {
    bool HighColor = true; // the canvas has at least 16 bits per pixel
    TColor MenuColor = 0;
    TColor IconColor = 0;
    TColor SelectFill = 0;
    TColor SelectBorder = 0;
    TColor SelectFont = 0;
    TColor CheckedFill = 0;
    TColor CheckedSelectedFill = 0;
    TColor CheckFrame = 0;
    TColor MenuBarColor = 0;
    TColor DisabledText = 0;
    TColor SeparatorColor = 0;
    TColor FrameLight = 0;
    TColor FrameDark = 0;
    TColor FontColor = 0;
};

class TXPMenu : public QObject, public LoadedComponent {
    Q_OBJECT

public:
    // Owner is the form whose menus and controls are taken.
    explicit TXPMenu(QWidget *Owner);
    ~TXPMenu() override;

    void Loaded() override;

    QWidget *OwnerForm() const { return FOwner; }
    TXPMenuStyle *Style() const { return FStyle; }

    bool Active() const { return FActive; }
    void SetActive(bool Value);
    bool AutoDetect() const { return FAutoDetect; }
    void SetAutoDetect(bool Value) { FAutoDetect = Value; }
    const TFont &Font() const { return FFont; }
    void SetFont(const TFont &Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor IconBackColor() const { return FIconBackColor; }
    void SetIconBackColor(TColor Value) { FIconBackColor = Value; }
    TColor MenuBarColor() const { return FMenuBarColor; }
    void SetMenuBarColor(TColor Value);
    TColor SelectColor() const { return FSelectColor; }
    void SetSelectColor(TColor Value) { FSelectColor = Value; }
    TColor SelectBorderColor() const { return FSelectBorderColor; }
    void SetSelectBorderColor(TColor Value) { FSelectBorderColor = Value; }
    TColor SelectFontColor() const { return FSelectFontColor; }
    void SetSelectFontColor(TColor Value) { FSelectFontColor = Value; }
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor Value) { FDisabledColor = Value; }
    TColor SeparatorColor() const { return FSeparatorColor; }
    void SetSeparatorColor(TColor Value) { FSeparatorColor = Value; }
    TColor CheckedColor() const { return FCheckedColor; }
    void SetCheckedColor(TColor Value) { FCheckedColor = Value; }
    int IconWidth() const { return FIconWidth; }
    void SetIconWidth(int Value) { FIconWidth = Value; }
    bool DrawSelect() const { return FDrawSelect; }
    void SetDrawSelect(bool Value) { FDrawSelect = Value; }
    bool UseSystemColors() const { return FUseSystemColors; }
    void SetUseSystemColors(bool Value);
    bool UseDimColor() const { return FUseDimColor; }
    void SetUseDimColor(bool Value) { FUseDimColor = Value; }
    bool OverrideOwnerDraw() const { return FOverrideOwnerDraw; }
    void SetOverrideOwnerDraw(bool Value) { FOverrideOwnerDraw = Value; }
    bool Gradient() const { return FGradient; }
    void SetGradient(bool Value) { FGradient = Value; }
    bool FlatMenu() const { return FFlatMenu; }
    void SetFlatMenu(bool Value) { FFlatMenu = Value; }
    bool DrawMenuBar() const { return FDrawMenuBar; }
    void SetDrawMenuBar(bool Value) { FDrawMenuBar = Value; }
    uint8_t GrayLevel() const { return FGrayLevel; }
    void SetGrayLevel(uint8_t Value) { FGrayLevel = Value; }
    uint8_t DimLevel() const { return FDimLevel; }
    void SetDimLevel(uint8_t Value) { FDimLevel = Value; }
    TXPControls XPControls() const { return FXPControls; }
    void SetXPControls(TXPControls Value);
    TXPContainers XPContainers() const { return FXPContainers; }
    void SetXPContainers(TXPContainers Value);

    // The working colours for a canvas of Depth bits per pixel.
    TXPColors WorkingColors(int Depth) const;

    // Takes a menu of the form (and its sub-menus) when it qualifies; the style calls it for sub-menus
    // met while drawing, so that menus added since the last hooking are drawn too.
    void HookMenu(QMenu *Menu, bool Repaint);
    // True when the widget draws through this component's style.
    bool Styles(const QWidget *Widget) const;

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override;

private:
    // A widget given our style, and the style it had of its own (none: the application's).
    struct StyledWidget {
        QPointer<QWidget> Widget;
        QPointer<QStyle> Previous;
    };

    void HookAll(bool Repaint);
    void UnhookAll(bool Repaint);
    void HookComponent(QObject *Component, bool Repaint);
    void HookMenuTree(QMenu *Menu, bool Repaint);
    void HookToolBar(QWidget *ToolBar, bool Repaint);
    void HookControl(QWidget *Control, bool Repaint);
    bool SetOurStyle(QWidget *Widget, bool Repaint);
    void WatchAdditions(QObject *Object);
    void HookLater(QObject *Object);
    bool IsMainMenu(const QMenu *Menu) const;
    void RedrawMenuBar();
    std::vector<QObject *> FormComponents() const;

    QWidget *FOwner;
    TXPMenuStyle *FStyle;
    std::vector<StyledWidget> FStyled;
    std::vector<QPointer<TControlSubClass>> FSubClasses;

    bool FActive = false;
    bool FAutoDetect = false;
    TFont FFont;
    TColor FColor = clBtnFace;
    TColor FIconBackColor = clBtnFace;
    TColor FMenuBarColor = clBtnFace;
    TColor FSelectColor = clHighlight;
    TColor FSelectBorderColor = clHighlight;
    TColor FSelectFontColor;
    TColor FDisabledColor = clInactiveCaption;
    TColor FSeparatorColor = clBtnFace;
    TColor FCheckedColor = clHighlight;
    int FIconWidth = 24;
    bool FDrawSelect = true;
    bool FUseSystemColors = true;
    bool FUseDimColor = false;
    bool FOverrideOwnerDraw = false;
    bool FGradient = false;
    bool FFlatMenu = false;
    bool FDrawMenuBar = false;
    uint8_t FGrayLevel = 10;
    uint8_t FDimLevel = 30;
    TXPControls FXPControls = XPAllControls;
    TXPContainers FXPContainers = XPAllContainers;
};
