#include "shell/FGlobalStartup.h"

#include "core/ProgramParams.h"
#include "core/UComb.h"
#include "core/UGlobalRegistry.h"
#include "engine/FilterKinds.h"
#include "engine/UDrawsRange.h"
#include "engine/UGameMan.h"
#include "platform/ProgramDir.h"
#include "platform/RegistryStore.h"
#include "platform/StaleTemporaryFiles.h"
#include "shell/UpdateFiles.h"

std::string DataDir;
std::string FiltersDir;
std::string DrawsDir;
std::string SitesDir;
std::string GamesDir;
std::string BlancDir;
std::string HistoryDir;
std::string OtherDir;
std::string TempDir;

int WindowCounter = 1;

namespace {

constexpr uint8_t TablesTop = 100;

void NameDataFolders()
{
    const std::string root = platform::programDir();
    DataDir = root + "Data/";
    FiltersDir = root + "Filters/";
    DrawsDir = root + "Draws/";
    SitesDir = root + "Sites/";
    GamesDir = root + "Games/";
    BlancDir = root + "Blanc/";
    HistoryDir = root + "History/";
    OtherDir = root + "Other/";
    TempDir = root + "Temp/";
}

// Temporary files of writers that died, in the data folders and beside the settings, and what updates
// that died left in the temporary folder.
void RemoveStaleTemporaryFiles()
{
    for (const std::string *folder :
         {&DataDir, &FiltersDir, &DrawsDir, &SitesDir, &GamesDir, &BlancDir, &HistoryDir, &OtherDir, &TempDir})
        platform::removeStaleTemporaryFiles(*folder);
    platform::removeStaleTemporaryFiles(platform::RegistryStore::instance().file().parent_path());
    RemoveStaleUpdateFiles(TempDir);
}

void LoadGames()
{
    Games.Clear();
    Games.GamesDir = GamesDir;
    Games.DrawsDir = DrawsDir;
    Games.LoadAll();
    for (int i = 0; i < Games.Count(); ++i) {
        TGameData &game = *Games.GetGame(i);
        TDrawsRange range;
        LoadDrawsRange(game, DefRangeKey, range);
        Games.SetDefRange(i, range);
        LoadDrawsRange(game, DrawsRangeKey, range);
        Games.SetDrawsRange(i, range);
        LoadGameSettings(game.Info);
    }
}

} // namespace

void InitGlobals()
{
    ProgramReg = TMyReg("", RegistryProduct, "");
    RegStream.Clear();
    NameDataFolders();
    RemoveStaleTemporaryFiles();
    Limits = TLimits{};
    MakeNewton(Newton, TablesTop);
    MakeNewtonExt(NewtonExt, TablesTop);
    MakeEvenTable(EvenTable, TablesTop);
    MakePrimeTable(PrimeTable, TablesTop);
    RegisterFilterKinds();
    LoadGames();
    WindowCounter = 1;
}

void DoneGlobals()
{
    Games.Clear();
}

int NextWindowNumber()
{
    return WindowCounter++;
}
