#include "shell/FGlobalWindows.h"

#include "engine/UGameMan.h"
#include "platform/gui/WindowFit.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"
#include "shell/TaskRunner.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

void EnableCommands(int Mask, bool Enabled)
{
    if (frmMain)
        frmMain->EnableCommands(Mask, Enabled);
}

QMdiSubWindow *AddChildForm(QWidget *Form)
{
    TTaskRunner::SetBuildingWindow(nullptr);
    if (frmMain)
        return frmMain->AddChildForm(Form);
    Form->show();
    return nullptr;
}

QMdiSubWindow *AddCentredChildForm(QWidget *Form)
{
    QMdiSubWindow *holder = AddChildForm(Form);
    CenterChildForm(Form);
    return holder;
}

void ActivateChildForm(QWidget *Form)
{
    if (auto *holder = qobject_cast<QMdiSubWindow *>(Form->parentWidget()); holder && frmMain)
        frmMain->MdiArea->setActiveSubWindow(holder);
    else
        Form->activateWindow();
}

void BroadcastToChildren(QEvent::Type Msg, int WParam, int LParam, bool Post)
{
    if (!frmMain)
        return;
    for (QWidget *child : frmMain->ChildForms()) {
        if (Post)
            postCommand(child, Msg, WParam, LParam);
        else
            sendCommand(child, Msg, WParam, LParam);
    }
}

void CenterChildForm(QWidget *Form)
{
    auto *holder = qobject_cast<QMdiSubWindow *>(Form->parentWidget());
    if (!frmMain || !holder)
        return;
    platform::fitToArea(*Form);
    const QSize client = frmMain->MdiArea->viewport()->size();
    holder->move(std::max(0, (client.width() - holder->width()) / 2),
                 std::max(0, (client.height() - holder->height()) / 2));
}

void PlaceChildForm(QWidget *Form, const QWidget *Beside)
{
    CenterChildForm(Form);
    auto *holder = qobject_cast<QMdiSubWindow *>(Form->parentWidget());
    const auto *beside = Beside ? qobject_cast<const QMdiSubWindow *>(Beside->parentWidget()) : nullptr;
    if (frmMain && holder && beside)
        frmMain->CascadeFrom(holder, beside);
}

void FitWindowToGrid(QWidget *Form, const QWidget *Grid, int Width, bool Narrow)
{
    const QWidget &window = platform::windowFrame(*Form);
    // The second pass corrects the first where the layout gives the grid another share.
    for (int pass = 0; pass < 2; ++pass) {
        const int missing = Width - Grid->width();
        if (missing == 0 || (missing < 0 && !Narrow))
            return;
        const int least = window.width() - Form->width() + platform::contentMinimum(*Form).width();
        platform::resizeInArea(*Form, QSize(std::max(window.width() + missing, least), window.height()));
    }
}

QString WindowTag(const TGameData &Game, int WindowNo)
{
    constexpr int ShortNameLength = 11;
    return QLatin1Char('<') + QString::fromStdString(Game.Info.ShortName).left(ShortNameLength) + QStringLiteral(" #") +
           QString::number(WindowNo);
}

QStringList WindowsAtWork()
{
    QStringList titles;
    for (const TTaskRunner *runner : TTaskRunner::RunningRunners()) {
        const auto *window = qobject_cast<const QWidget *>(runner->Window());
        const QString title = window ? window->windowTitle() : QString();
        if (!titles.contains(title))
            titles << title;
    }
    return titles;
}
