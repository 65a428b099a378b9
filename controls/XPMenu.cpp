#include "controls/XPMenu.h"

#include "controls/ComponentTag.h"
#include "controls/ControlSubClass.h"
#include "controls/XPColors.h"
#include "controls/XPMenuStyle.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QChildEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

namespace {

// The system menu font in the menu text colour.
TFont SystemMenuFont()
{
    const QFont font = QApplication::font("QMenu");
    TFont result;
    result.Color = clMenuText;
    result.Name = font.family();
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    result.Height = -std::max(1, pixels);
    return result;
}

bool isExactly(const QObject *object, const char *className)
{
    return std::strcmp(object->metaObject()->className(), className) == 0;
}

// The container member that a control's parent stands for.
std::optional<TXPContainer> ContainerMember(const QWidget *Parent, const QWidget *Owner)
{
    if (!Parent)
        return std::nullopt;
    const auto *window = qobject_cast<const QMainWindow *>(Parent->parentWidget());
    if (Parent == Owner || Parent->isWindow() || (window && window->centralWidget() == Parent))
        return xccForm;
    if (qobject_cast<const QToolBar *>(Parent))
        return xccToolbar;
    if (qobject_cast<const QGroupBox *>(Parent))
        return xccGroupBox;
    const QWidget *grand = Parent->parentWidget();
    if (grand && qobject_cast<const QScrollArea *>(grand->parentWidget()) &&
        qobject_cast<const QScrollArea *>(grand->parentWidget())->widget() == Parent)
        return xccScrollBox;
    if (qobject_cast<const QStackedWidget *>(grand) &&
        qobject_cast<const QTabWidget *>(grand->parentWidget()))
        return xccTabSheet;
    if (isExactly(Parent, "QFrame") || isExactly(Parent, "QWidget"))
        return xccPanel;
    return std::nullopt;
}

} // namespace

TXPMenu::TXPMenu(QWidget *Owner)
    : QObject(Owner), FOwner(Owner), FStyle(new TXPMenuStyle(this)), FFont(SystemMenuFont()),
      FSelectFontColor(FFont.Color)
{
}

TXPMenu::~TXPMenu()
{
    UnhookAll(false);
    for (const QPointer<TControlSubClass> &subClass : FSubClasses)
        delete subClass.data();
}

void TXPMenu::Loaded()
{
    LoadedComponent::Loaded();
    if (FActive)
        HookAll(false);
}

void TXPMenu::SetActive(bool Value)
{
    if (Value == FActive)
        return;
    FActive = Value;
    if (Loading())
        return;
    if (FActive)
        HookAll(true);
    else
        UnhookAll(true);
    RedrawMenuBar();
}

void TXPMenu::SetFont(const TFont &Value)
{
    FFont = Value;
    // Menus measure their items again.
    for (const StyledWidget &styled : FStyled)
        if (styled.Widget && styled.Widget != FOwner) {
            QEvent change(QEvent::StyleChange);
            QCoreApplication::sendEvent(styled.Widget, &change);
        }
    RedrawMenuBar();
}

void TXPMenu::SetMenuBarColor(TColor Value)
{
    FMenuBarColor = Value;
    RedrawMenuBar();
}

void TXPMenu::SetUseSystemColors(bool Value)
{
    FUseSystemColors = Value;
    RedrawMenuBar();
}

void TXPMenu::SetXPControls(TXPControls Value)
{
    if (Value == FXPControls)
        return;
    if (FActive && !Loading()) {
        UnhookAll(false);
        FXPControls = Value;
        HookAll(true);
    } else {
        FXPControls = Value;
    }
}

void TXPMenu::SetXPContainers(TXPContainers Value)
{
    if (Value == FXPContainers)
        return;
    if (FActive && !Loading()) {
        UnhookAll(false);
        FXPContainers = Value;
        HookAll(true);
    } else {
        FXPContainers = Value;
    }
}

