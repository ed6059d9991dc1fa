#include "tests/imaging/ImagingTestFiles.h"

#include "imaging/PictureLoading.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

void InkOf(QRgb rgb, uint8_t ink[4])
{
    const int k = 255 - std::max({qRed(rgb), qGreen(rgb), qBlue(rgb)});
    const auto part = [k](int colour) {
        return k == 255 ? 0 : uint8_t(std::lround(255.0 * (255 - colour - k) / (255 - k)));
    };
    ink[0] = part(qRed(rgb));
    ink[1] = part(qGreen(rgb));
    ink[2] = part(qBlue(rgb));
    ink[3] = uint8_t(k);
}

QRgb ColourOfInk(const uint8_t ink[4])
{
    const auto colour = [&](int i) { return int(std::lround((255 - ink[i]) * (255 - ink[3]) / 255.0)); };
    return qRgb(colour(0), colour(1), colour(2));
}

QByteArray EncodeJPEG(const QImage &picture, JPEGKind kind, int quality)
{
    const QImage bgr = MakeBitmap24(picture);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(bgr.width());
    info.image_height = JDIMENSION(bgr.height());
    const bool fourChannels = kind == JPEGKind::CMYKAdobe || kind == JPEGKind::CMYKPlain || kind == JPEGKind::YCCK;
    info.input_components = fourChannels ? 4 : kind == JPEGKind::Grey ? 1 : 3;
    info.in_color_space = fourChannels ? JCS_CMYK : kind == JPEGKind::Grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (kind == JPEGKind::YCCK)
        jpeg_set_colorspace(&info, JCS_YCCK);
    if (kind == JPEGKind::CMYKPlain)
        info.write_Adobe_marker = FALSE;
    if (kind == JPEGKind::Progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(bgr.width()) * 4);
    for (int y = 0; y < bgr.height(); ++y) {
        const uchar *in = bgr.constScanLine(y);
        for (int x = 0; x < bgr.width(); ++x) {
            if (fourChannels) {
                uint8_t ink[4];
                InkOf(qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]), ink);
                for (int i = 0; i < 4; ++i)
                    row[4 * x + i] = kind == JPEGKind::CMYKPlain ? ink[i] : uint8_t(255 - ink[i]);
            } else if (kind == JPEGKind::Grey) {
                row[x] = uint8_t((in[3 * x] + in[3 * x + 1] + in[3 * x + 2]) / 3);
            } else {
                std::copy(in + 3 * x, in + 3 * x + 3, row.begin() + 3 * x);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}
