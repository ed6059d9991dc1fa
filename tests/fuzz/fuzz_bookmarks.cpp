// The bookmarks file: any bytes read as lines, written back and read again
// give the same bookmarks; every bookmark splits into its folder and file.
#include "browser/BookmarksFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList bookmarks = ParseBookmarks(bytes);
    const QByteArray written = SerializeBookmarks(bookmarks);
    if (ParseBookmarks(written) != bookmarks)
        std::abort();
    for (const QString &bookmark : bookmarks) {
        if (bookmark.contains(QLatin1Char('\r')) || bookmark.contains(QLatin1Char('\n')) || bookmark.isEmpty())
            std::abort();
        const BookmarkParts parts = SplitBookmark(bookmark);
        if (parts.folder + parts.file != bookmark || parts.file.contains(QLatin1Char('/')))
            std::abort();
    }
    return 0;
}
