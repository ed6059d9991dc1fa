#include "browser/ThumbnailCache.h"

#include "about/VersionResource.h"
#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "imaging/PictureLoading.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

// Entries are small; a larger file in the cache is no thumbnail of ours.
constexpr qint64 kMaxEntryBytes = 4 << 20;
// Other programs may have written larger pictures than the rules allow;
// anything up to this is scaled into the cell like a fresh picture.
constexpr int kMaxEntrySide = 1024;

bool KeptInUri(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
        || QByteArrayView("-._~!$&'()*+,=:@/").contains(c);
}

// Creates the folder and its missing parents with mode 0700; true when it
// is a folder afterwards.
bool MakePrivateFolder(const QString &folder)
{
    const QByteArray path = EncodeFileName(folder);
    struct stat info = {};
    if (::stat(path.constData(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !MakePrivateFolder(parent))
        return false;
    return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST;
}

QByteArray Chunk(const char type[4], const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian<quint32>(quint32(data.size()), chunk.data());
    chunk.append(type, 4);
    chunk.append(data);
    const uLong crc = crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(chunk.constData() + 4),
                            uInt(chunk.size() - 4));
    QByteArray tail(4, '\0');
    qToBigEndian<quint32>(quint32(crc), tail.data());
    return chunk + tail;
}

// The picture as a PNG whose keys stand in tEXt chunks right behind the
// header, where every reader finds them before the pixels.
QByteArray EncodeEntry(const QImage &picture, const std::vector<std::pair<QByteArray, QByteArray>> &keys)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
        return {};
    // Signature (8 bytes) and the header chunk (25 bytes).
    constexpr qsizetype kAfterHeader = 8 + 25;
    if (png.size() < kAfterHeader || png.mid(12, 4) != "IHDR")
        return {};
    QByteArray texts;
    for (const auto &[key, value] : keys)
        texts += Chunk("tEXt", key + '\0' + value);
    return png.insert(kAfterHeader, texts);
}

// Writes the bytes to a fresh temporary file in the folder and renames it
// to the name: a reader sees the old entry or the new one, never a part.
// Unlike the program's documents (FileReplacement), an entry is not synced
// to the disk, which would cost more than making it: an entry a crash loses
// is made again. And it is always 0600, whatever an older entry had.
bool WriteAtomically(const QString &folder, const QString &name, const QByteArray &bytes)
{
    QByteArray temporary = EncodeFileName(folder + QLatin1Char('/') + name + QStringLiteral(".XXXXXX"));
    const int fd = ::mkstemp(temporary.data()); // mode 0600
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0600) == 0;
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        ok = written > 0;
        done += written > 0 ? written : 0;
    }
    ok = ::close(fd) == 0 && ok;
    const QByteArray target = EncodeFileName(folder + QLatin1Char('/') + name);
    if (!ok || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    return true;
}

QByteArray ReadEntryFile(const QString &path)
{
    struct stat info = {};
    if (::stat(EncodeFileName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxEntryBytes)
        return {};
    try {
        return ReadWholeFile(path);
    } catch (const VistranoError &) {
        return {};
    }
}

bool SameNumber(const QString &text, int64_t value)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    return ok && number == value;
}

} // namespace

TThumbnailCache::TThumbnailCache(QString root) : m_root(root.isEmpty() ? DefaultRoot() : QDir::cleanPath(root))
{
}

QString TThumbnailCache::DefaultRoot()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return QDir::cleanPath(cache + QStringLiteral("/thumbnails"));
}

QString TThumbnailCache::FailFolder() const
{
    return m_root + QStringLiteral("/fail/vistrano-") + ProgramVersionResource().FileVersion;
}

QByteArray TThumbnailCache::FileUri(const QString &absolutePath)
{
    QByteArray uri("file://");
    static const char hex[] = "0123456789ABCDEF";
    for (const char c : EncodeFileName(QDir::cleanPath(absolutePath))) {
        if (KeptInUri(c)) {
            uri += c;
        } else {
            uri += '%';
            uri += hex[uchar(c) >> 4];
            uri += hex[uchar(c) & 15];
        }
    }
    return uri;
}

QString TThumbnailCache::EntryName(const QByteArray &uri)
{
    return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex())
        + QStringLiteral(".png");
}

int TThumbnailCache::EntrySizeFor(int cellSize)
{
    return cellSize <= kNormalSize ? kNormalSize : cellSize <= kLargeSize ? kLargeSize : 0;
}

QString TThumbnailCache::SizeFolder(int size) const
{
    return m_root + (size == kLargeSize ? QStringLiteral("/large") : QStringLiteral("/normal"));
}

