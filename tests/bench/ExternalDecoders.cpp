#include "tests/bench/ExternalDecoders.h"

#include "tests/bench/Bench.h"
#include "tests/support/RequiredTools.h"

namespace {

double Once(ExternalDecoder decoder, const QString &path)
{
    if (decoder == ExternalDecoder::Magick) {
        static const QString convert = ConvertProgram();
        if (convert.isEmpty())
            return -1;
        return MedianCommandMilliseconds(5, convert,
                                         {QStringLiteral("-limit"), QStringLiteral("thread"), QStringLiteral("1"),
                                          path + QStringLiteral("[0]"), QStringLiteral("-depth"), QStringLiteral("8"),
                                          QStringLiteral("rgb:/dev/null")});
    }
    static const QString python = PillowPython();
    if (python.isEmpty())
        return -1;
    return MedianCommandMilliseconds(5, python, {QStringLiteral("-c"),
                                                 QStringLiteral("import sys; from PIL import Image; "
                                                                "Image.open(sys.argv[1]).convert('RGB')"),
                                                 path});
}

QString One(const char *name, double ours, double theirs)
{
    if (theirs < 0)
        return QStringLiteral("%1 cannot read it").arg(QLatin1String(name));
    return QStringLiteral("%1 %2 ms (ratio %3)").arg(QLatin1String(name)).arg(theirs, 0, 'f', 1).arg(ours / theirs, 0, 'f', 2);
}

} // namespace

double ExternalDecodeMilliseconds(ExternalDecoder decoder, const QString &path, const QString &tinyPath)
{
    const double whole = Once(decoder, path);
    const double startup = Once(decoder, tinyPath);
    if (whole < 0 || startup < 0)
        return -1;
    return std::max(0.1, whole - startup);
}

QString ComparisonText(double ours, double magick, double pillow)
{
    return One("ImageMagick", ours, magick) + QStringLiteral("; ") + One("Pillow", ours, pillow);
}
