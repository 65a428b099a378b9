// The main window's child windows: adding them, their activation, the commands they receive, the
// tilings and the window list of "&Okno".
#include "shell/FMain.h"

#include "controls/ALStatusBar.h"
#include "engine/UGameMan.h"
#include "platform/gui/ModalHooks.h"
#include "platform/gui/WindowFit.h"
#include "shell/FDrawsEditor.h"
#include "shell/FDrawsRange.h"
#include "shell/FMainCommands.h"
#include "shell/FMainTiling.h"
#include "shell/GuardedConnect.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>

namespace {

// The cascade step: the height of a sub-window's title bar, so that the one behind keeps its title in view.
int CascadeStep(const QMdiSubWindow *Window)
{
    QStyleOptionTitleBar option;
    option.initFrom(Window);
    return Window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, Window);
}

} // namespace

QMdiSubWindow *TfrmMain::AddChildForm(QWidget *Form)
{
    const QPointer<QMdiSubWindow> active = MdiArea->currentSubWindow();
    auto *holder = new QMdiSubWindow;
    holder->setAttribute(Qt::WA_DeleteOnClose);
    // The frame's own Ctrl+F4 closes the active child wherever the focus is; the sub-window's menu
    // keeps its other keys.
    for (QAction *item : holder->systemMenu()->actions()) {
        QList<QKeySequence> keys = item->shortcuts();
        if (keys.removeAll(CloseChildKey->shortcut()) > 0)
            item->setShortcuts(keys);
    }
    // A window given less room than its form needs (by tiling, say) scrolls the form.
    platform::makeScrollable(*Form);
    const bool designed = Form->testAttribute(Qt::WA_Resized);
    const QSize size = Form->size();
    holder->setWidget(Form);
    // The form's own size, where it set one, is the size it opens with (before it is fitted).
    if (designed)
        holder->resize(holder->sizeHint() - Form->sizeHint() + size);
    MdiArea->addSubWindow(holder);
    holder->show();
    platform::fitToArea(*Form);
    // Showing may centre the form; beside an active window it opens one cascade step from it instead.
    if (active && !active->isMaximized() && !holder->isMaximized())
        holder->move(CascadePosition(active->geometry(), holder->size(), MdiArea->viewport()->size(),
                                     CascadeStep(holder)));
    return holder;
}

QWidget *TfrmMain::ActiveChildForm() const
{
    if (!MdiArea)
        return nullptr;
    QMdiSubWindow *active = MdiArea->currentSubWindow();
    return active ? active->widget() : nullptr;
}

std::vector<QWidget *> TfrmMain::ChildForms() const
{
    std::vector<QWidget *> forms;
    if (!MdiArea)
        return forms;
    for (QMdiSubWindow *holder : MdiArea->subWindowList(QMdiArea::CreationOrder))
        if (holder->widget())
            forms.push_back(holder->widget());
    return forms;
}

int TfrmMain::SendToActiveChild(QEvent::Type Code, int WParam, int LParam)
{
    QWidget *child = ActiveChildForm();
    return child ? sendCommand(child, Code, WParam, LParam) : 0;
}

void TfrmMain::PostToActiveChild(QEvent::Type Code, int WParam, int LParam)
{
    if (QWidget *child = ActiveChildForm())
        postCommand(child, Code, WParam, LParam);
}

void TfrmMain::OpenDrawsRange()
{
    if (SendToActiveChild(WM_DRAWS_RANGE) == 1)
        return;
    TGameData *game = Games.CurrentGame();
    if (!game)
        return;
    TfrmDrawsFilter dialog(this);
    dialog.Game = game;
    dialog.DrawsMan = game->DrawsMan.get();
    dialog.Range = game->DefRange;
    dialog.DefaultMode = true;
    platform::execModal(dialog);
}

void TfrmMain::OpenDrawsEditor()
{
    TGameData *game = Games.CurrentGame();
    if (!game)
        return;
    auto *editor = new TfrmDrawsEditor;
    AddChildForm(editor);
    editor->Init(game);
}

void TfrmMain::SubWindowActivated(QMdiSubWindow *Window)
{
    // A null window only means the frame itself lost the focus: the child stays the active one.
    if (!Window || Window == FActiveChild)
        return;
    if (FActiveChild && FActiveChild->widget()) {
        QEvent notice(ChildDeactivateNotice);
        QCoreApplication::sendEvent(FActiveChild->widget(), &notice);
    }
    FActiveChild = Window;
    if (QWidget *form = Window->widget()) {
        QEvent notice(ChildActivateNotice);
        QCoreApplication::sendEvent(form, &notice);
    }
}

namespace {

std::vector<QMdiSubWindow *> TiledWindows(QMdiArea *Area)
{
    std::vector<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : Area->subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible() && !window->isMinimized())
            windows.push_back(window);
    return windows;
}

void Tile(QMdiArea *Area, bool Horizontal)
{
    const std::vector<QMdiSubWindow *> windows = TiledWindows(Area);
    std::vector<QSize> needs;
    for (QMdiSubWindow *window : windows) {
        if (window->isMaximized())
            window->showNormal();
        needs.push_back(window->size() - window->widget()->size() + platform::contentMinimum(*window->widget()));
    }
    // A window whose share is smaller than its form needs scrolls the form.
    const std::vector<QRect> rects = TileRects(Area->viewport()->rect(), needs, Horizontal);
    for (size_t i = 0; i < windows.size(); ++i)
        windows[i]->setGeometry(rects[i]);
}

} // namespace

void TfrmMain::TileHorizontally()
{
    Tile(MdiArea, true);
}

void TfrmMain::TileVertically()
{
    Tile(MdiArea, false);
}

void TfrmMain::RebuildWindowMenu()
{
    mWindow->clear();
    mWindow->addAction(mWindowCascade);
    mWindow->addAction(mWindowTileHorz);
    mWindow->addAction(mWindowTileVert);
    const QList<QMdiSubWindow *> windows = MdiArea->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    mWindow->addSeparator();
    int number = 0;
    for (QMdiSubWindow *window : windows) {
        ++number;
        QAction *item = mWindow->addAction(QStringLiteral("&%1 %2").arg(number).arg(window->windowTitle()));
        item->setCheckable(true);
        item->setChecked(window == MdiArea->currentSubWindow());
        connectGuarded(item, &QAction::triggered, this, [this, window = QPointer<QMdiSubWindow>(window)] {
            if (window)
                MdiArea->setActiveSubWindow(window);
        });
    }
}

void TfrmMain::PlaceStatusControls()
{
    Panel2->setGeometry(ALStatusBar1->PanelRect(0).toQRect());
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ALStatusBar1 && event->type() == QEvent::Resize)
        PlaceStatusControls();
    // A band the user drags to another place in the control bar.
    if ((watched == ToolBar1 || watched == ControlBarPanel) && event->type() == QEvent::Move &&
        (QGuiApplication::mouseButtons() & Qt::LeftButton))
        WidenMovedBand(static_cast<QToolBar *>(watched));
    return QMainWindow::eventFilter(watched, event);
}
