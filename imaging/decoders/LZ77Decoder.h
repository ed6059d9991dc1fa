#pragma once

#include "imaging/decoders/Decoder.h"

#include <memory>

// Deflate (zlib) data: PNG image data, TIFF Deflate strips and tiles,
// Paintshop Pro channels.
//
// Start opens the zlib stream and Finish closes it; both fail with
// "LZ77 decompression error." when zlib reports an error, and Finish also
// fails when an earlier Decode met damaged data (Decode itself never
// throws: it stops and returns what it wrote). With autoReset every Decode
// begins a fresh stream (one zlib stream per TIFF strip); without it the
// stream runs on across calls, so a caller may feed the packed data piece by
// piece or take the output row by row.
//
// Unlike the run-length members, Decode leaves source behind the bytes zlib
// consumed, so that a caller taking the output in parts knows where to go on.
class TLZ77Decoder : public TDecoder
{
public:
    // flushMode is the zlib flush value handed to inflate (Z_NO_FLUSH,
    // Z_SYNC_FLUSH or Z_FINISH; the result is the same, only zlib's
    // buffering differs).
    explicit TLZ77Decoder(int flushMode, bool autoReset);
    ~TLZ77Decoder() override;

    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;
    void Finish() override;
    void Start() override;

    // True once the zlib stream reached its end marker (since the last
    // reset in autoReset mode).
    bool StreamEnded() const { return m_streamEnded; }
    // True when zlib has reported damaged data since Start.
    bool DataError() const { return m_dataError; }

private:
    struct Stream;
    std::unique_ptr<Stream> m_stream;
    int m_flushMode;
    bool m_autoReset;
    bool m_streamEnded = false;
    bool m_dataError = false;
};
