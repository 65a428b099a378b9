#include "core/UGlobalRegistry.h"

#include <algorithm>

TMyReg ProgramReg("", RegistryProduct, "");
TRegistryStream RegStream(RegistryProduct);

TRegistryStream::TRegistryStream(const std::string &Product) : Reg("", Product, "") {}

void TRegistryStream::Clear()
{
    m_memory.clear();
    m_position = 0;
}

void TRegistryStream::Write(std::span<const uint8_t> Buffer)
{
    if (m_memory.size() < m_position + Buffer.size())
        m_memory.resize(m_position + Buffer.size());
    std::copy(Buffer.begin(), Buffer.end(), m_memory.begin() + static_cast<ptrdiff_t>(m_position));
    m_position += Buffer.size();
}

size_t TRegistryStream::Read(std::span<uint8_t> Buffer)
{
    const size_t count = std::min(Buffer.size(), m_memory.size() - std::min(m_position, m_memory.size()));
    std::copy_n(m_memory.begin() + static_cast<ptrdiff_t>(m_position), count, Buffer.begin());
    m_position += count;
    return count;
}

void TRegistryStream::SetPosition(size_t Position)
{
    m_position = Position;
}

bool TRegistryStream::LoadFromReg(const std::string &Section, const std::string &Name)
{
    Reg.SetSection(Section);
    const int32_t size = Reg.GetDataSize(Name);
    if (size <= 0)
        return false;
    TDynByteArr value(static_cast<size_t>(size));
    const int32_t read = Reg.ReadBinary(Name, value);
    if (read <= 0)
        return false;
    value.resize(static_cast<size_t>(read));
    Write(value);
    m_position = 0;
    return true;
}

bool TRegistryStream::ReadData(const std::string &Section, const std::string &Name, std::span<uint8_t> Buf)
{
    if (!LoadFromReg(Section, Name))
        return false;
    Read(Buf);
    return true;
}

void TRegistryStream::SaveToReg(const std::string &Section, const std::string &Name)
{
    Reg.SetSection(Section);
    Reg.WriteBinary(Name, m_memory);
}

void TRegistryStream::WriteData(const std::string &Section, const std::string &Name,
                                std::span<const uint8_t> Buf)
{
    Write(Buf);
    SaveToReg(Section, Name);
}

void SaveBytesToReg(const std::string &Section, const std::string &Name, const TDynByteArr &Bytes)
{
    RegStream.Clear();
    RegStream.WriteData(Section, Name, Bytes);
}

int32_t LoadBytesFromReg(const std::string &Section, const std::string &Name, TDynByteArr &Bytes,
                         int32_t MaxLen)
{
    RegStream.Clear();
    if (!RegStream.LoadFromReg(Section, Name))
        return 0;
    const size_t count = std::min(RegStream.Size(), static_cast<size_t>(std::max(MaxLen, 0)));
    Bytes.assign(RegStream.Memory().begin(), RegStream.Memory().begin() + static_cast<ptrdiff_t>(count));
    return static_cast<int32_t>(count);
}
