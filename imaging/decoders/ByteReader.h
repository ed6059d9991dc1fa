#pragma once

#include "common/VistranoError.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

// The one bounded reader every decoder reads through. It knows how many
// bytes are left and refuses to read past them with "Stream read error".
class ByteReader
{
public:
    ByteReader() = default;
    ByteReader(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}
    explicit ByteReader(std::span<const uint8_t> bytes) : m_data(bytes.data()), m_size(bytes.size()) {}
    explicit ByteReader(const QByteArray &bytes)
        : m_data(reinterpret_cast<const uint8_t *>(bytes.constData())), m_size(size_t(bytes.size())) {}

    size_t Position() const { return m_pos; }
    size_t Size() const { return m_size; }
    size_t Remaining() const { return m_size - m_pos; }
    bool AtEnd() const { return m_pos >= m_size; }
    const uint8_t *Data() const { return m_data; }

    void Seek(size_t position)
    {
        if (position > m_size)
            throw EReadError();
        m_pos = position;
    }
    void Skip(size_t count) { Need(count), m_pos += count; }

    uint8_t U8() { Need(1); return m_data[m_pos++]; }
    int8_t I8() { return static_cast<int8_t>(U8()); }
    uint16_t U16LE() { Need(2); uint16_t v = uint16_t(m_data[m_pos] | m_data[m_pos + 1] << 8); m_pos += 2; return v; }
    uint16_t U16BE() { Need(2); uint16_t v = uint16_t(m_data[m_pos] << 8 | m_data[m_pos + 1]); m_pos += 2; return v; }
    uint32_t U32LE()
    {
        Need(4);
        const uint8_t *p = m_data + m_pos;
        m_pos += 4;
        return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    }
    uint32_t U32BE()
    {
        Need(4);
        const uint8_t *p = m_data + m_pos;
        m_pos += 4;
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
    }
    int16_t I16LE() { return static_cast<int16_t>(U16LE()); }
    int16_t I16BE() { return static_cast<int16_t>(U16BE()); }
    int32_t I32LE() { return static_cast<int32_t>(U32LE()); }
    int32_t I32BE() { return static_cast<int32_t>(U32BE()); }

    void Read(void *destination, size_t count)
    {
        Need(count);
        if (count)
            std::memcpy(destination, m_data + m_pos, count);
        m_pos += count;
    }

    // A view of the next count bytes; the reader moves past them.
    std::span<const uint8_t> Bytes(size_t count)
    {
        Need(count);
        std::span<const uint8_t> view(m_data + m_pos, count);
        m_pos += count;
        return view;
    }

    // Everything from the current position to the end, without moving.
    std::span<const uint8_t> Rest() const { return {m_data + m_pos, m_size - m_pos}; }

    // A reader over [offset, offset + length) of the same data; fails when
    // the range does not lie inside it.
    ByteReader Sub(size_t offset, size_t length) const
    {
        if (offset > m_size || length > m_size - offset)
            throw EReadError();
        return ByteReader(m_data + offset, length);
    }

private:
    void Need(size_t count) const
    {
        if (count > m_size - m_pos)
            throw EReadError();
    }

    const uint8_t *m_data = nullptr;
    size_t m_size = 0;
    size_t m_pos = 0;
};
