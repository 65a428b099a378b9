#include "output/FGlobalPrint.h"

#include "engine/UGameMan.h"
#include "output/FPrintSystem.h"
#include "output/UBlankPrint.h"
#include "platform/gui/ModalHooks.h"
#include "platform/gui/Printer.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"

#include <QApplication>

void PrintSystem(const TGameData *Game, TSystem *System)
{
    if (!platform::Printer().Installed()) {
        MsgBox(QStringLiteral("W systemie nie ma zainstalowanej drukarki."), QString(), MsgFlagsNotice);
        return;
    }
    PrintForms.Folder = BlancDir;
    PrintForms.LoadForGame(Game->Info);
    if (PrintForms.Count() == 0) {
        MsgBox(QStringLiteral("Dla tej gry nie zdefiniowano żadnych kuponów."), QString(), MsgFlagsNotice);
        return;
    }
    TfrmPrintSystem dialog(QApplication::activeWindow());
    dialog.System = System;
    platform::execModal(dialog);
}
