#include "platform/gui/WindowFit.h"

#include <QApplication>
#include <QEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

const QString ScrollerName = QStringLiteral("ContentScroller");
const QString KeeperName = QStringLiteral("ContentFitKeeper");

QScrollArea *Scroller(const QWidget &Form)
{
    return Form.findChild<QScrollArea *>(ScrollerName, Qt::FindDirectChildrenOnly);
}

// The widget that holds Form's layout: the scroll area's content, or Form itself.
QWidget &Content(QWidget &Form)
{
    QScrollArea *scroller = Scroller(Form);
    return scroller && scroller->widget() ? *scroller->widget() : Form;
}

// What a top-level window's frame adds to its size: its own once shown, else that of the window it opens
// over, else that of the application's active window.
QSize Decoration(const QWidget &Frame)
{
    if (!Frame.isWindow())
        return {0, 0};
    const QWidget *owner = Frame.parentWidget() ? Frame.parentWidget()->window() : nullptr;
    for (const QWidget *window : {&Frame, owner, static_cast<const QWidget *>(QApplication::activeWindow())}) {
        if (!window || !window->isVisible())
            continue;
        const QSize extra = window->frameGeometry().size() - window->size();
        if (!extra.isEmpty())
            return extra;
    }
    return {0, 0};
}

// The room the frame's area leaves the frame, its decoration aside.
QSize Room(const QWidget &Frame)
{
    return windowArea(Frame).size() - Decoration(Frame);
}

// What the frame needs for Form's content: the content minimum with what lies between the frame and the
// form (a sub-window's title bar and borders).
QSize FrameNeed(const QWidget &Frame, const QWidget &Form)
{
    const QSize around = &Frame == &Form ? QSize(0, 0) : Frame.size() - Form.size();
    return contentMinimum(Form) + around;
}

// At, moved as little as it takes for Frame placed there to lie inside Area (at Area's top left where Frame
// is larger).
QPoint InsideArea(const QWidget &Frame, const QRect &Area, QPoint At)
{
    const QSize outer = Frame.size() + Decoration(Frame);
    const int right = std::max(Area.left(), Area.left() + Area.width() - outer.width());
    const int bottom = std::max(Area.top(), Area.top() + Area.height() - outer.height());
    return {std::clamp(At.x(), Area.left(), right), std::clamp(At.y(), Area.top(), bottom)};
}

bool KeepsGeometry(const QWidget &Frame)
{
    return Frame.windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen);
}

// Fits the frame to the content's minimum within the area; a top-level window also takes that minimum
// (within the area) as the least size a user may give it.
void Refit(QWidget &Form)
{
    QWidget &frame = windowFrame(Form);
    const QSize need = FrameNeed(frame, Form);
    if (frame.isWindow())
        frame.setMinimumSize(need.boundedTo(Room(frame)));
    // A top-level window that was never sized opens at its size hint.
    const QSize wanted = frame.isWindow() && !frame.testAttribute(Qt::WA_Resized) ? frame.sizeHint() : frame.size();
    resizeInArea(Form, wanted.expandedTo(need));
}

// Refits a form whenever its content comes to need more room than it did, once more after each showing,
// when the form's own show handling has filled and sized it, and, for a window of its own, whenever the
// window manager's frame around it comes to differ from the one it was fitted with.
class TFitKeeper : public QObject {
public:
    explicit TFitKeeper(QWidget &Form) : QObject(&Form), FForm(&Form), FNeed(contentMinimum(Form))
    {
        setObjectName(KeeperName);
        Form.installEventFilter(this);
        Content(Form).installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (!FForm)
            return false;
        if (Event->type() == QEvent::Show && Watched == FForm) {
            QMetaObject::invokeMethod(this, [this] { if (FForm) Refit(*FForm); }, Qt::QueuedConnection);
        } else if (Event->type() == QEvent::Move && Watched == FForm && FForm->isWindow() &&
                   FForm->isVisible()) {
            const QSize decoration = FForm->frameGeometry().size() - FForm->size();
            if (decoration != FDecoration) {
                FDecoration = decoration;
                Refit(*FForm);
            }
        } else if (Event->type() == QEvent::LayoutRequest && Watched != FForm) {
            const QSize need = contentMinimum(*FForm);
            if (need.width() > FNeed.width() || need.height() > FNeed.height())
                Refit(*FForm);
            FNeed = need;
        }
        return false;
    }

private:
    QPointer<QWidget> FForm;
    QSize FNeed;
    QSize FDecoration;
};

} // namespace

