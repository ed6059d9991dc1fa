#pragma once

#include <array>
#include <cstdint>

// The 10-byte x87 extended-precision float of the component stream: bytes 0
// to 7 the significand with its explicit integer bit, bytes 8 and 9 the sign
// and the 15-bit exponent. On x86-64 `long double` is that very format, so a
// value computed in extended precision travels bit for bit.
using ExtendedBytes = std::array<uint8_t, 10>;

ExtendedBytes ToExtendedBytes(long double value);
long double FromExtendedBytes(const ExtendedBytes &bytes);

// True when the bytes hold a finite number in its one proper encoding
// (no infinity, NaN, unnormal or pseudo-denormal), which is all a stream
// writer ever produces.
bool IsProperFiniteExtended(const ExtendedBytes &bytes);
