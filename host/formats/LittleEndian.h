// Little-endian encoding of the binary formats, independent of the machine's
// byte order, and a bounds-checked reader over a byte buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace formats {

class ByteWriter {
public:
    void U8(std::uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }
    void U16(std::uint16_t value)
    {
        U8(static_cast<std::uint8_t>(value));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value)
    {
        U16(static_cast<std::uint16_t>(value));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void U64(std::uint64_t value)
    {
        U32(static_cast<std::uint32_t>(value));
        U32(static_cast<std::uint32_t>(value >> 32));
    }
    void F64(double value)
    {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        U64(bits);
    }
    void Bytes(std::string_view bytes) { m_bytes.append(bytes); }
    void Zeros(std::size_t count) { m_bytes.append(count, '\0'); }

    std::string& Data() { return m_bytes; }
    std::size_t Size() const { return m_bytes.size(); }
    void Reserve(std::size_t bytes) { m_bytes.reserve(bytes); }

private:
    std::string m_bytes;
};

// Reads past the end never happen: a read that does not fit sets the failed
// flag and returns zero, so a parser checks Failed() once after a group of reads.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}

    std::uint8_t U8()
    {
        if (!Need(1))
            return 0;
        return static_cast<std::uint8_t>(m_bytes[m_position++]);
    }
    std::uint16_t U16()
    {
        std::uint16_t low = U8();
        return static_cast<std::uint16_t>(low | (U8() << 8));
    }
    std::uint32_t U32()
    {
        std::uint32_t low = U16();
        return low | (static_cast<std::uint32_t>(U16()) << 16);
    }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
    std::uint64_t U64()
    {
        std::uint64_t low = U32();
        return low | (static_cast<std::uint64_t>(U32()) << 32);
    }
    double F64()
    {
        std::uint64_t bits = U64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string_view Bytes(std::size_t count)
    {
        if (!Need(count))
            return {};
        std::string_view part = m_bytes.substr(m_position, count);
        m_position += count;
        return part;
    }

    bool Failed() const { return m_failed; }
    std::size_t Position() const { return m_position; }
    std::size_t Remaining() const { return m_bytes.size() - m_position; }

private:
    bool Need(std::size_t count)
    {
        if (m_failed || count > m_bytes.size() - m_position) {
            m_failed = true;
            return false;
        }
        return true;
    }

    std::string_view m_bytes;
    std::size_t m_position = 0;
    bool m_failed = false;
};

}  // namespace formats
