#include "imaging/decoders/LZ77Decoder.h"

#include "common/VistranoError.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

struct TLZ77Decoder::Stream
{
    z_stream z{};
    bool open = false;
};

namespace {

[[noreturn]] void LZ77Error()
{
    throw VistranoError(QStringLiteral("LZ77 decompression error."));
}

} // namespace

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset)
    : m_stream(std::make_unique<Stream>()), m_flushMode(flushMode), m_autoReset(autoReset)
{
}

TLZ77Decoder::~TLZ77Decoder()
{
    if (m_stream->open)
        inflateEnd(&m_stream->z);
}

void TLZ77Decoder::Start()
{
    if (m_stream->open) {
        inflateEnd(&m_stream->z);
        m_stream->open = false;
    }
    m_stream->z = z_stream{};
    if (inflateInit(&m_stream->z) != Z_OK)
        LZ77Error();
    m_stream->open = true;
    m_streamEnded = false;
    m_dataError = false;
}

void TLZ77Decoder::Finish()
{
    if (!m_stream->open)
        return;
    m_stream->open = false;
    const bool failed = inflateEnd(&m_stream->z) != Z_OK;
    if (failed || m_dataError)
        LZ77Error();
}

size_t TLZ77Decoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    if (!m_stream->open)
        Start();
    z_stream &z = m_stream->z;
    if (m_autoReset) {
        if (inflateReset(&z) != Z_OK) {
            m_dataError = true;
            return 0;
        }
        m_streamEnded = false;
    }
    if (m_streamEnded || m_dataError)
        return 0;

    const size_t wanted = std::min(unpackedCount, dest.size());
    size_t written = 0;
    // zlib counts in 32 bits: hand over the buffers in slices it can take.
    constexpr size_t kSlice = std::numeric_limits<uInt>::max();
    while (written < wanted) {
        const size_t inSlice = std::min(source.size(), kSlice);
        const size_t outSlice = std::min(wanted - written, kSlice);
        z.next_in = const_cast<Bytef *>(source.data());
        z.avail_in = uInt(inSlice);
        z.next_out = dest.data() + written;
        z.avail_out = uInt(outSlice);
        const int result = inflate(&z, m_flushMode);
        const size_t used = inSlice - z.avail_in;
        const size_t made = outSlice - z.avail_out;
        source = source.subspan(used);
        written += made;
        if (result == Z_STREAM_END) {
            m_streamEnded = true;
            break;
        }
        if (result == Z_BUF_ERROR || (result == Z_OK && used == 0 && made == 0))
            break; // no progress possible: the packed data ran out
        if (result != Z_OK) {
            m_dataError = true;
            break;
        }
    }
    return written;
}
