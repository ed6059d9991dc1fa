#pragma once

#include "imaging/decoders/Decoder.h"

#include <vector>

// Runs a decompressor on hand-built packets and records what it wrote and
// how far it moved the source.
namespace unpack {

using Bytes = std::vector<uint8_t>;

struct Result
{
    Bytes output;
    size_t written;
    size_t consumed;
};

// Decodes into a buffer of `room` bytes pre-filled with 0xEE, wanting
// `wanted` bytes.
inline Result Unpack(TDecoder &decoder, const Bytes &packed, size_t room, size_t wanted)
{
    Bytes output(room, 0xEE);
    std::span<const uint8_t> source(packed);
    const size_t written = decoder.Decode(source, output, wanted);
    return {output, written, packed.size() - source.size()};
}

} // namespace unpack
