#include "tests/support/ReferenceTools.h"

#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"
#include "tests/support/TestFiles.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>

ToolRun RunTool(const QString &program, const QStringList &args, const QByteArray &input)
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
    return {true, process.readAllStandardOutput()};
}

bool MagickWrite(const QStringList &args)
{
    const QString convert = ConvertProgram();
    if (convert.isEmpty())
        return false;
    QByteArray err;
    const int status = RunProgram(convert, args, nullptr, &err);
    if (status != 0)
        qWarning("convert %s: %s", qPrintable(args.join(QLatin1Char(' '))), err.constData());
    return status == 0;
}

QImage Magick(const QString &file, const QStringList &options)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.png"));
    if (!MagickWrite(QStringList{file} + options + QStringList{"-alpha", "off", "-depth", "8", "PNG24:" + out}))
        return {};
    return QImage(out).convertToFormat(QImage::Format_RGB888);
}

QImage Pillow(const QString &file)
{
    const QString python = PillowPython();
    if (python.isEmpty())
        return {};
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.png"));
    const int status = RunProgram(python, {"-c", "import sys; from PIL import Image; "
                                                 "Image.open(sys.argv[1]).convert('RGB').save(sys.argv[2])",
                                           file, out});
    if (status != 0)
        return {};
    return QImage(out).convertToFormat(QImage::Format_RGB888);
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

int MaxDifference(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull() || a.size() != b.size())
        return 1000;
    const QImage x = a.convertToFormat(QImage::Format_RGB888), y = b.convertToFormat(QImage::Format_RGB888);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row), *q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i)
            largest = std::max(largest, std::abs(int(p[i]) - int(q[i])));
    }
    return largest;
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

QImage OntoBlack(const QImage &picture)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(QImage::Format_RGB888);
    const QImage in = picture.convertToFormat(QImage::Format_RGBA8888);
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
