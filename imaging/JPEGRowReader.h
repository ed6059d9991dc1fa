#pragma once

#include "imaging/JPEGDecompressor.h"
#include "imaging/JPEGReadScale.h"

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// One JPEG decoded top row first, a few rows at a time, at a scale (the
// library's DCT scaling never produces the full-size pixels). Rows come out
// in the program's layout: three bytes blue, green, red for colour files
// (three-channel, and four-channel CMYK or YCCK converted to colour), one
// grey byte for one-channel files. The whole-picture reader and the
// streamed resampling of the build share it, so both see the same pixels.
class TJPEGRowReader
{
public:
    // Reads the header of data that must outlive the reader and sets the
    // output up; false when there is no readable header or the layout is
    // not one the program reads.
    bool Open(const uint8_t *data, size_t size, JPEGReadScale scale);

    // The output size and format (Format_BGR888 or Format_Grayscale8).
    int Width() const { return int(m_jpeg.Info().output_width); }
    int Height() const { return int(m_jpeg.Info().output_height); }
    QImage::Format Format() const { return m_format; }
    // The stored size, and whether the file is progressive (the library
    // then holds the whole picture's coefficients while it reads).
    int ImageWidth() const { return int(m_jpeg.Info().image_width); }
    int ImageHeight() const { return int(m_jpeg.Info().image_height); }
    bool Progressive() const { return m_jpeg.Info().progressive_mode; }
    // The library's state after the header, for checks of the data.
    const jpeg_decompress_struct &Info() const { return m_jpeg.Info(); }
    // The EXIF block of the header, for its orientation tag.
    std::span<const uint8_t> ExifPayload() const { return m_jpeg.ExifPayload(); }

    // Starts the decompression; false when the data cannot be decoded.
    bool Start();
    // Decodes the next `count` rows (fewer at the end) into rows[0..] and
    // sets `read` to the rows delivered; false when the data broke off, and
    // the rows from NextRow() on are lost.
    bool ReadRows(uint8_t *const *rows, int count, int &read);
    int NextRow() const { return int(m_jpeg.Info().output_scanline); }
    // Rows the library prefers to deliver at once.
    int RowGroup() const;

private:
    bool ReadCMYKRows(uint8_t *const *rows, int count, int &read);

    JPEGDecompressor m_jpeg;
    QImage::Format m_format = QImage::Format_Invalid;
    std::vector<uint8_t> m_cmyk;
    std::vector<JSAMPROW> m_rows;
};
