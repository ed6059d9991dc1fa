#include "imaging/JPEGRowReader.h"

#include <algorithm>

namespace {

// Ink values of a four-channel JPEG become blue, green, red. Photoshop (and
// every writer that sets an Adobe marker) stores the inks inverted, 255 for
// no ink; plain files store the ink itself.
void CMYKToBGR(const uint8_t *cmyk, uint8_t *bgr, JDIMENSION width, bool inverted)
{
    const auto mix = [](unsigned colour, unsigned black) { return uint8_t((2 * colour * black + 255) / 510); };
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        unsigned c = cmyk[0], m = cmyk[1], y = cmyk[2], k = cmyk[3];
        if (!inverted)
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        bgr[0] = mix(y, k);
        bgr[1] = mix(m, k);
        bgr[2] = mix(c, k);
    }
}

} // namespace

bool TJPEGRowReader::Open(const uint8_t *data, size_t size, JPEGReadScale scale)
{
    if (!m_jpeg.ReadHeader(data, size))
        return false;
    jpeg_decompress_struct &info = m_jpeg.Info();
    switch (info.num_components) {
    case 1:
        info.out_color_space = JCS_GRAYSCALE;
        m_format = QImage::Format_Grayscale8;
        break;
    case 3:
        info.out_color_space = JCS_EXT_BGR;
        m_format = QImage::Format_BGR888;
        break;
    case 4:
        if (info.jpeg_color_space != JCS_CMYK && info.jpeg_color_space != JCS_YCCK)
            return false;
        info.out_color_space = JCS_CMYK;
        m_format = QImage::Format_BGR888;
        break;
    default:
        return false;
    }
    info.scale_num = 1;
    info.scale_denom = unsigned(JPEGScaleDivisor(scale));
    return m_jpeg.CalcOutputDimensions();
}

bool TJPEGRowReader::Start()
{
    return m_jpeg.Start();
}

int TJPEGRowReader::RowGroup() const
{
    return std::max(1, m_jpeg.Info().rec_outbuf_height);
}

bool TJPEGRowReader::ReadRows(uint8_t *const *rows, int count, int &read)
{
    jpeg_decompress_struct &info = m_jpeg.Info();
    read = 0;
    count = std::min(count, int(info.output_height - info.output_scanline));
    if (info.out_color_space == JCS_CMYK)
        return ReadCMYKRows(rows, count, read);
    while (read < count) {
        JDIMENSION delivered = 0;
        if (!m_jpeg.ReadRows(const_cast<JSAMPARRAY>(rows + read), JDIMENSION(count - read), delivered)
            || delivered == 0)
            return false;
        read += int(delivered);
    }
    return true;
}

// Four-channel rows go through a small buffer and are converted.
bool TJPEGRowReader::ReadCMYKRows(uint8_t *const *rows, int count, int &read)
{
    jpeg_decompress_struct &info = m_jpeg.Info();
    const size_t rowBytes = size_t(info.output_width) * 4;
    if (m_rows.size() < size_t(count)) {
        m_cmyk.resize(rowBytes * size_t(count));
        m_rows.resize(size_t(count));
        for (size_t i = 0; i < m_rows.size(); ++i)
            m_rows[i] = m_cmyk.data() + i * rowBytes;
    }
    const bool inverted = info.saw_Adobe_marker;
    while (read < count) {
        JDIMENSION delivered = 0;
        if (!m_jpeg.ReadRows(m_rows.data(), JDIMENSION(count - read), delivered) || delivered == 0)
            return false;
        for (JDIMENSION i = 0; i < delivered; ++i)
            CMYKToBGR(m_rows[i], rows[read + int(i)], info.output_width, inverted);
        read += int(delivered);
    }
    return true;
}
