#include "output/UpdateDraws.h"

#include "engine/UGameMan.h"
#include "output/FDownload.h"
#include "output/FSelGames.h"
#include "platform/NetworkState.h"
#include "platform/gui/ModalHooks.h"
#include "shell/FGlobalMessages.h"
#include "shell/FGlobalStartup.h"
#include "shell/USites.h"

#include <string>

void UpdateDrawsFromInternet(QWidget *Owner)
{
    if (!platform::networkConnected()) {
        MsgBox(QStringLiteral("Brak połączenia z Internetem."), QString(), MsgFlagsNotice);
        return;
    }
    if (!LoadSiteLists(SitesDir)) {
        MsgBox(QStringLiteral("Brak zdefiniowanych lokalizacji."), QString(), MsgFlagsNotice);
        FreeSiteLists();
        return;
    }
    std::string selection;
    for (const auto &sites : SiteLists)
        selection += sites->Count() > 0 ? '1' : '0';
    std::string chosen;
    {
        TfrmSelGames games(selection, Owner);
        if (platform::execModal(games) != QDialog::Accepted) {
            FreeSiteLists();
            return;
        }
        chosen = games.Result();
    }
    // Nothing to dial here: a system still offline ends the update.
    if (!platform::networkConnected()) {
        MsgBox(QStringLiteral("Próba połączenia nie powiodła się."), QString(), MsgFlagsNotice);
        FreeSiteLists();
        return;
    }
    {
        TfrmDownload download(Owner);
        download.Selection = chosen;
        platform::execModal(download);
    }
    FreeSiteLists();
}
