#include "shell/FGlobalWindows.h"

#include "engine/UGameMan.h"
#include "shell/FMain.h"
#include "shell/FMainCommands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void EnableCommands(int Mask, bool Enabled)
{
    if (frmMain)
        frmMain->EnableCommands(Mask, Enabled);
}

QMdiSubWindow *AddChildForm(QWidget *Form)
{
    if (frmMain)
        return frmMain->AddChildForm(Form);
    Form->show();
    return nullptr;
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
    const QSize client = frmMain->MdiArea->viewport()->size();
    holder->move((client.width() - holder->width()) / 2, (client.height() - holder->height()) / 2);
}

QString WindowTag(const TGameData &Game, int WindowNo)
{
    constexpr int ShortNameLength = 11;
    return QLatin1Char('<') + QString::fromStdString(Game.Info.ShortName).left(ShortNameLength) + QStringLiteral(" #") +
           QString::number(WindowNo);
}