TXPColors TXPMenu::WorkingColors(int Depth) const
{
    TXPColors c;
    c.HighColor = Depth >= 16;
    const bool high = c.HighColor;
    c.FontColor = ColorToRGB(FFont.Color);
    if (FUseSystemColors) {
        c.MenuColor = high ? LightenColor(clBtnFace, 86, Depth) : clWhite;
        c.IconColor = high ? LightenColor(clBtnFace, 16, Depth) : ColorToRGB(clBtnFace);
        c.SelectFill = high ? LightenColor(clHighlight, 68, Depth) : clWhite;
        c.SelectBorder = ColorToRGB(clHighlight);
        c.SelectFont = c.FontColor;
        c.CheckedFill = high ? LightenColor(clHighlight, 80, Depth) : clWhite;
        c.CheckedSelectedFill = high ? LightenColor(clHighlight, 50, Depth) : clWhite;
        c.CheckFrame = ColorToRGB(clHighlight);
        c.MenuBarColor = ColorToRGB(clBtnFace);
        c.DisabledText = high ? LightenColor(clBtnShadow, 10, Depth) : ColorToRGB(clBtnShadow);
        c.SeparatorColor = high ? LightenColor(clBtnShadow, 25, Depth) : ColorToRGB(clBtnShadow);
    } else {
        const bool dim = FUseDimColor && high;
        c.MenuColor = ColorToRGB(FColor);
        c.IconColor = ColorToRGB(FIconBackColor);
        c.SelectFill = dim ? LightenColor(FSelectColor, 68, Depth) : ColorToRGB(FSelectColor);
        c.SelectBorder = ColorToRGB(FSelectBorderColor);
        c.SelectFont = ColorToRGB(FSelectFontColor);
        c.CheckedFill = !high ? clWhite
                        : dim ? LightenColor(FSelectColor, 80, Depth)
                              : ColorToRGB(FSelectColor);
        c.CheckedSelectedFill = !high ? clSilver
                                : dim ? LightenColor(FSelectColor, 50, Depth)
                                      : ColorToRGB(FSelectColor);
        c.CheckFrame = ColorToRGB(FCheckedColor);
        c.MenuBarColor = ColorToRGB(FMenuBarColor);
        c.DisabledText = ColorToRGB(FDisabledColor);
        c.SeparatorColor = ColorToRGB(FSeparatorColor);
    }
    c.FrameLight = high ? ShadeColor(clBtnFace, 90) : ColorToRGB(clBtnShadow);
    c.FrameDark = high ? ShadeColor(clBtnFace, 76) : ColorToRGB(clBtnShadow);
    return c;
}

bool TXPMenu::Styles(const QWidget *Widget) const
{
    return Widget && Widget->testAttribute(Qt::WA_SetStyle) && Widget->style() == FStyle;
}

std::vector<QObject *> TXPMenu::FormComponents() const
{
    std::vector<QObject *> result;
    std::function<void(QObject *)> visit = [&](QObject *parent) {
        for (QObject *child : parent->children()) {
            if (child == this)
                continue;
            const auto *widget = qobject_cast<QWidget *>(child);
            // Child windows and dialogs are forms of their own; a menu is a pop-up of this one.
            if (widget && (qobject_cast<const QMdiSubWindow *>(widget) ||
                           (widget->isWindow() && !qobject_cast<const QMenu *>(widget))))
                continue;
            result.push_back(child);
            if (!qobject_cast<QMenu *>(child))
                visit(child);
        }
    };
    visit(FOwner);
    return result;
}

void TXPMenu::HookAll(bool Repaint)
{
    if (FAutoDetect)
        WatchAdditions(FOwner);
    for (QObject *component : FormComponents())
        HookComponent(component, Repaint);
}

void TXPMenu::UnhookAll(bool Repaint)
{
    for (StyledWidget &styled : FStyled) {
        if (!styled.Widget)
            continue;
        styled.Widget->removeEventFilter(this);
        if (styled.Widget->style() != FStyle)
            continue;
        styled.Widget->setStyle(styled.Previous.data());
        if (Repaint)
            styled.Widget->update();
    }
    FStyled.clear();
    if (FOwner)
        FOwner->removeEventFilter(this);
    // The control companions unhook themselves at their control's next event.
    for (const QPointer<TControlSubClass> &subClass : FSubClasses)
        if (subClass)
            subClass->Release();
}

void TXPMenu::HookComponent(QObject *Component, bool Repaint)
{
    if (!FActive || ComponentTag(Component) == XPKeepTag)
        return;
    if (auto *bar = qobject_cast<QMenuBar *>(Component)) {
        if (!XPHas(FXPControls, xcMainMenu) || !SetOurStyle(bar, Repaint))
            return;
        for (QAction *action : bar->actions())
            if (action->menu())
                HookMenuTree(action->menu(), Repaint);
    } else if (auto *menu = qobject_cast<QMenu *>(Component)) {
        HookMenu(menu, Repaint);
    } else if (auto *toolBar = qobject_cast<QToolBar *>(Component)) {
        HookToolBar(toolBar, Repaint);
    } else if (auto *control = qobject_cast<QWidget *>(Component)) {
        HookControl(control, Repaint);
    }
}

bool TXPMenu::IsMainMenu(const QMenu *Menu) const
{
    std::vector<const QMenu *> path{Menu};
    std::function<bool(const QMenu *)> reachable = [&](const QMenu *menu) {
        for (const QObject *object : menu->menuAction()->associatedObjects()) {
            if (const auto *bar = qobject_cast<const QMenuBar *>(object))
                if (bar->window() == FOwner->window())
                    return true;
            const auto *parentMenu = qobject_cast<const QMenu *>(object);
            if (parentMenu && std::find(path.begin(), path.end(), parentMenu) == path.end()) {
                path.push_back(parentMenu);
                if (reachable(parentMenu))
                    return true;
            }
        }
        return false;
    };
    return reachable(Menu);
}

