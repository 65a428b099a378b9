#pragma once
// The game definition file (file kind 2): a header, the definition field by field, the checksum.

#include "engine/UGame.h"

#include <cstdint>
#include <span>

// Reads the definition that follows the 6-byte header (the header is the caller's to check); false when
// the data end before the definition does. Byte 11 is read and dropped.
bool ReadGameFile(std::span<const uint8_t> Bytes, TGameInfo &G);
// The whole file of a definition, header and checksum included; names are cut to their fields.
TDynByteArr GameFileBytes(const TGameInfo &G);
