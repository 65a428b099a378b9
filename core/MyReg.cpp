#include "core/MyReg.h"

#include "platform/RegistryStore.h"

#include <algorithm>
#include <limits>

namespace {

platform::RegistryStore &store()
{
    return platform::RegistryStore::instance();
}

} // namespace

TMyReg::TMyReg(std::string Company, std::string Product, std::string Section)
    : m_company(std::move(Company)), m_product(std::move(Product)), m_section(std::move(Section))
{
    buildPath();
}

void TMyReg::SetSection(std::string Section)
{
    m_section = std::move(Section);
    buildPath();
}

void TMyReg::buildPath()
{
    m_path = "SOFTWARE";
    for (const std::string *part : {&m_company, &m_product, &m_section})
        if (!part->empty())
            m_path += "\\" + *part;
}

void TMyReg::WriteFloat(const std::string &Name, double Value)
{
    platform::ByteWriter bytes;
    bytes.put(Value);
    store().setValue(m_section, Name, bytes.take());
}

void TMyReg::WriteInteger(const std::string &Name, int32_t Value)
{
    store().setValue(m_section, Name, static_cast<uint32_t>(Value));
}

void TMyReg::WriteBool(const std::string &Name, bool Value)
{
    WriteInteger(Name, Value ? 1 : 0);
}

void TMyReg::WriteBinary(const std::string &Name, std::span<const uint8_t> Buffer)
{
    store().setValue(m_section, Name, platform::Bytes(Buffer.begin(), Buffer.end()));
}

double TMyReg::ReadFloat(const std::string &Name, double Default)
{
    if (!store().createKey(m_section))
        return Default;
    const auto value = store().value(m_section, Name);
    const auto *bytes = value ? std::get_if<platform::Bytes>(&*value) : nullptr;
    double result = Default;
    if (bytes && bytes->size() == sizeof(double))
        platform::ByteReader(*bytes).get(result);
    return result;
}

int32_t TMyReg::ReadInteger(const std::string &Name, int32_t Default)
{
    if (!store().createKey(m_section))
        return Default;
    const auto value = store().value(m_section, Name);
    const auto *dword = value ? std::get_if<uint32_t>(&*value) : nullptr;
    return dword ? static_cast<int32_t>(*dword) : Default;
}

bool TMyReg::ReadBool(const std::string &Name, bool Default)
{
    return ReadInteger(Name, Default ? 1 : 0) != 0;
}

int32_t TMyReg::ReadBinary(const std::string &Name, std::span<uint8_t> Buffer)
{
    const auto value = store().value(m_section, Name);
    const auto *bytes = value ? std::get_if<platform::Bytes>(&*value) : nullptr;
    if (!bytes)
        return 0;
    const size_t count =
        std::min({bytes->size(), Buffer.size(), size_t(std::numeric_limits<int32_t>::max())});
    std::copy_n(bytes->begin(), count, Buffer.begin());
    return static_cast<int32_t>(count);
}

int32_t TMyReg::GetDataSize(const std::string &Name)
{
    const auto value = store().value(m_section, Name);
    if (!value)
        return -1;
    return static_cast<int32_t>(
        std::min(platform::regDataSize(*value), size_t(std::numeric_limits<int32_t>::max())));
}
