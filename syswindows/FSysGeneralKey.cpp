// The system window's key: the key dialog over it, the dialog's notices, and the new key applied.
#include "syswindows/FSysGeneral.h"

#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FSelectKey.h"

#include <QMetaObject>

bool TGenSysForm::StateTakesKey() const
{
    return State == 0;
}

bool TGenSysForm::KeyDialogOpen() const
{
    // A dialog that has closed is gone for the window, though its notice may still be on its way.
    return KeyDialog && !KeyDialog->isHidden();
}

void TGenSysForm::OpenKeyDialog()
{
    if (KeyDialogOpen()) {
        ActivateChildForm(KeyDialog);
        return;
    }
    if (!System || !StateTakesKey() || Generating() || GuaranteeRunning())
        return;
    auto *dialog = new TfrmSelectKey;
    dialog->setWindowTitle(WindowTag(*Game, WindowNo) + QStringLiteral("> Klucz systemu"));
    dialog->N = uint8_t(System->N);
    dialog->MaxNumber = Game->Info.MaxNumber;
    dialog->Key = System->Key;
    dialog->Owner = this;
    dialog->Start();
    KeyDialog = dialog;
    AddChildForm(dialog);
    UpdateMenu();
}

void TGenSysForm::KeyDialogDone(bool Accepted)
{
    if (!KeyDialog)
        return;
    if (Accepted) {
        if (System->SameKey(KeyDialog->NewKey))
            return;
        SystemChanged(KeyDialog->NewKey);
    }
    EndKeyDialog();
}

void TGenSysForm::EndKeyDialog()
{
    // The dialog's sub-window frees it as it closes.
    KeyDialog = nullptr;
    setEnabled(true);
    if (IsActiveChild())
        FormActivate();
    else
        ActivateChildForm(this);
}

void TGenSysForm::SystemChanged(const TDynByteArr &NewKey)
{
    // The windows that computed from the rows would show, or read, rows being rewritten.
    CloseSystemDependents();
    System->SetKey(NewKey);
    ShowRows();
    ShowKey();
    UpdateMenu();
    ShowInfo();
    ShowViewMode();
    ResetCheckWindows();
}

void TGenSysForm::ShowKeyDialog()
{
    setEnabled(false);
    // After the window's own activation has run its course, so that the dialog ends up the active one.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (KeyDialogOpen())
                ActivateChildForm(KeyDialog);
        },
        Qt::QueuedConnection);
}
