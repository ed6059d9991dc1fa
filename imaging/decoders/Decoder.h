#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// Base of the decompressor family: one class per packing scheme. A decoder
// creates the member its file asks for and feeds it one row, strip or plane
// at a time, calling Start before the first Decode of a picture and Finish
// after the last.
class TDecoder
{
public:
    virtual ~TDecoder() = default;

    // Unpacks from source (its size is the packed count) into dest and
    // returns the number of bytes written. unpackedCount is the output
    // wanted: bytes, or pixels for the Targa member. Members that consume
    // their input (Targa, CUT) leave source behind the data they used; the
    // others leave it unchanged. Nothing is ever written past dest, whatever
    // the packed data says; packed data that ends early leaves the rest of
    // dest as it was.
    virtual size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) = 0;

    virtual void Finish() {}
    virtual void Start() {}
};
