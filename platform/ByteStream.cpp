#include "platform/ByteStream.h"

#include "platform/Cp1250.h"

#include <algorithm>

namespace platform {

void ByteWriter::putBytes(std::span<const uint8_t> data)
{
    m_bytes.insert(m_bytes.end(), data.begin(), data.end());
}

void ByteWriter::putFill(size_t count, uint8_t value)
{
    m_bytes.insert(m_bytes.end(), count, value);
}

void ByteWriter::putShortString(std::string_view utf8, size_t capacity)
{
    std::string text = utf8ToCp1250(utf8);
    if (text.size() > capacity)
        text.resize(capacity);
    put<uint8_t>(static_cast<uint8_t>(text.size()));
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    putFill(capacity - text.size());
}

void ByteWriter::putZeroTerminated(std::string_view utf8, size_t fieldSize)
{
    if (fieldSize == 0)
        return;
    std::string text = utf8ToCp1250(utf8);
    if (text.size() > fieldSize - 1)
        text.resize(fieldSize - 1);
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    putFill(fieldSize - text.size());
}

bool ByteReader::available(size_t count)
{
    // After one read ran past the end, later reads would take the bytes of a field cut in half.
    if (!m_ok || count > remaining()) {
        m_ok = false;
        return false;
    }
    return true;
}

bool ByteReader::getBytes(std::span<uint8_t> out)
{
    if (!available(out.size()))
        return false;
    std::copy_n(m_data.begin() + m_pos, out.size(), out.begin());
    m_pos += out.size();
    return true;
}

bool ByteReader::getBytes(Bytes &out, size_t count)
{
    if (!available(count))
        return false;
    out.assign(m_data.begin() + m_pos, m_data.begin() + m_pos + count);
    m_pos += count;
    return true;
}

bool ByteReader::skip(size_t count)
{
    if (!available(count))
        return false;
    m_pos += count;
    return true;
}

bool ByteReader::seek(size_t pos)
{
    if (pos > m_data.size()) {
        m_ok = false;
        return false;
    }
    m_pos = pos;
    return true;
}

bool ByteReader::getShortString(std::string &utf8, size_t capacity)
{
    if (!available(1 + capacity))
        return false;
    const size_t length = std::min<size_t>(m_data[m_pos], capacity);
    const auto *first = reinterpret_cast<const char *>(m_data.data() + m_pos + 1);
    utf8 = cp1250ToUtf8(std::string_view(first, length));
    m_pos += 1 + capacity;
    return true;
}

bool ByteReader::getZeroTerminated(std::string &utf8, size_t fieldSize)
{
    if (!available(fieldSize))
        return false;
    const auto *first = reinterpret_cast<const char *>(m_data.data() + m_pos);
    const auto *zero = std::find(first, first + fieldSize, '\0');
    utf8 = cp1250ToUtf8(std::string_view(first, static_cast<size_t>(zero - first)));
    m_pos += fieldSize;
    return true;
}

} // namespace platform
