#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Bookmarks are folder paths ending in "/", optionally followed directly by
// a file name. They are kept one a line in "bookmrks.dat" in the per-user
// data folder; the order of the lines is the order of the menu.

QString BookmarksFilePath();

// Lines of the file's bytes: a carriage return, a line feed or the pair ends
// a line, the last line needs no end. Bytes that are not UTF-8 are read as
// Windows-1252. Empty lines are no bookmarks and are skipped.
QStringList ParseBookmarks(const QByteArray &bytes);

// The file's bytes: UTF-8, every line ended by carriage return and line feed.
QByteArray SerializeBookmarks(const QStringList &bookmarks);

// The bookmarks of the file; nothing when it is missing or cannot be read.
std::optional<QStringList> ReadBookmarksFile(const QString &path);

// Replaces the file with the bookmarks (no bookmarks give an empty file).
// The old file stays intact until the new one is complete. Fails with a
// VistranoError carrying the reason.
void WriteBookmarksFile(const QString &path, const QStringList &bookmarks);

// A bookmark's folder part (up to and including the last "/") and file part
// (what follows; empty for a folder bookmark).
struct BookmarkParts
{
    QString folder;
    QString file;
};
BookmarkParts SplitBookmark(const QString &bookmark);

// The bookmark for a folder, with a file name when one file is meant.
QString MakeBookmark(const QString &folder, const QString &fileName = {});

// Whether the list holds the bookmark, letter case ignored.
bool HasBookmark(const QStringList &bookmarks, const QString &bookmark);