void TXPMenu::HookMenu(QMenu *Menu, bool Repaint)
{
    if (!FActive || !Menu)
        return;
    const TXPControl member = IsMainMenu(Menu) ? xcMainMenu : xcPopupMenu;
    if (!XPHas(FXPControls, member))
        return;
    HookMenuTree(Menu, Repaint);
}

void TXPMenu::HookMenuTree(QMenu *Menu, bool Repaint)
{
    std::vector<QMenu *> pending{Menu};
    std::vector<QMenu *> seen;
    while (!pending.empty()) {
        QMenu *menu = pending.back();
        pending.pop_back();
        if (std::find(seen.begin(), seen.end(), menu) != seen.end())
            continue;
        seen.push_back(menu);
        if (ComponentTag(menu) != XPKeepTag)
            SetOurStyle(menu, Repaint);
        for (QAction *action : menu->actions())
            if (action->menu())
                pending.push_back(action->menu());
    }
}

void TXPMenu::HookToolBar(QWidget *ToolBar, bool Repaint)
{
    if (!XPHas(FXPControls, xcToolbar) || !SetOurStyle(ToolBar, Repaint))
        return;
    // Its buttons and separators draw through the style too.
    for (auto *child : ToolBar->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if ((qobject_cast<QToolButton *>(child) || isExactly(child, "QToolBarSeparator")) &&
            ComponentTag(child) != XPKeepTag)
            SetOurStyle(child, Repaint);
}

void TXPMenu::HookControl(QWidget *Control, bool Repaint)
{
    const std::optional<TXPControlKind> kind = XPControlKind(Control);
    if (!kind || !XPHas(FXPControls, kind->Member))
        return;
    QWidget *parent = Control->parentWidget();
    const std::optional<TXPContainer> container = ContainerMember(parent, FOwner);
    if (!container || !XPHas(FXPContainers, *container) || ComponentTag(parent) == XPKeepTag)
        return;
    const auto hooked = std::find_if(FSubClasses.begin(), FSubClasses.end(), [Control](const auto &subClass) {
        return subClass && subClass->Control() == Control;
    });
    if (hooked != FSubClasses.end()) {
        (*hooked)->Rearm();
        return;
    }
    FSubClasses.erase(std::remove(FSubClasses.begin(), FSubClasses.end(), nullptr), FSubClasses.end());
    FSubClasses.emplace_back(new TControlSubClass(this, Control));
    if (Repaint)
        Control->update();
}

bool TXPMenu::SetOurStyle(QWidget *Widget, bool Repaint)
{
    if (Widget->style() == FStyle && Widget->testAttribute(Qt::WA_SetStyle))
        return true;
    const bool ownStyle = Widget->testAttribute(Qt::WA_SetStyle);
    if (ownStyle && !FOverrideOwnerDraw)
        return false;
    FStyled.push_back({Widget, ownStyle ? Widget->style() : nullptr});
    Widget->setStyle(FStyle);
    if (FAutoDetect)
        WatchAdditions(Widget);
    if (Repaint)
        Widget->update();
    return true;
}

void TXPMenu::WatchAdditions(QObject *Object)
{
    Object->removeEventFilter(this);
    Object->installEventFilter(this);
}

void TXPMenu::HookLater(QObject *Object)
{
    QPointer<QObject> object(Object);
    QMetaObject::invokeMethod(
        this,
        [this, object] {
            if (object && FActive && FAutoDetect)
                HookComponent(object, true);
        },
        Qt::QueuedConnection);
}

bool TXPMenu::eventFilter(QObject *Watched, QEvent *Event)
{
    if (!FActive || !FAutoDetect)
        return false;
    if (Event->type() == QEvent::ChildAdded && Watched == FOwner) {
        // The child is not fully built yet: take it once the event loop comes back.
        HookLater(static_cast<QChildEvent *>(Event)->child());
    } else if (Event->type() == QEvent::ActionAdded) {
        QAction *action = static_cast<QActionEvent *>(Event)->action();
        if (action->menu())
            HookLater(action->menu());
        if (auto *toolBar = qobject_cast<QToolBar *>(Watched))
            QMetaObject::invokeMethod(
                this,
                [this, bar = QPointer<QToolBar>(toolBar)] {
                    if (bar && FActive)
                        HookToolBar(bar, true);
                },
                Qt::QueuedConnection);
    }
    return false;
}

void TXPMenu::RedrawMenuBar()
{
    auto *window = qobject_cast<QMainWindow *>(FOwner);
    QMenuBar *bar = window ? qobject_cast<QMenuBar *>(window->menuWidget()) : FOwner->findChild<QMenuBar *>();
    if (!bar)
        return;
    QEvent change(QEvent::StyleChange);
    QCoreApplication::sendEvent(bar, &change);
    bar->update();
}
