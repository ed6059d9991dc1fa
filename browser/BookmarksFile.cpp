#include "browser/BookmarksFile.h"

#include "browser/FolderPath.h"
#include "common/FileReplacement.h"
#include "common/Text8Bit.h"
#include "common/VistranoError.h"
#include "common/WholeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString BookmarksFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/bookmrks.dat");
}

QStringList ParseBookmarks(const QByteArray &bytes)
{
    // Each line is decoded on its own, so that one line written on Windows
    // does not turn the UTF-8 lines around it into Windows-1252.
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    auto take = [&](qsizetype end) {
        if (end > start)
            lines << DecodeText8(bytes.constData() + start, end - start);
    };
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        take(i);
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    take(size);
    return lines;
}

QByteArray SerializeBookmarks(const QStringList &bookmarks)
{
    QByteArray bytes;
    for (const QString &bookmark : bookmarks) {
        bytes += EncodeText8(bookmark);
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<QStringList> ReadBookmarksFile(const QString &path)
{
    try {
        return ParseBookmarks(ReadWholeFile(path));
    } catch (const VistranoError &) {
        return std::nullopt;
    }
}

void WriteBookmarksFile(const QString &path, const QStringList &bookmarks)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw EWriteError(QCoreApplication::translate("Bookmarks", "Cannot create folder %1").arg(folder));
    FileReplacement file(path);
    file.Write(SerializeBookmarks(bookmarks));
    file.Commit();
}

BookmarkParts SplitBookmark(const QString &bookmark)
{
    const qsizetype slash = bookmark.lastIndexOf(QLatin1Char('/'));
    return {bookmark.left(slash + 1), bookmark.mid(slash + 1)};
}

QString MakeBookmark(const QString &folder, const QString &fileName)
{
    return WithTrailingSeparator(folder) + fileName;
}

bool HasBookmark(const QStringList &bookmarks, const QString &bookmark)
{
    return bookmarks.contains(bookmark, Qt::CaseInsensitive);
}
