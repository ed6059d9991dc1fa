// Decoding a Photo-CD Image Pac (Base, 768 x 512, written by ImageMagick
// from a photo) with our decoder beside ImageMagick and Pillow, one thread
// each. An Image Pac has one size only: the external readers' start-up is
// measured on a 1 x 1 PPM file instead.
#include "tests/bench/Bench.h"
#include "tests/bench/ExternalDecoders.h"

#include "imaging/decoders/PCDGraphic.h"

#include <QFile>
#include <QImage>
#include <QProcess>

VISTRANO_BENCH(pcd_decode)
{
    if (context.photos.isEmpty())
        return;
    const QString path = context.workDir + QStringLiteral("/photo.pcd");
    const QString tiny = context.workDir + QStringLiteral("/tiny.ppm");
    QImage(1, 1, QImage::Format_RGB888).save(tiny, "PPM");
    QProcess convert;
    convert.start(QStringLiteral("convert"), {context.photos.first(), QStringLiteral("-resize"), QStringLiteral("768x512!"), path});
    if (!convert.waitForFinished(-1) || convert.exitCode() != 0) {
        PrintFigure(QStringLiteral("pcd_decode_768x512"), -1, "ms", QStringLiteral("ImageMagick cannot write PCD here"));
        return;
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const double ours = MedianMilliseconds(9, [&] {
        TPCDGraphic graphic;
        graphic.LoadFromBytes(bytes);
        (void)graphic.Bitmap().convertToFormat(QImage::Format_BGR888);
    });
    const double magick = ExternalDecodeMilliseconds(ExternalDecoder::Magick, path, tiny);
    const double pillow = ExternalDecodeMilliseconds(ExternalDecoder::Pillow, path, tiny);
    PrintFigure(QStringLiteral("pcd_decode_768x512"), ours, "ms", ComparisonText(ours, magick, pillow));
}
