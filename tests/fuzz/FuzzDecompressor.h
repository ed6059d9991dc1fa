#pragma once

#include "imaging/decoders/Decoder.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Runs a decompressor on the input with a destination whose size comes
// from the first byte, so that packets running past the end are met often.
// The destination is guarded on both sides; a write outside it is caught by
// the sanitizer as a heap overflow, a source left outside the input by the
// check below.
inline void FuzzDecompressor(TDecoder &decoder, const uint8_t *data, size_t size)
{
    if (size == 0)
        return;
    const size_t room = size_t(data[0]) * 3;
    std::vector<uint8_t> dest(room);
    std::span<const uint8_t> source(data + 1, size - 1);
    decoder.Start();
    const size_t written = decoder.Decode(source, dest, room);
    decoder.Finish();
    if (written > room || source.data() < data + 1 || source.data() + source.size() != data + size)
        __builtin_trap();
}
