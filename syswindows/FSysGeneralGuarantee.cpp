// The guarantee command that the system windows share, and a guarantee read with its system.
#include "syswindows/FSysGeneral.h"

#include "engine/UAllGuars.h"
#include "engine/UGuaranty.h"
#include "engine/USysGeneral.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalWindows.h"
#include "syswindows/FGuarSysShort.h"
#include "syswindows/FParGuarSysShort.h"

#include <QRadioButton>

#include <memory>

void TGenSysForm::ShowGuarantee(int DialogMode)
{
    if (State != 0 || ViewCount() == 0)
        return;
    rbViewAll->setEnabled(false);
    rbViewFlt->setEnabled(false);
    auto variants = std::make_unique<TAllGuars>(Game, System->K, SysKind);
    variants->Categories = System->GetNumberGroups();
    variants->Build();
    double precision = 1.0;
    int selected = 0;
    if (System->IsFullInOrder()) {
        for (int i = 0; i < variants->List1.Count(); ++i)
            variants->List1.GetItem(i)->Selected = true;
        selected = variants->List1.Count();
    } else {
        TfrmParGuarSysShort dialog(this);
        dialog.Init(variants.get(), DialogMode);
        if (platform::execModal(dialog) == 1) {
            precision = dialog.Precision;
            selected = dialog.SelectedCount;
        }
    }
    if (selected == 0) {
        FormActivate();
        return;
    }
    auto window = std::make_unique<TfrmGuarSysShort>();
    window->Init(Game, *System, precision, std::move(variants));
    window->ParentWindow = this;
    window->WindowNo = WindowNo;
    window->Start();
    TfrmGuarSysShort *computing = window.release();
    AddChildWindow(computing, 2);
    AddChildForm(computing);
}

void TGenSysForm::OpenWithGuarantee(TGameData *NewGame, std::unique_ptr<TSystem> NewSystem,
                                    std::unique_ptr<TSetGuaranty> Guarantee)
{
    OpenSystem(NewGame, std::move(NewSystem));
    auto window = std::make_unique<TfrmGuarSysShort>();
    window->ParentWindow = this;
    window->WindowNo = WindowNo;
    window->InitFromSet(Game, std::move(Guarantee));
    TfrmGuarSysShort *shown = window.release();
    AddChildWindow(shown, 0);
    AddChildForm(shown);
}