void makeScrollable(QWidget &Form)
{
    QLayout *layout = Form.layout();
    if (!layout || Scroller(Form))
        return;
    // The tab order the form has, to be kept.
    std::vector<QPointer<QWidget>> tabOrder;
    for (QWidget *w = Form.nextInFocusChain(); w && w != &Form; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder.emplace_back(w);
    auto *content = new QWidget;
    // The form's own least size is its content's from now on.
    content->setMinimumSize(Form.minimumSize());
    Form.setMinimumSize(0, 0);
    content->setLayout(layout);
    // Children placed by hand rather than by the layout move with the content too.
    for (QWidget *child : Form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            child->setParent(content);
    auto *scroller = new QScrollArea(&Form);
    scroller->setObjectName(ScrollerName);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    scroller->setWidget(content);
    auto *fill = new QVBoxLayout(&Form);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(scroller);
    for (size_t i = 1; i < tabOrder.size(); ++i)
        if (tabOrder[i - 1] && tabOrder[i])
            QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

QSize contentMinimum(const QWidget &Form)
{
    const QScrollArea *scroller = Scroller(Form);
    const QWidget &content = scroller && scroller->widget() ? *scroller->widget() : Form;
    return content.minimumSizeHint().expandedTo(content.minimumSize());
}

QWidget &windowFrame(QWidget &Form)
{
    if (auto *holder = qobject_cast<QMdiSubWindow *>(Form.parentWidget()))
        return *holder;
    return *Form.window();
}

QRect windowArea(const QWidget &Frame)
{
    if (auto *holder = qobject_cast<const QMdiSubWindow *>(&Frame); holder && holder->mdiArea())
        return holder->mdiArea()->viewport()->rect();
    if (!Frame.isWindow())
        return Frame.parentWidget()->rect();
    const QScreen *screen = Frame.screen();
    return screen ? screen->availableGeometry() : QRect(QPoint(), Frame.size());
}

void resizeInArea(QWidget &Form, QSize Size)
{
    QWidget &frame = windowFrame(Form);
    if (KeepsGeometry(frame))
        return;
    frame.resize(Size.boundedTo(Room(frame)));
    // A window not yet shown is placed when it shows, inside the area.
    if (frame.isWindow() && !frame.isVisible())
        return;
    const QPoint at = InsideArea(frame, windowArea(frame), frame.pos());
    if (at != frame.pos())
        frame.move(at);
}

void fitToArea(QWidget &Form)
{
    makeScrollable(Form);
    if (!Form.findChild<QObject *>(KeeperName, Qt::FindDirectChildrenOnly))
        new TFitKeeper(Form);
    Refit(Form);
}

void refitNow(QWidget &Form)
{
    if (!Form.findChild<QObject *>(KeeperName, Qt::FindDirectChildrenOnly))
        return;
    // A new least size of a widget on a page out of view reaches the layouts above it only later.
    for (QWidget *widget : Content(Form).findChildren<QWidget *>())
        widget->updateGeometry();
    Refit(Form);
}

void centreOver(QWidget &Window, const QWidget &Owner)
{
    const QWidget &owner = *Owner.window();
    const QRect area = windowArea(owner);
    // A maximised owner fills its area, though while it is first shown its geometry may not say so yet.
    const QRect over = owner.isMaximized() ? area : owner.frameGeometry();
    const QSize outer = Window.size() + Decoration(Window);
    Window.move(InsideArea(Window, area, over.center() - QPoint(outer.width() / 2, outer.height() / 2)));
}

} // namespace platform
