#pragma once
// A memory stream saved to and loaded from one binary registry value, so that a whole parameter record
// is stored as one value (by convention "Params" under a window's own key), and the program's two
// registry objects.

#include "core/DynArrays.h"
#include "core/MyReg.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

constexpr const char *RegistryProduct = "Korvantile 3.0";

class TRegistryStream {
public:
    explicit TRegistryStream(const std::string &Product);

    TMyReg Reg; // on ('', Product, '')

    // The stream: Write and Read work at Position, Write overwrites and extends.
    void Clear();
    void Write(std::span<const uint8_t> Buffer);
    size_t Read(std::span<uint8_t> Buffer);
    size_t Position() const { return m_position; }
    void SetPosition(size_t Position);
    size_t Size() const { return m_memory.size(); }
    const TDynByteArr &Memory() const { return m_memory; }

    // Appends the value Name of Section at Position and rewinds; false when the value is absent, empty
    // or not binary.
    bool LoadFromReg(const std::string &Section, const std::string &Name);
    // LoadFromReg, then Read into Buf; a shorter value fills only Buf's front, Buf is untouched on false.
    bool ReadData(const std::string &Section, const std::string &Name, std::span<uint8_t> Buf);
    // Stores the whole stream as the binary value Name of Section.
    void SaveToReg(const std::string &Section, const std::string &Name);
    // Write, then SaveToReg.
    void WriteData(const std::string &Section, const std::string &Name, std::span<const uint8_t> Buf);

private:
    TDynByteArr m_memory;
    size_t m_position = 0;
};

// Callers clear RegStream before every ReadData, WriteData and LoadFromReg: they work at the position.
extern TMyReg ProgramReg;
extern TRegistryStream RegStream;

// Replaces the value Name of Section by Bytes (through RegStream).
void SaveBytesToReg(const std::string &Section, const std::string &Name, const TDynByteArr &Bytes);
// Bytes := the first min(size, MaxLen) bytes of the value; answers their count, 0 when it does not load.
int32_t LoadBytesFromReg(const std::string &Section, const std::string &Name, TDynByteArr &Bytes,
                         int32_t MaxLen);
