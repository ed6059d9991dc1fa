#include "project/ExtendedFloat.h"

#include <cstring>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64 && std::numeric_limits<long double>::max_exponent == 16384,
              "long double must be the x87 80-bit extended format");

ExtendedBytes ToExtendedBytes(long double value)
{
    ExtendedBytes bytes{};
    std::memcpy(bytes.data(), &value, bytes.size());
    return bytes;
}

long double FromExtendedBytes(const ExtendedBytes &bytes)
{
    long double value = 0;
    std::memcpy(&value, bytes.data(), bytes.size());
    return value;
}

bool IsProperFiniteExtended(const ExtendedBytes &bytes)
{
    const unsigned exponent = (unsigned(bytes[9] & 0x7F) << 8) | bytes[8];
    const bool integerBit = (bytes[7] & 0x80) != 0;
    if (exponent == 0x7FFF)
        return false;
    return exponent == 0 ? !integerBit : integerBit;
}
