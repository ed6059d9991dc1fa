#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>

#include <jpeglib.h>

// One libjpeg decompression, safe to use from C++: every libjpeg error comes
// back as a false result of the step that met it (the library's own error
// exit would end the process), warnings are dropped, progressive files are
// limited in their number of scans and the library's working memory is
// capped. Once a step has failed, only the destructor may follow.
class JPEGDecompressor
{
public:
    JPEGDecompressor();
    ~JPEGDecompressor();
    JPEGDecompressor(const JPEGDecompressor &) = delete;
    JPEGDecompressor &operator=(const JPEGDecompressor &) = delete;

    // Reads the markers up to the first scan from a buffer that must outlive
    // the decompressor; the APP1 segments are kept for ExifPayload.
    bool ReadHeader(const uint8_t *data, size_t size);
    // The payload of the first APP1 segment that is EXIF ("Exif" and two
    // zero bytes first), or an empty span.
    std::span<const uint8_t> ExifPayload() const;
    // After the output parameters are set: computes output_width and
    // output_height.
    bool CalcOutputDimensions();
    bool Start();
    // Reads up to maxRows output rows; rowsRead is set on success.
    bool ReadRows(JSAMPARRAY rows, JDIMENSION maxRows, JDIMENSION &rowsRead);

    jpeg_decompress_struct &Info() { return m_info; }
    const jpeg_decompress_struct &Info() const { return m_info; }

    static constexpr int kMaxScans = 500;

private:
    struct ErrorManager
    {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
    };

    static void ErrorExit(j_common_ptr info);
    static void EmitMessage(j_common_ptr info, int level);
    static void OutputMessage(j_common_ptr info);
    static void Progress(j_common_ptr info);

    jpeg_decompress_struct m_info{};
    ErrorManager m_error{};
    jpeg_progress_mgr m_progress{};
    bool m_created = false;
};
