#include "TIFFOracle.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>

QImage TestPicture(int width, int height, unsigned seed)
{
    QImage image(width, height, QImage::Format_RGB888);
    uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = int(state >> 28) - 8;
            const bool edge = (x / 7 + y / 5) % 3 == 0;
            row[3 * x] = uchar(std::clamp(x * 255 / std::max(width - 1, 1) + noise, 0, 255));
            row[3 * x + 1] = uchar(edge ? 255 - y * 255 / std::max(height - 1, 1) : (x * y) & 0xFF);
            row[3 * x + 2] = uchar(std::clamp((x + y) * 2 + noise * 3, 0, 255));
        }
    }
    return image;
}

QImage TestBilevelPicture(int width, int height, unsigned seed)
{
    QImage image(width, height, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    uint32_t state = seed * 2654435761u + 7;
    for (int y = 0; y < height; ++y) {
        int x = 0;
        bool black = false;
        while (x < width) {
            state = state * 1664525u + 1013904223u;
            const unsigned pick = state >> 24;
            // Mostly short runs, some long ones, now and then a whole row.
            int run = pick < 160 ? int(pick % 9) : pick < 240 ? int(pick % 200) + 9 : int(state % unsigned(width)) + 1;
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

bool RunTool(const QString &program, const QStringList &args)
{
    QByteArray err;
    const int status = RunProgram(program, args, nullptr, &err);
    EXPECT_EQ(status, 0) << program.toStdString() << " " << args.join(' ').toStdString() << ": " << err.toStdString();
    return status == 0;
}

QImage OracleRGB(const QString &path)
{
    QByteArray out, err;
    const int status = RunProgram(QStringLiteral("convert"),
                                  {path + QStringLiteral("[0]"), QStringLiteral("-background"), QStringLiteral("black"),
                                   QStringLiteral("-alpha"), QStringLiteral("remove"), QStringLiteral("-depth"),
                                   QStringLiteral("8"), QStringLiteral("ppm:-")},
                                  &out, &err);
    if (status != 0) {
        ADD_FAILURE() << "convert failed on " << path.toStdString() << ": " << err.toStdString();
        return {};
    }
    QImage image;
    image.loadFromData(out, "PPM");
    return image.convertToFormat(QImage::Format_RGB888);
}

QImage AsRGB(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB888);
    // Onto black: the premultiplied colour is the composed colour.
    const QImage premultiplied = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage result(picture.size(), QImage::Format_RGB888);
    for (int y = 0; y < picture.height(); ++y) {
        const QRgb *in = reinterpret_cast<const QRgb *>(premultiplied.constScanLine(y));
        uchar *out = result.scanLine(y);
        for (int x = 0; x < picture.width(); ++x)
            out[3 * x] = uchar(qRed(in[x])), out[3 * x + 1] = uchar(qGreen(in[x])), out[3 * x + 2] = uchar(qBlue(in[x]));
    }
    return result;
}

int MaxDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != QImage::Format_RGB888 || b.format() != QImage::Format_RGB888)
        return 1000;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *p = a.constScanLine(y), *q = b.constScanLine(y);
        for (int i = 0; i < a.width() * 3; ++i)
            worst = std::max(worst, std::abs(int(p[i]) - int(q[i])));
    }
    return worst;
}
