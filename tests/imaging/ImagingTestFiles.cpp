#include "tests/imaging/ImagingTestFiles.h"

#include "imaging/PictureLoading.h"
#include "tests/support/TestFiles.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

QImage SamplePicture(int width, int height, unsigned seed)
{
    QImage picture(width, height, QImage::Format_BGR888);
    unsigned state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            const int noise = int(state >> 27) - 16;
            row[3 * x] = uchar(std::clamp(x * 255 / std::max(1, width - 1) + noise, 0, 255));
            row[3 * x + 1] = uchar(std::clamp(y * 255 / std::max(1, height - 1) - noise, 0, 255));
            row[3 * x + 2] = uchar(std::clamp(((x + y) * 7) % 256 + noise / 2, 0, 255));
        }
    }
    return picture;
}

QImage ReadReferencePPM(const QString &path)
{
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << "cannot read " << path.toStdString();
    return MakeBitmap24(image);
}

void WriteReferencePPM(const QImage &picture, const QString &path)
{
    EXPECT_TRUE(picture.convertToFormat(QImage::Format_RGB888).save(path, "PPM"));
}

bool RunTool(const QString &program, const QStringList &args)
{
    QByteArray err;
    const int status = RunProgram(program, args, nullptr, &err);
    EXPECT_EQ(status, 0) << program.toStdString() << " " << args.join(QLatin1Char(' ')).toStdString() << ": "
                         << err.toStdString();
    return status == 0;
}

::testing::AssertionResult SamePixels(const QImage &actual, const QImage &expected, int tolerance)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << " instead of "
                                             << expected.width() << "x" << expected.height();
    const QImage a = MakeBitmap24(actual), b = MakeBitmap24(expected);
    for (int y = 0; y < a.height(); ++y) {
        const uchar *ra = a.constScanLine(y), *rb = b.constScanLine(y);
        for (int i = 0; i < 3 * a.width(); ++i)
            if (std::abs(ra[i] - rb[i]) > tolerance)
                return ::testing::AssertionFailure() << "pixel (" << i / 3 << ", " << y << ") channel " << i % 3
                                                     << " (BGR) is " << int(ra[i]) << " instead of " << int(rb[i]);
    }
    return ::testing::AssertionSuccess();
}

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
