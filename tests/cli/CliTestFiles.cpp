#include "tests/cli/CliTestFiles.h"

#include "tests/support/TestFiles.h"

ChildLimits CliLimits()
{
    ChildLimits limits;
    limits.memory = qint64(1) << 30;
    limits.seconds = 60;
    return limits;
}

int Cli(const QStringList &args, QByteArray *out, QByteArray *err, const ChildLimits &limits)
{
    return RunLimitedProgram(limits, BuiltProgram(QStringLiteral("vistrano-cli")), args, out, err);
}

CliRun RunCli(const QStringList &args, const ChildLimits &limits)
{
    CliRun run;
    QByteArray err;
    run.status = Cli(args, &run.out, &err, limits);
    run.err = QString::fromUtf8(err);
    return run;
}

QByteArray BitmapFileOf(const QImage &picture)
{
    const int stride = (picture.width() * 3 + 3) / 4 * 4;
    const auto le32 = [](uint32_t v) {
        const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
        return QByteArray(bytes, 4);
    };
    QByteArray file = "BM" + le32(uint32_t(54 + stride * picture.height())) + le32(0) + le32(54);
    file += le32(40) + le32(uint32_t(picture.width())) + le32(uint32_t(picture.height())) + QByteArray::fromHex("01001800")
        + le32(0) + le32(uint32_t(stride * picture.height())) + QByteArray(16, '\0');
    for (int y = picture.height() - 1; y >= 0; --y) {
        QByteArray row(reinterpret_cast<const char *>(picture.constScanLine(y)), picture.width() * 3);
        row.resize(stride, '\0');
        file += row;
    }
    return file;
}

QByteArray PPMOf(const QImage &picture)
{
    QByteArray ppm = QStringLiteral("P6\n%1 %2\n255\n").arg(picture.width()).arg(picture.height()).toLatin1();
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb rgb = picture.pixel(x, y);
            ppm += char(qRed(rgb));
            ppm += char(qGreen(rgb));
            ppm += char(qBlue(rgb));
        }
    return ppm;
}

QImage NumberedPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, qRgb(10 * x + 1, 10 * y + 2, x + y));
    return picture;
}