QString TThumbnailCache::EntryPath(const QString &path, int size) const
{
    return SizeFolder(size) + QLatin1Char('/') + EntryName(FileUri(QFileInfo(path).absoluteFilePath()));
}

QString TThumbnailCache::FailEntryPath(const QString &path) const
{
    return FailFolder() + QLatin1Char('/') + EntryName(FileUri(QFileInfo(path).absoluteFilePath()));
}

bool TThumbnailCache::Covers(const QString &path) const
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath()).startsWith(m_root + QLatin1Char('/'));
}

std::optional<TThumbnailCache::FileStamp> TThumbnailCache::Stamp(const QString &path) const
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    struct stat info = {};
    if (::stat(EncodeFileName(absolute).constData(), &info) != 0 || !S_ISREG(info.st_mode) || Covers(absolute))
        return std::nullopt;
    return FileStamp{FileUri(absolute), int64_t(info.st_mtime), int64_t(info.st_size)};
}

TThumbnailCache::Found TThumbnailCache::Find(const QString &path, int size) const
{
    const std::optional<FileStamp> stamp = Stamp(path);
    if (!stamp)
        return {};
    const QString name = EntryName(stamp->uri);
    const auto matches = [&](const TThumbnailEntry &entry) {
        return !entry.picture.isNull() && entry.uri.toUtf8() == stamp->uri && SameNumber(entry.mtime, stamp->mtime)
            && (entry.size.isEmpty() || SameNumber(entry.size, stamp->size));
    };
    TThumbnailEntry entry = ReadThumbnailEntry(ReadEntryFile(SizeFolder(size) + QLatin1Char('/') + name));
    if (matches(entry))
        return {State::Thumbnail, MakeBitmap24(entry.picture), {}};
    entry = ReadThumbnailEntry(ReadEntryFile(FailFolder() + QLatin1Char('/') + name));
    if (matches(entry))
        return {State::Failed, {}, entry.error};
    return {};
}

bool TThumbnailCache::Write(const QString &folder, const FileStamp &stamp, const QImage &picture,
                            const QByteArray &error) const
{
    if (!MakePrivateFolder(folder))
        return false;
    std::vector<std::pair<QByteArray, QByteArray>> keys = {
        {"Thumb::URI", stamp.uri},
        {"Thumb::MTime", QByteArray::number(qlonglong(stamp.mtime))},
        {"Thumb::Size", QByteArray::number(qlonglong(stamp.size))},
        {"Software", "Vistrano " + ProgramVersionResource().FileVersion.toLatin1()}};
    if (!error.isEmpty())
        keys.push_back({"Vistrano::Error", error});
    const QByteArray png = EncodeEntry(picture, keys);
    return !png.isEmpty() && WriteAtomically(folder, EntryName(stamp.uri), png);
}

bool TThumbnailCache::Store(const QString &path, const QImage &picture, int size) const
{
    const std::optional<FileStamp> stamp = Stamp(path);
    if (!stamp || picture.isNull() || (size != kNormalSize && size != kLargeSize) || picture.width() > size
        || picture.height() > size)
        return false;
    return Write(SizeFolder(size), *stamp, picture);
}

bool TThumbnailCache::StoreFailure(const QString &path, const QString &error) const
{
    const std::optional<FileStamp> stamp = Stamp(path);
    if (!stamp)
        return false;
    QImage dot(1, 1, QImage::Format_RGB888);
    dot.fill(Qt::black);
    // tEXt holds Latin-1 without line breaks; the reason is kept readable.
    QString reason = error.simplified();
    for (QChar &c : reason) {
        if (c.unicode() > 0xFF)
            c = QLatin1Char('?');
    }
    return Write(FailFolder(), *stamp, dot, reason.left(1000).toLatin1());
}

TThumbnailEntry ReadThumbnailEntry(const QByteArray &png)
{
    TThumbnailEntry entry;
    if (!png.startsWith("\x89PNG\r\n\x1A\n"))
        return entry;
    QBuffer buffer;
    buffer.setData(png);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxEntrySide || size.height() > kMaxEntrySide)
        return entry;
    QImage picture;
    if (!reader.read(&picture) || picture.isNull())
        return entry;
    entry.uri = picture.text(QStringLiteral("Thumb::URI"));
    entry.mtime = picture.text(QStringLiteral("Thumb::MTime"));
    entry.size = picture.text(QStringLiteral("Thumb::Size"));
    entry.error = picture.text(QStringLiteral("Vistrano::Error"));
    entry.picture = std::move(picture);
    return entry;
}
