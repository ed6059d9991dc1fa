#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <cstdint>
#include <optional>

// The shared thumbnail cache of the desktop (the freedesktop.org thumbnail
// rules), "normal" and "large" sizes: a PNG of at most 128 pixels a side per
// picture file under <root>/normal/, or of at most 256 under <root>/large/
// for cells of more pixels (a screen of twice the pixels to the point),
// named by the MD5 of the file's URI, carrying the
// file's URI and modification time in the text keys Thumb::URI and
// Thumb::MTime. An entry counts only while its time matches the file's (and
// its size, where the entry gives one), so a changed file is made again;
// entries that file managers and image viewers wrote are used the same way.
// A file that cannot be made into a thumbnail gets an entry under
// <root>/fail/vistrano-<version>/, so that this version of the program does
// not try it again while it is unchanged; the entry keeps the reason in the
// key Vistrano::Error. Entries are written to a temporary file beside the entry and
// renamed into place, mode 0600; the folders this makes get mode 0700.
// Window-free and safe to use from several threads at once.
class TThumbnailCache
{
public:
    // The longest side of a "normal" and of a "large" thumbnail.
    static constexpr int kNormalSize = 128;
    static constexpr int kLargeSize = 256;
    // The size of the entries that serve a square cell of so many pixels:
    // normal up to 128, large up to 256, 0 (none) for larger cells.
    static int EntrySizeFor(int cellSize);

    // root: the thumbnails folder; DefaultRoot() when empty.
    explicit TThumbnailCache(QString root = {});

    // $XDG_CACHE_HOME/thumbnails, or ~/.cache/thumbnails when the variable
    // is unset or not an absolute path.
    static QString DefaultRoot();
    const QString &Root() const { return m_root; }
    // The failures folder of this program: fail/vistrano-<version>.
    QString FailFolder() const;

    // The URI of a file: "file://" and the absolute path, UTF-8, with every
    // byte percent-encoded except letters, digits, "-._~", "!$&'()*+,=:@"
    // and "/", as the desktop's file managers write it.
    static QByteArray FileUri(const QString &absolutePath);
    // The entry's file name: the MD5 of the URI in lower-case hex, ".png".
    static QString EntryName(const QByteArray &uri);
    // The entry of the file among those of a size (kNormalSize, kLargeSize).
    QString EntryPath(const QString &path, int size) const;
    QString NormalEntryPath(const QString &path) const { return EntryPath(path, kNormalSize); }
    QString FailEntryPath(const QString &path) const;

    // What the cache holds for the file as it is now.
    enum class State { None, Thumbnail, Failed };
    struct Found
    {
        State state = State::None;
        QImage picture; // for Thumbnail: 24-bit, transparency composed onto black
        QString error;  // for Failed: the reason, empty for a picture that read as nothing
    };
    // What it holds among the entries of a size; a failure entry serves
    // every size.
    Found Find(const QString &path, int size = kNormalSize) const;

    // Writes the file's thumbnail (at most `size` a side) among the entries
    // of that size, or its failure entry, stamped with the file's time and
    // size; false when the file or the cache cannot be reached (nothing is
    // left half written).
    bool Store(const QString &path, const QImage &picture, int size = kNormalSize) const;
    bool StoreFailure(const QString &path, const QString &error) const;

    // Files in the cache itself are never given thumbnails.
    bool Covers(const QString &path) const;

private:
    QString SizeFolder(int size) const;
    struct FileStamp
    {
        QByteArray uri;
        int64_t mtime = 0;
        int64_t size = 0;
    };
    std::optional<FileStamp> Stamp(const QString &path) const;
    bool Write(const QString &folder, const FileStamp &stamp, const QImage &picture,
               const QByteArray &error = {}) const;

    QString m_root;
};

// The cached PNG of an entry, read back: the picture and its keys; a null
// picture when the bytes are no PNG of a sensible thumbnail size.
struct TThumbnailEntry
{
    QImage picture;
    QString uri;
    QString mtime;
    QString size;  // empty when the entry gives none
    QString error; // Vistrano::Error of a failure entry
};
TThumbnailEntry ReadThumbnailEntry(const QByteArray &png);
