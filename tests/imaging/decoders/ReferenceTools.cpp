#include "tests/imaging/decoders/ReferenceTools.h"

#include "tests/support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

namespace reference {

bool HaveMagick()
{
    return ToolAvailable(QStringLiteral("convert"));
}

bool MagickWrite(const QStringList &args)
{
    QByteArray err;
    const int status = RunProgram(QStringLiteral("convert"), args, nullptr, &err);
    if (status != 0)
        qWarning("convert %s: %s", qPrintable(args.join(QLatin1Char(' '))), err.constData());
    return status == 0;
}

QImage Magick(const QString &file, const QStringList &options)
{
    if (!HaveMagick())
        return {};
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.png"));
    if (!MagickWrite(QStringList{file} + options + QStringList{"-alpha", "off", "-depth", "8", "PNG24:" + out}))
        return {};
    return Rgb(QImage(out));
}

QString PillowPython()
{
    static const QString found = [] {
        for (const QString &candidate : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")}) {
            if (RunProgram(candidate, {"-c", "import PIL.Image"}) == 0)
                return candidate;
        }
        return QString();
    }();
    return found;
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
    return Rgb(QImage(out));
}

QImage Rgb(const QImage &image)
{
    return image.isNull() ? image : image.convertToFormat(QImage::Format_RGB888);
}

int MaxDifference(const QImage &a, const QImage &b)
{
    if (a.isNull() || b.isNull() || a.size() != b.size())
        return -1;
    const QImage x = Rgb(a), y = Rgb(b);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar *p = x.constScanLine(row), *q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i)
            largest = std::max(largest, std::abs(int(p[i]) - int(q[i])));
    }
    return largest;
}

} // namespace reference
