#include "shell/FGlobalSystems.h"

#include "controls/RichView.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalViewers.h"
#include "shell/FMainSelectors.h"

namespace {

constexpr int DescriptionStyle = 6;

} // namespace

QString SystemKindName(int Kind)
{
    switch (Kind) {
    case 0:
        return QStringLiteral("Skróc. - klasyczny");
    case 1:
        return QStringLiteral("Skróc. - zmienny");
    case 2:
        return QStringLiteral("Pełny - prosty");
    case 3:
        return QStringLiteral("Pełny - złożony");
    case 4:
        return QStringLiteral("Skróc. - losowy");
    case 5:
        return QStringLiteral("Skrócony");
    case 6:
        return QStringLiteral("Stawkowy");
    case 7:
        return QStringLiteral("Gwarancyjny");
    default:
        return QString();
    }
}

void ShowSystemDescription(const TSystem &System, TRichView *View)
{
    View->Clear();
    View->AddTextNewLine(QString::fromStdString(System.GetDescription(false)), DescriptionStyle);
    View->Format();
    FitViewerToText(View);
}

void OpenSystemWindow(int Index)
{
    const int kind = SystemSelectorKind(Index);
    TGameData *game = Games.CurrentGame();
    if (kind >= 0 && game)
        CallOpener(WindowOpeners().SysWindow, kind, game);
}

void OpenReadWindow()
{
    CallOpener(WindowOpeners().ReadWindow);
}

void OpenHistoryWindow()
{
    CallOpener(WindowOpeners().HistoryWindow);
}

void ImportSystem(TSystemImport From)
{
    TGameData *game = Games.CurrentGame();
    if (game)
        CallOpener(WindowOpeners().ImportSystem, From, game);
}

void OpenCheckComb()
{
    if (Games.CurrentGame())
        CallOpener(WindowOpeners().CheckComb);
}

void OpenLogicalOps()
{
    CallOpener(WindowOpeners().LogicalOps);
}
