#pragma once
// The files the draws update keeps in the temporary folder while it runs: each game's downloaded file
// and the folder a run unpacks into. The update removes its own when it ends; those of runs that died
// are removed at start-up.

#include <cstdint>
#include <string>

// The file a game's download is written to in Folder (with '/'): the game's id in decimal.
std::string DownloadFileName(const std::string &Folder, uint8_t GameId);

// A new empty folder "Update-XXXXXX" in Folder for one run to unpack into, with '/'; '' when none can be
// made.
std::string MakeUpdateFolder(const std::string &Folder);

// Removes from Folder the download files and run folders last written longer than the age of a stale
// temporary file ago (a copy of the program still running may be updating); every other file stays.
void RemoveStaleUpdateFiles(const std::string &Folder);
