#pragma once

#include "imaging/decoders/Decoder.h"

#include <memory>
#include <vector>

// JPEG-compressed TIFF strips and tiles (compression 7) through libjpeg.
// Each Decode is one strip or tile: a JPEG stream that may leave out its
// tables when the file's JPEGTables field holds them. The output is rows of
// `columns` pixels of 8-bit samples (1 grey, 3 RGB or 4 CMYK), the JPEG's
// rows cut or left short to fit; YCbCr data comes out as RGB at the JPEG's
// own sampling. Damaged data ends the call with what was decoded so far.
class TTIFFJPEGDecoder : public TDecoder
{
public:
    enum class ColorSpace { Grey, RGB, YCbCr, CMYK };

    TTIFFJPEGDecoder(std::vector<uint8_t> tables, ColorSpace colorSpace, uint32_t columns);
    ~TTIFFJPEGDecoder() override;

    size_t Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount) override;

    int Components() const;

private:
    struct Library;
    std::unique_ptr<Library> m_library;
    std::vector<uint8_t> m_tables;
    ColorSpace m_colorSpace;
    uint32_t m_columns;
};
