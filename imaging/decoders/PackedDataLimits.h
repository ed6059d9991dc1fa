#pragma once

#include <cstddef>
#include <cstdint>

// How much packed data can unpack to, at most. A decoder compares this with
// what its header declares before it allocates the picture: data that cannot
// even in theory fill the picture means a file that ends early, and must not
// decide how much memory is taken.

// LZW (GIF, TIFF): every code is at least smallestCodeBits wide, and the
// string of the n-th code after a clear code is at most n bytes long (at most
// 4096 once the table is full).
inline uint64_t MostLZWOutput(size_t packedBytes, int smallestCodeBits)
{
    const uint64_t codes = uint64_t(packedBytes) * 8 / uint64_t(smallestCodeBits);
    constexpr uint64_t kLongestString = 4096;
    if (codes <= kLongestString)
        return codes * (codes + 1) / 2;
    return kLongestString * (kLongestString + 1) / 2 + (codes - kLongestString) * kLongestString;
}

// Deflate makes at most 1032 bytes of one (a 258-byte match in two bits).
constexpr uint64_t kMostDeflateRatio = 1032;
