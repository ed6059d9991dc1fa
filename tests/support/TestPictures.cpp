#include "tests/support/TestPictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct TestRandom
{
    uint32_t state;
    // The upper 24 bits of a linear congruential step: its low bits repeat
    // with short periods.
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

} // namespace

QImage MakeTestPicture(int width, int height, uint32_t seed, QImage::Format format)
{
    QImage picture(width, height, QImage::Format_RGB888);
    TestRandom random{seed};
    for (int y = 0; y < height; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            uchar *p = row + 3 * x;
            if (x < width / 4) {
                p[0] = uchar(40 + (y / 8) * 16);
                p[1] = 200;
                p[2] = uchar(seed);
            } else {
                const uint32_t noise = random.Next();
                p[0] = uchar((x * 255) / std::max(1, width - 1) + (noise & 15));
                p[1] = uchar((y * 255) / std::max(1, height - 1) + (noise >> 4 & 15));
                p[2] = uchar(((x + y) * 3 + (noise >> 8 & 31)));
            }
        }
    }
    return format == QImage::Format_RGB888 ? picture : picture.convertToFormat(format);
}

QImage MakeIndexedPicture(int width, int height, int colours, uint32_t seed)
{
    QImage picture(width, height, QImage::Format_RGB888);
    TestRandom random{seed};
    std::vector<QRgb> palette;
    for (int i = 0; i < colours; ++i)
        palette.push_back(qRgb(int(random.Next() & 255), int(random.Next() & 255), int(random.Next() & 255)));
    for (int y = 0; y < height; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int index = (x / 3 + y / 2) % 5 == 0 ? int(random.Next() % uint32_t(colours)) : (x / 7 + y) % colours;
            const QRgb c = palette[size_t(index)];
            row[3 * x] = uchar(qRed(c));
            row[3 * x + 1] = uchar(qGreen(c));
            row[3 * x + 2] = uchar(qBlue(c));
        }
    }
    return picture;
}

QImage TestBilevelPicture(int width, int height, uint32_t seed)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    TestRandom random{seed * 2654435761u + 7};
    for (int y = 0; y < height; ++y) {
        int x = 0;
        bool black = false;
        while (x < width) {
            const uint32_t next = random.Next();
            const unsigned pick = next >> 16;
            // Mostly short runs, some long ones, now and then a whole row.
            int run = pick < 160 ? int(pick % 9) : pick < 240 ? int(pick % 200) + 9 : int(next % unsigned(width)) + 1;
            if (y % 11 == 3)
                run = width; // all white rows
            if (y % 13 == 5 && x == 0 && !black)
                run = 0;     // rows that start black
            for (int i = 0; i < run && x < width; ++i, ++x)
                if (black)
                    image.setPixel(x, y, 1);
            black = !black;
        }
        if (y > 0 && y % 7 == 0) // rows much like the row above, for 2-D coding
            for (int i = 0; i < width; ++i)
                image.setPixel(i, y, image.pixelIndex(std::min(i + 1, width - 1), y - 1));
    }
    return image;
}

QImage RandomPicture(int width, int height, uint32_t seed, bool extremes)
{
    QImage picture(width, height, QImage::Format_BGR888);
    TestRandom random{seed};
    for (int y = 0; y < height; ++y) {
        uint8_t *row = picture.scanLine(y);
        for (int x = 0; x < width * 3; ++x) {
            const uint32_t next = random.Next();
            row[x] = extremes ? ((next & 0x8000) ? 255 : 0) : uint8_t(next >> 16);
        }
    }
    return picture;
}

double PicturePsnr(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double squares = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row);
        const uchar *q = y.constScanLine(row);
        for (int i = 0; i < 3 * x.width(); ++i) {
            const double d = double(p[i]) - double(q[i]);
            squares += d * d;
        }
    }
    const double mean = squares / (3.0 * x.width() * x.height());
    return mean <= 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mean);
}
