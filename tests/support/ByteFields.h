#pragma once

#include <QByteArray>

#include <cstdint>

// Integer fields of hand-made files, in either byte order.
inline QByteArray Le(uint64_t value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char(value >> (8 * i));
    return out;
}

inline QByteArray Be(uint64_t value, int bytes)
{
    QByteArray out;
    for (int i = bytes - 1; i >= 0; --i)
        out += char(value >> (8 * i));
    return out;
}
