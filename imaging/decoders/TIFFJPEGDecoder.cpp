#include "imaging/decoders/TIFFJPEGDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

void ErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

void EmitMessage(j_common_ptr, int) {}

} // namespace

struct TTIFFJPEGDecoder::Library
{
    jpeg_decompress_struct cinfo{};
    ErrorManager error{};
    bool created = false;
    bool tablesLoaded = false;
    std::vector<uint8_t> row;
};

TTIFFJPEGDecoder::TTIFFJPEGDecoder(std::vector<uint8_t> tables, ColorSpace colorSpace, uint32_t columns)
    : m_library(std::make_unique<Library>()), m_tables(std::move(tables)), m_colorSpace(colorSpace), m_columns(columns)
{
}

TTIFFJPEGDecoder::~TTIFFJPEGDecoder()
{
    if (m_library->created)
        jpeg_destroy_decompress(&m_library->cinfo);
}

int TTIFFJPEGDecoder::Components() const
{
    switch (m_colorSpace) {
    case ColorSpace::Grey:
        return 1;
    case ColorSpace::CMYK:
        return 4;
    default:
        return 3;
    }
}

// Everything between setjmp and the end of this function is plain data, so
// that a jump out of libjpeg leaves nothing undestroyed.
static size_t DecodeStream(jpeg_decompress_struct *cinfo, ErrorManager *error, const uint8_t *tables,
                           size_t tablesSize, bool *tablesLoaded, const uint8_t *data, size_t size,
                           J_COLOR_SPACE jpegSpace, J_COLOR_SPACE outSpace, int components, uint32_t columns,
                           uint8_t *dest, size_t rows, uint8_t *rowBuffer, size_t rowBufferSize)
{
    volatile size_t done = 0;
    if (setjmp(error->jump)) {
        jpeg_abort_decompress(cinfo);
        return done;
    }
    if (!*tablesLoaded && tablesSize > 0) {
        jpeg_mem_src(cinfo, tables, static_cast<unsigned long>(tablesSize));
        jpeg_read_header(cinfo, FALSE);
        *tablesLoaded = true;
    }
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(cinfo, TRUE) != JPEG_HEADER_OK) {
        jpeg_abort_decompress(cinfo);
        return 0;
    }
    // A strip's JPEG is the strip's size (padded to whole blocks); a far
    // larger one is hostile and could make libjpeg allocate without bound.
    if (cinfo->num_components != components || cinfo->image_width > size_t(columns) + 64 ||
        cinfo->image_height > rows + 64) {
        jpeg_abort_decompress(cinfo);
        return 0;
    }
    cinfo->jpeg_color_space = jpegSpace;
    cinfo->out_color_space = outSpace;
    cinfo->dct_method = JDCT_ISLOW;
    jpeg_start_decompress(cinfo);
    const size_t rowBytes = size_t(columns) * size_t(components);
    const size_t jpegRowBytes = size_t(cinfo->output_width) * size_t(cinfo->output_components);
    if (cinfo->output_components != components || jpegRowBytes > rowBufferSize) {
        jpeg_abort_decompress(cinfo);
        return 0;
    }
    const size_t copy = std::min(rowBytes, jpegRowBytes);
    while (done < rows && cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW line = rowBuffer;
        if (jpeg_read_scanlines(cinfo, &line, 1) != 1)
            break;
        std::memcpy(dest + done * rowBytes, rowBuffer, copy);
        done = done + 1;
    }
    jpeg_abort_decompress(cinfo);
    return done;
}

size_t TTIFFJPEGDecoder::Decode(std::span<const uint8_t> &source, std::span<uint8_t> dest, size_t unpackedCount)
{
    Library &lib = *m_library;
    if (!lib.created) {
        lib.cinfo.err = jpeg_std_error(&lib.error.base);
        lib.error.base.error_exit = ErrorExit;
        lib.error.base.emit_message = EmitMessage;
        jpeg_create_decompress(&lib.cinfo);
        lib.created = true;
    }
    const int components = Components();
    const size_t rowBytes = size_t(m_columns) * size_t(components);
    if (rowBytes == 0 || source.empty())
        return 0;
    const size_t rows = std::min(unpackedCount, dest.size()) / rowBytes;
    J_COLOR_SPACE jpegSpace = JCS_GRAYSCALE, outSpace = JCS_GRAYSCALE;
    switch (m_colorSpace) {
    case ColorSpace::Grey:
        break;
    case ColorSpace::RGB:
        jpegSpace = outSpace = JCS_RGB;
        break;
    case ColorSpace::YCbCr:
        jpegSpace = JCS_YCbCr;
        outSpace = JCS_RGB;
        break;
    case ColorSpace::CMYK:
        jpegSpace = outSpace = JCS_CMYK;
        break;
    }
    // A JPEG row is at most 65535 pixels; the buffer is sized once for that.
    const size_t rowBufferSize = size_t(65535) * size_t(components);
    if (lib.row.size() < rowBufferSize)
        lib.row.resize(rowBufferSize);
    const size_t done = DecodeStream(&lib.cinfo, &lib.error, m_tables.data(), m_tables.size(), &lib.tablesLoaded,
                                     source.data(), source.size(), jpegSpace, outSpace, components, m_columns,
                                     dest.data(), rows, lib.row.data(), lib.row.size());
    return done * rowBytes;
}
