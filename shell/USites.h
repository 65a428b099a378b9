#pragma once
// The download sites of each game: an ordered list of locations, each with the line layout of the text it
// serves, kept in the file "Sites/<short name>Sites".

#include "core/UGeneralList.h"
#include "engine/UDrawsDB.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

struct TGameData;

struct TSiteRec {
    static constexpr size_t RecordSize = 284;
    static constexpr size_t LocationLength = 255;

    std::string Location; // the trimmed address, at most 255 Windows-1250 characters
    bool Zipped = false;  // the location holds ".zip": the file is a ZIP archive
    TDrawsFormat Format = DefaultSiteFormat();

    static TDrawsFormat DefaultSiteFormat();
};

// Whether a location names a ZIP archive: ".zip" in lower case anywhere in it.
bool SiteZipped(const std::string &Location);

class TSiteMan : public TGeneralList<TSiteRec> {
public:
    TSiteMan(std::string Folder, const TGameData *Game);

    // The game's file: the folder + its short name + "Sites".
    std::string FileName() const;
    // Replaces the list by the game's file when it is sound: its CRC, current version, this game's id and
    // kind fkSites, and a size of 14 + 284 × its count. With OnlyFirst at most one record is read. Any
    // other file leaves the list empty and is marked Refused.
    void Load(bool OnlyFirst);
    // Writes the list (an empty one deletes the file); a file refused when read is first moved aside
    // under a free ".damaged" name, kept in KeptAs. False when that fails.
    bool Save();

    void GetSite(int Index, TSiteRec &Rec) const;
    // False when a site with the same location, letter case aside, exists; else inserts a copy at At
    // (appends for -1). The location is trimmed and Zipped set from it.
    bool AddSite(const TSiteRec &Rec, int At = -1);
    void SetSite(const TSiteRec &Rec, int Index);
    void Exchange(int I, int J);

    const TGameData *GetGame() const { return Game; }

    // The game's file exists but was not taken by the last Load.
    bool Refused = false;
    // Where the last Save kept a refused file; empty when it kept none.
    std::string KeptAs;

private:
    std::string Folder;
    const TGameData *Game;
};

// One list per game, in the games' order, between LoadSiteLists and FreeSiteLists.
extern std::vector<std::unique_ptr<TSiteMan>> SiteLists;

// Loads every game's list from Folder; True when at least one game has a site.
bool LoadSiteLists(const std::string &Folder);
void FreeSiteLists();
