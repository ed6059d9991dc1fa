#include "imaging/decoders/HaloPalette.h"

#include "common/WholeFile.h"
#include "imaging/decoders/ByteReader.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr size_t kHeaderSize = 40;
constexpr size_t kBlockSize = 512;
constexpr size_t kEntrySize = 6;

uint8_t Scale(unsigned value, unsigned maximum)
{
    if (maximum == 0)
        maximum = 255;
    if (value >= maximum)
        return 255;
    return uint8_t(value * 255 / maximum);
}

} // namespace

std::optional<QList<QRgb>> ReadHaloPalette(const QByteArray &data)
{
    ByteReader reader(data);
    if (reader.Size() < kHeaderSize || data[0] != 'A' || data[1] != 'H')
        return std::nullopt;
    reader.Seek(7);
    // Other sub-types carry data for particular display boards that no
    // public document describes.
    if (reader.U8() != 0)
        return std::nullopt;
    reader.Seek(12);
    const unsigned maxIndex = reader.U16LE();
    const unsigned maxRed = reader.U16LE();
    const unsigned maxGreen = reader.U16LE();
    const unsigned maxBlue = reader.U16LE();
    const size_t count = std::min(size_t(maxIndex) + 1, size_t(256));

    QList<QRgb> colors;
    colors.reserve(qsizetype(count));
    size_t position = kHeaderSize;
    while (size_t(colors.size()) < count) {
        if (kBlockSize - position % kBlockSize < kEntrySize)
            position += kBlockSize - position % kBlockSize;
        if (position + kEntrySize > reader.Size())
            break;
        reader.Seek(position);
        const unsigned red = reader.U16LE();
        const unsigned green = reader.U16LE();
        const unsigned blue = reader.U16LE();
        colors.append(qRgb(Scale(red, maxRed), Scale(green, maxGreen), Scale(blue, maxBlue)));
        position += kEntrySize;
    }
    return colors;
}

QString FindHaloPaletteFile(const QString &cutPath)
{
    const QFileInfo info(cutPath);
    const QString base = info.completeBaseName();
    const QDir folder = info.absoluteDir();
    for (const char *extension : {"pal", "PAL", "Pal"}) {
        const QString candidate = folder.filePath(base + QLatin1Char('.') + QLatin1String(extension));
        if (IsRegularFile(candidate))
            return candidate;
    }
    // Any other mixture of letter cases, in the extension first, then in the
    // base name too (files copied from DOS disks).
    const QString wanted = base + QStringLiteral(".pal");
    QString looseMatch;
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (name.compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (name.startsWith(base))
            return folder.filePath(name);
        if (looseMatch.isEmpty())
            looseMatch = folder.filePath(name);
    }
    return looseMatch;
}
