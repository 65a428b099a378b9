#include "shell/FlatMenus.h"

#include "controls/XPMenu.h"

TXPMenu *NewFormXPMenu(QWidget *Form)
{
    auto *menu = new TXPMenu(Form);
    menu->SetXPControls(XPSet({xcMainMenu, xcPopupMenu}));
    menu->SetXPContainers(0);
    menu->SetUseSystemColors(true);
    menu->SetIconWidth(24);
    menu->SetDrawSelect(true);
    TFont font = menu->Font();
    font.Name = QStringLiteral("Tahoma");
    font.setSize(8);
    menu->SetFont(font);
    menu->SetActive(true);
    menu->Loaded();
    return menu;
}
