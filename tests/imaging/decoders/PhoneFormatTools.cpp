#include "tests/imaging/decoders/PhoneFormatTools.h"

#include "tests/support/ReferenceTools.h"

#include <QFile>

QByteArray EncodeWith(const TestFolder &folder, const QImage &picture, const QString &encoder,
                      const QStringList &args, const QString &outputName)
{
    const QString input = folder.Path(outputName + QStringLiteral(".png"));
    EXPECT_TRUE(picture.save(input, "PNG"));
    const QString output = folder.Path(outputName);
    QStringList all = args;
    if (encoder == QLatin1String("cwebp"))
        all << QStringLiteral("-quiet") << input << QStringLiteral("-o") << output;
    else
        all << QStringLiteral("-o") << output << input;
    RunTool(encoder, all);
    return ReadFileBytes(output);
}

QImage ToolOutput(const QString &path)
{
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << "cannot read " << path.toStdString();
    return image;
}

QImage EightBitsOf(const QImage &wide, int bits)
{
    const QImage samples = wide.convertToFormat(QImage::Format_RGBA64);
    const unsigned maximum = (1u << bits) - 1;
    const auto reduce = [&](quint16 v) { return int(((unsigned(v) >> (16 - bits)) * 255 + maximum / 2) / maximum); };
    QImage result(wide.size(), QImage::Format_RGB888);
    for (int y = 0; y < wide.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgba64 *>(samples.constScanLine(y));
        for (int x = 0; x < wide.width(); ++x) {
            const int a = wide.hasAlphaChannel() ? reduce(in[x].alpha()) : 255;
            const auto over = [a](int c) { return (2 * c * a + 255) / 510; };
            result.setPixel(x, y, qRgb(over(reduce(in[x].red())), over(reduce(in[x].green())), over(reduce(in[x].blue()))));
        }
    }
    return result;
}
