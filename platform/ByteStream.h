#pragma once
// Little-endian readers and writers for the byte-exact records of files and registry values.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

using Bytes = std::vector<uint8_t>;

class ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(Bytes initial) : m_bytes(std::move(initial)) {}

    const Bytes &bytes() const { return m_bytes; }
    Bytes take() { return std::move(m_bytes); }
    size_t size() const { return m_bytes.size(); }

    template <typename T>
        requires std::is_arithmetic_v<T>
    void put(T value)
    {
        using U = std::conditional_t<sizeof(T) == 1, uint8_t,
                  std::conditional_t<sizeof(T) == 2, uint16_t,
                  std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
        static_assert(sizeof(T) == sizeof(U), "only 1, 2, 4 and 8 byte values");
        U raw;
        std::memcpy(&raw, &value, sizeof raw);
        for (size_t i = 0; i < sizeof raw; ++i)
            m_bytes.push_back(static_cast<uint8_t>(raw >> (8 * i)));
    }
    void putBytes(std::span<const uint8_t> data);
    void putFill(size_t count, uint8_t value = 0);

    // string[N]: a length byte, then N bytes of Windows-1250 text cut to N, zero padded.
    void putShortString(std::string_view utf8, size_t capacity);
    // A zero-filled field of fieldSize bytes holding the text (cut to fieldSize - 1) and a zero.
    void putZeroTerminated(std::string_view utf8, size_t fieldSize);

    // Overwrites bytes already written (patching a count or size after the fact).
    template <typename T>
    void patch(size_t offset, T value)
    {
        ByteWriter tmp;
        tmp.put(value);
        std::memcpy(m_bytes.data() + offset, tmp.m_bytes.data(), sizeof(T));
    }

private:
    Bytes m_bytes;
};

// Every read answers false and leaves its target unchanged when the data ends before the value does;
// the failure is remembered in ok(), and every later read fails too.
class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> data) : m_data(data) {}

    template <typename T>
        requires std::is_arithmetic_v<T>
    bool get(T &value)
    {
        if (!available(sizeof(T)))
            return false;
        uint64_t raw = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            raw |= uint64_t(m_data[m_pos + i]) << (8 * i);
        using U = std::conditional_t<sizeof(T) == 1, uint8_t,
                  std::conditional_t<sizeof(T) == 2, uint16_t,
                  std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
        const U narrow = static_cast<U>(raw);
        std::memcpy(&value, &narrow, sizeof value);
        m_pos += sizeof(T);
        return true;
    }
    bool getBytes(std::span<uint8_t> out);
    bool getBytes(Bytes &out, size_t count);
    bool skip(size_t count);

    // string[N]: reads 1 + N bytes; a length byte above N is taken as N.
    bool getShortString(std::string &utf8, size_t capacity);
    // A fixed field of fieldSize bytes; the text ends at the first zero or at the field's end.
    bool getZeroTerminated(std::string &utf8, size_t fieldSize);

    size_t position() const { return m_pos; }
    size_t remaining() const { return m_data.size() - m_pos; }
    bool atEnd() const { return m_pos >= m_data.size(); }
    bool ok() const { return m_ok; }
    bool seek(size_t pos);

private:
    bool available(size_t count);

    std::span<const uint8_t> m_data;
    size_t m_pos = 0;
    bool m_ok = true;
};

} // namespace platform
