#pragma once
// The frame shared by the program's binary data files, and the file routines around it.
//
// A data file is a 6-byte header, for documents (systems, guarantees, filter sets) the 268-byte
// information block and its comment, the body, and a 4-byte little-endian checksum (calcCRC) of every
// byte before it. Files are read whole into byte buffers and written through writeFileAtomically.
// Folder names end with '/' ("Data/"); the routines also take them without it.

#include "core/DateTime.h"
#include "core/DynArrays.h"
#include "platform/ByteStream.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// File kinds, header byte 4.
constexpr uint8_t fkSystem = 0;      // "Data/", "History/": L<n>.dat
constexpr uint8_t fkGuaranty = 1;    // "Data/": L<n>.dat
constexpr uint8_t fkGame = 2;        // "Games/", supplied with the program
constexpr uint8_t fkSlipLayout = 3;  // "Blanc/", supplied with the program
constexpr uint8_t fkSites = 4;       // "Sites/", the download sites of a game
constexpr uint8_t fkFilterSet = 5;   // "Filters/": L<n>.dat
constexpr uint8_t fkPlayHistory = 6; // "History/Histoty.dat"
constexpr uint8_t fkCombSet = 7;     // "Other/SetCombs.dat"

constexpr std::array<uint8_t, 3> CurrentFileVersion{3, 0, 0};

constexpr size_t FileHeaderSize = 6;
constexpr size_t InfoBlockSize = 268;
constexpr size_t InfoTitleSize = 256;
constexpr size_t CRCSize = 4;

struct TFileHeader {
    std::array<uint8_t, 3> Ver = CurrentFileVersion;
    uint8_t GameId = 0; // 0 for files of no game
    uint8_t FileKind = 0;
    uint8_t SubKind = 0; // the system kind for fkSystem, the layout's id for fkSlipLayout
};

void writeFileHeader(platform::ByteWriter &out, const TFileHeader &header);
bool readFileHeader(platform::ByteReader &in, TFileHeader &header);

// The information block with the comment that follows it.
struct TFileInfo {
    TDateTime Date = 0; // saved at
    std::string Title;  // at most 255 Windows-1250 characters are kept
    std::string Comment;
};

void writeFileInfo(platform::ByteWriter &out, const TFileInfo &info);
// False when the data end inside the block or the comment.
bool readFileInfo(platform::ByteReader &in, TFileInfo &info);

// Reads only the header and the information block with its comment from the start of a document file;
// false when the file cannot be read or they do not fit before a checksum. The checksum is not looked at.
bool readFileHead(const std::string &FileName, TFileHeader &Header, TFileInfo &Info);

// The checksum of all bytes, or of all but the last 4 with ExcludeTail.
uint32_t StreamCRC(std::span<const uint8_t> Stream, bool ExcludeTail);
// A writer's last step: the checksum of everything written so far, appended.
void AppendStreamCRC(platform::ByteWriter &Stream);
// True when the buffer is at least 5 bytes long and its last 4 bytes are the checksum of the rest.
bool hasValidCRC(std::span<const uint8_t> bytes);
// False when the file cannot be read or fails hasValidCRC.
bool CheckFileCRC(const std::string &FileName);
// The first two header bytes are 3, 0 (the release byte is not compared).
bool IsCurrentVersion(std::span<const uint8_t> Ver);

// False for a text that cannot name a file in a folder: empty, "." or "..", or holding a control
// character or one of / \ : * ? " < > |.
bool NamesAFile(std::string_view Name);

// Reads a whole regular file; false when it cannot be read.
bool readFileBytes(const std::string &FileName, TDynByteArr &Bytes);

// Folder + "L" + (largest number among the names "?<number>????" of Folder's files + 1) + ".dat";
// creates Folder when missing; '' when it cannot be created.
std::string NextFileName(const std::string &Folder);

// The bare names of the regular files that match Mask (a folder, '/', a pattern with '*' and '?' that
// ignores ASCII case; "*.*" takes every file), sorted by name.
void ListFiles(const std::string &Mask, TStrArray &List);

// Folder, with a '/' added when missing, + the name of the first file of Folder; '' when it has none.
std::string GetFirstFile(const std::string &Folder);

// The opened stream (always binary), or nullptr when the file cannot be opened in Mode.
std::unique_ptr<std::fstream> OpenFileStream(const std::string &FileName, std::ios::openmode Mode);
