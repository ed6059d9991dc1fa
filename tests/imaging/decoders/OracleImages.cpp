#include "tests/imaging/decoders/OracleImages.h"

#include "imaging/PictureLoading.h"
#include "tests/support/TestFiles.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>

QString ConvertProgram()
{
    for (const char *candidate : {"/usr/bin/convert", "/usr/bin/convert-im6.q16", "/usr/bin/magick"})
        if (QFileInfo(QString::fromLatin1(candidate)).isExecutable())
            return QString::fromLatin1(candidate);
    return {};
}

QString PythonWithPIL()
{
    for (const char *candidate : {"/usr/bin/python3", "python3"}) {
        const QString program = QString::fromLatin1(candidate);
        if (RunProgram(program, {QStringLiteral("-c"), QStringLiteral("import PIL")}) == 0)
            return program;
    }
    return {};
}

QByteArray RunTool(const QString &program, const QStringList &args, const QByteArray &input)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted()) {
        ADD_FAILURE() << "cannot start " << program.toStdString();
        return {};
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " " << args.join(QLatin1Char(' ')).toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

namespace {

struct Random
{
    uint32_t state;
    uint32_t Next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

} // namespace

QImage MakeTestPicture(int width, int height, uint32_t seed)
{
    QImage picture(width, height, QImage::Format_RGB888);
    Random random{seed};
    for (int y = 0; y < height; ++y) {
        uchar *row = picture.scanLine(y);
        for (int x = 0; x < width; ++x) {
            uchar *p = row + 3 * x;
            if (x < width / 4) {
                // A flat band: long runs for the run-length formats.
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
    return picture;
}

QImage MakeIndexedPicture(int width, int height, int colours, uint32_t seed)
{
    QImage picture(width, height, QImage::Format_RGB888);
    Random random{seed};
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

QByteArray ByteString(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray EncodePPM(const QImage &picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray out = QByteArray("P6\n") + QByteArray::number(rgb.width()) + ' ' + QByteArray::number(rgb.height())
        + "\n255\n";
    for (int y = 0; y < rgb.height(); ++y)
        out.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    return out;
}

namespace {

// A tiny reader for well-formed tool output only.
struct NetpbmHeader
{
    char kind = 0;
    int width = 0, height = 0, depth = 0, maxval = 0;
    size_t dataOffset = 0;
};

bool ParseNetpbmHeader(const QByteArray &data, NetpbmHeader &header)
{
    if (data.size() < 3 || data[0] != 'P')
        return false;
    header.kind = data[1];
    qsizetype pos = 2;
    auto token = [&]() -> QByteArray {
        while (pos < data.size()) {
            if (data[pos] == '#') {
                while (pos < data.size() && data[pos] != '\n')
                    ++pos;
            } else if (std::isspace(uchar(data[pos]))) {
                ++pos;
            } else {
                break;
            }
        }
        const qsizetype start = pos;
        while (pos < data.size() && !std::isspace(uchar(data[pos])))
            ++pos;
        return data.mid(start, pos - start);
    };
    if (header.kind == '7') {
        for (;;) {
            const QByteArray key = token();
            if (key.isEmpty())
                return false;
            if (key == "ENDHDR")
                break;
            const QByteArray value = token();
            if (key == "WIDTH")
                header.width = value.toInt();
            else if (key == "HEIGHT")
                header.height = value.toInt();
            else if (key == "DEPTH")
                header.depth = value.toInt();
            else if (key == "MAXVAL")
                header.maxval = value.toInt();
        }
    } else {
        header.width = token().toInt();
        header.height = token().toInt();
        header.maxval = header.kind == '4' ? 1 : token().toInt();
        header.depth = header.kind == '6' ? 3 : 1;
    }
    header.dataOffset = size_t(pos + 1);
    return header.width > 0 && header.height > 0 && header.maxval > 0;
}

} // namespace

QImage DecodeNetpbm(const QByteArray &data)
{
    NetpbmHeader h;
    if (!ParseNetpbmHeader(data, h))
        return {};
    const uchar *p = reinterpret_cast<const uchar *>(data.constData()) + h.dataOffset;
    const uchar *end = reinterpret_cast<const uchar *>(data.constData()) + data.size();
    const bool alpha = h.kind == '7' && (h.depth == 2 || h.depth == 4);
    QImage image(h.width, h.height, alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int bytesPerSample = h.maxval > 255 ? 2 : 1;
    auto sample = [&]() -> int {
        if (p + bytesPerSample > end)
            return 0;
        int v = bytesPerSample == 2 ? (p[0] << 8 | p[1]) : p[0];
        p += bytesPerSample;
        return int((int64_t(v) * 255 * 2 + h.maxval) / (2 * int64_t(h.maxval)));
    };
    for (int y = 0; y < h.height; ++y) {
        uchar *row = image.scanLine(y);
        if (h.kind == '4') {
            for (int x = 0; x < h.width; ++x)
                std::memset(row + 3 * x, (p[x / 8] >> (7 - x % 8) & 1) ? 0 : 255, 3);
            p += (h.width + 7) / 8;
            continue;
        }
        for (int x = 0; x < h.width; ++x) {
            uchar *out = row + x * (alpha ? 4 : 3);
            if (h.depth <= 2) {
                const int grey = sample();
                out[0] = out[1] = out[2] = uchar(grey);
            } else {
                out[0] = uchar(sample());
                out[1] = uchar(sample());
                out[2] = uchar(sample());
            }
            if (alpha)
                out[3] = uchar(sample());
        }
    }
    return image;
}

void ExpectSamePixels(const QImage &ours, const QImage &expected, const QString &what)
{
    ASSERT_FALSE(expected.isNull()) << what.toStdString() << ": no reference picture";
    ASSERT_EQ(ours.size(), expected.size()) << what.toStdString();
    const bool alpha = expected.hasAlphaChannel();
    const QImage a = ours.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const QImage b = expected.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    const int bpp = alpha ? 4 : 3;
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const uchar *ra = a.constScanLine(y), *rb = b.constScanLine(y);
        for (int x = 0; x < a.width(); ++x) {
            if (std::memcmp(ra + bpp * x, rb + bpp * x, size_t(bpp)) != 0) {
                if (differing == 0)
                    ADD_FAILURE() << what.toStdString() << ": first difference at (" << x << ", " << y
                                  << "): ours " << QColor::fromRgba(a.pixel(x, y)).name(QColor::HexArgb).toStdString()
                                  << ", reference "
                                  << QColor::fromRgba(b.pixel(x, y)).name(QColor::HexArgb).toStdString();
                ++differing;
            }
        }
    }
    EXPECT_EQ(differing, 0) << what.toStdString();
}

QImage OntoBlack(const QImage &rgba)
{
    const QImage in = rgba.convertToFormat(QImage::Format_RGBA8888);
    QImage out(in.width(), in.height(), QImage::Format_RGB888);
    for (int y = 0; y < in.height(); ++y) {
        const uchar *p = in.constScanLine(y);
        uchar *o = out.scanLine(y);
        for (int x = 0; x < in.width(); ++x)
            for (int c = 0; c < 3; ++c)
                o[3 * x + c] = uchar((p[4 * x + c] * p[4 * x + 3] * 2 + 255) / 510);
    }
    return out;
}

void ExpectShownAs(const QString &folder, const QString &name, const QByteArray &bytes, const QImage &reference)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
    file.close();
    QImage shown;
    try {
        shown = LoadPictureFile(path, JPEGReadScale::Eighth);
    } catch (const VistranoError &error) {
        FAIL() << name.toStdString() << ": " << error.message().toStdString();
    }
    EXPECT_EQ(shown.format(), QImage::Format_BGR888) << name.toStdString();
    ExpectSamePixels(shown, reference.convertToFormat(QImage::Format_RGB888), name);
}
