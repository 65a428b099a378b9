// The main window's child windows: adding them, their activation, the commands they receive, the
// tilings and the window list of "&Okno".
#include "shell/FMain.h"

#include "controls/ALStatusBar.h"
#include "controls/StringGrid.h"
#include "engine/UGameMan.h"
#include "platform/gui/ModalHooks.h"
#include "platform/gui/TitleBarClicks.h"
#include "platform/gui/WindowFit.h"
#include "shell/FDrawsEditor.h"
#include "shell/FDrawsRange.h"
#include "shell/FMainCommands.h"
#include "shell/FMainTiling.h"
#include "shell/GuardedConnect.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include <algorithm>

namespace {

// A tiled sub-window's properties: the size tiling gave it and the size it had before.
constexpr char TiledSize[] = "korvantileTiledSize";
constexpr char UntiledSize[] = "korvantileUntiledSize";

// The cascade step: the height of a sub-window's title bar with the border above it (the room the
// sub-window keeps above its form), so that the one behind keeps its title in view.
int CascadeStep(const QMdiSubWindow *Window)
{
    return Window->contentsMargins().top();
}

// The width at which the sub-window shows its whole title beside its buttons.
int TitleWidth(const QMdiSubWindow *Window)
{
    QStyleOptionTitleBar option;
    option.initFrom(Window);
    option.text = Window->windowTitle();
    option.titleBarFlags = Window->windowFlags();
    option.titleBarState = int(Window->windowState());
    const int titleHeight = Window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, Window);
    option.rect = QRect(0, 0, Window->width(), titleHeight);
    const QRect label =
        Window->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, Window);
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int text =
        QFontMetrics(font).horizontalAdvance(option.text) + QFontMetrics(font).averageCharWidth() * 2;
    return Window->width() - label.width() + text;
}

} // namespace

QMdiSubWindow *TfrmMain::AddChildForm(QWidget *Form)
{
    const QPointer<QMdiSubWindow> active = MdiArea->currentSubWindow();
    auto *holder = new QMdiSubWindow;
    holder->setAttribute(Qt::WA_DeleteOnClose);
    platform::keepTitleButtonsClickable(*holder);
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
    // The window's title whole, as far as the area allows.
    if (const int title = TitleWidth(holder); title > holder->width() && !holder->isMaximized())
        platform::resizeInArea(*Form, QSize(title, holder->height()));
    // Showing centres the form; beside an active window it opens one cascade step from it instead, where
    // it fits there.
    if (active)
        CascadeFrom(holder, active);
    return holder;
}

void TfrmMain::CascadeFrom(QMdiSubWindow *Holder, const QMdiSubWindow *Beside)
{
    if (Beside->isMaximized() || Holder->isMaximized())
        return;
    if (const std::optional<QPoint> at = CascadePosition(Beside->geometry(), Holder->size(),
                                                         MdiArea->viewport()->size(), CascadeStep(Holder)))
        Holder->move(*at);
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

// Scrolls the area back to its origin and answers the rectangle to place its windows in: its whole view,
// without the room of scroll bars that windows placed inside it will not need. Windows placed so lie where
// the area begins: a scroll range that shrinks while they are placed would move them all otherwise.
QRect PlacingArea(QMdiArea *Area)
{
    Area->horizontalScrollBar()->setValue(0);
    Area->verticalScrollBar()->setValue(0);
    return QRect(QPoint(0, 0), Area->maximumViewportSize());
}

std::vector<QMdiSubWindow *> TiledWindows(QMdiArea *Area)
{
    std::vector<QMdiSubWindow *> windows;
    for (QMdiSubWindow *window : Area->subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible() && !window->isMinimized()) {
            if (window->isMaximized())
                window->showNormal();
            windows.push_back(window);
        }
    return windows;
}

// The height Form needs beyond its content minimum so that its tallest grid shows its fixed rows and a
// few rows more.
int GridRowsRoom(const QWidget &Form)
{
    constexpr int FewRows = 4;
    int room = 0;
    for (const TStringGrid *grid : Form.findChildren<TStringGrid *>()) {
        if (!grid->isVisibleTo(&Form))
            continue;
        int height = 2 * grid->frameWidth();
        // Rows not filled yet count at the grid's default height.
        for (int row = 0; row < grid->FixedRows() + FewRows; ++row)
            height += grid->RowHeights(row) + grid->GridLineWidth();
        if (grid->ScrollBars() == ssHorizontal || grid->ScrollBars() == ssBoth)
            height += grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
        room = std::max(room, height - grid->minimumSizeHint().expandedTo(grid->minimumSize()).height());
    }
    return room;
}

// The width Form needs beyond its content minimum so that every tab bar shows all its tabs, without
// scroll arrows.
int TabBarsRoom(const QWidget &Form)
{
    int room = 0;
    for (const QTabWidget *tabs : Form.findChildren<QTabWidget *>()) {
        if (tabs->isHidden())
            continue;
        int whole = tabs->tabBar()->sizeHint().width();
        for (const Qt::Corner corner : {Qt::TopLeftCorner, Qt::TopRightCorner})
            if (const QWidget *widget = tabs->cornerWidget(corner); widget && !widget->isHidden())
                whole += widget->sizeHint().width();
        room = std::max(room, whole - tabs->minimumSizeHint().expandedTo(tabs->minimumSize()).width());
    }
    return room;
}

void Tile(QMdiArea *Area, bool Horizontal)
{
    const QRect area = PlacingArea(Area);
    const std::vector<QMdiSubWindow *> windows = TiledWindows(Area);
    std::vector<TTileNeed> needs;
    for (QMdiSubWindow *window : windows) {
        QWidget &form = *window->widget();
        const QSize least =
            window->size() - form.size() + platform::contentMinimum(form) + QSize(TabBarsRoom(form), 0);
        needs.push_back({least, least + QSize(0, GridRowsRoom(form))});
    }
    // Where the area is too small for what the windows need at least, they reach past it and the area
    // scrolls.
    const std::vector<QRect> rects = TileRects(area, needs, Horizontal);
    for (size_t i = 0; i < windows.size(); ++i) {
        // A window tiled again keeps the size it had before the first tiling.
        if (windows[i]->property(TiledSize).toSize() != windows[i]->size())
            windows[i]->setProperty(UntiledSize, windows[i]->size());
        windows[i]->setGeometry(rects[i]);
        windows[i]->setProperty(TiledSize, rects[i].size());
    }
}

// The size cascading gives a window: the one it had before tiling while it keeps its tiled size (wherever
// the area scrolled it), else its own.
QSize CascadeSize(const QMdiSubWindow *Window)
{
    const bool tiled = Window->property(TiledSize).toSize() == Window->size();
    return tiled ? Window->property(UntiledSize).toSize() : Window->size();
}

} // namespace

void TfrmMain::CascadeChildren()
{
    const QRect area = PlacingArea(MdiArea);
    // In the order they were opened, the active window last: it ends in front.
    std::vector<QMdiSubWindow *> windows = TiledWindows(MdiArea);
    const QMdiSubWindow *active = MdiArea->currentSubWindow();
    std::stable_partition(windows.begin(), windows.end(),
                          [active](const QMdiSubWindow *Window) { return Window != active; });
    std::vector<QSize> sizes;
    for (QMdiSubWindow *window : windows)
        sizes.push_back(CascadeSize(window));
    const std::vector<QRect> rects =
        CascadeRects(area, sizes, windows.empty() ? 0 : CascadeStep(windows.front()));
    for (size_t i = 0; i < windows.size(); ++i) {
        windows[i]->setGeometry(rects[i]);
        windows[i]->raise();
    }
}

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
