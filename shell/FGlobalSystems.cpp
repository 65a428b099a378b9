#include "shell/FGlobalSystems.h"

#include "controls/RichView.h"
#include "engine/UGameMan.h"
#include "engine/USysGeneral.h"
#include "shell/FGlobalViewers.h"
#include "shell/FMainSelectors.h"

#include <utility>

namespace {

TSysWindowOpener &SysWindowOpener()
{
    static TSysWindowOpener opener;
    return opener;
}

TToolWindowOpener &ReadWindowOpener()
{
    static TToolWindowOpener opener;
    return opener;
}

TToolWindowOpener &HistoryWindowOpener()
{
    static TToolWindowOpener opener;
    return opener;
}

TSystemImporter &SystemImporter()
{
    static TSystemImporter importer;
    return importer;
}

TToolWindowOpener &CheckCombOpener()
{
    static TToolWindowOpener opener;
    return opener;
}

TToolWindowOpener &LogicalOpsOpener()
{
    static TToolWindowOpener opener;
    return opener;
}

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

void SetSysWindowOpener(TSysWindowOpener Opener)
{
    SysWindowOpener() = std::move(Opener);
}

void OpenSystemWindow(int Index)
{
    const int kind = SystemSelectorKind(Index);
    TGameData *game = Games.CurrentGame();
    if (kind < 0 || !game || !SysWindowOpener())
        return;
    SysWindowOpener()(kind, game);
}

void SetReadWindowOpener(TToolWindowOpener Opener)
{
    ReadWindowOpener() = std::move(Opener);
}

void OpenReadWindow()
{
    if (ReadWindowOpener())
        ReadWindowOpener()();
}

void SetHistoryWindowOpener(TToolWindowOpener Opener)
{
    HistoryWindowOpener() = std::move(Opener);
}

void OpenHistoryWindow()
{
    if (HistoryWindowOpener())
        HistoryWindowOpener()();
}

void SetSystemImporter(TSystemImporter Importer)
{
    SystemImporter() = std::move(Importer);
}

void ImportSystem(TSystemImport From)
{
    TGameData *game = Games.CurrentGame();
    if (game && SystemImporter())
        SystemImporter()(From, game);
}

void SetCheckCombOpener(TToolWindowOpener Opener)
{
    CheckCombOpener() = std::move(Opener);
}

void OpenCheckComb()
{
    if (CheckCombOpener() && Games.CurrentGame())
        CheckCombOpener()();
}

void SetLogicalOpsOpener(TToolWindowOpener Opener)
{
    LogicalOpsOpener() = std::move(Opener);
}

void OpenLogicalOps()
{
    if (LogicalOpsOpener())
        LogicalOpsOpener()();
}
