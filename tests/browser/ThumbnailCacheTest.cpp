// The desktop's thumbnail cache: names and keys as the freedesktop.org
// rules give them, entries that go stale with their file, entries of other
// programs, failures, and cells that look the same from the cache.

#include "browser/CachedThumbnail.h"
#include "browser/ThumbnailCache.h"
#include "browser/ThumbnailCell.h"
#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "tests/browser/BrowserTestSupport.h"
#include "tests/support/RequiredTools.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <utime.h>

namespace {

int ModeOf(const QString &path)
{
    struct stat info = {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return int(info.st_mode & 0777);
}

void SetModified(const QString &path, time_t when)
{
    const utimbuf times{when, when};
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
}

// The chunk types of a PNG, with "type key" for text chunks.
QStringList Chunks(const QByteArray &png)
{
    QStringList chunks;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const qsizetype length = qFromBigEndian<quint32>(png.constData() + at);
        const QByteArray type = png.mid(at + 4, 4);
        QString chunk = QString::fromLatin1(type);
        if (type == "tEXt")
            chunk += QLatin1Char(' ') + QString::fromLatin1(png.mid(at + 8, length).split('\0').first());
        chunks << chunk;
        at += 12 + length;
    }
    return chunks;
}

// What the desktop's own file library (gio) says of the file with the cache
// under cacheHome; empty when gio is not installed.
QByteArray GioInfo(const QString &path, const QString &attributes, const QString &cacheHome = {})
{
    const QString gio = QStandardPaths::findExecutable("gio");
    if (gio.isEmpty())
        return {};
    QProcess info;
    if (!cacheHome.isEmpty()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CACHE_HOME", cacheHome);
        info.setProcessEnvironment(environment);
    }
    info.start(gio, {"info", "-a", attributes, path});
    EXPECT_TRUE(info.waitForFinished());
    return info.readAllStandardOutput();
}

// A loader that counts its calls.
struct CountingLoader
{
    int calls = 0;
    ThumbnailLoader Loader()
    {
        return [this](const QString &path) {
            ++calls;
            return LoadPictureFile(path, JPEGReadScale::Eighth);
        };
    }
};

} // namespace

TEST(ThumbnailCache, NamesEntriesByTheMD5OfTheFileURI)
{
    // The example of the freedesktop.org thumbnail rules.
    EXPECT_EQ(TThumbnailCache::EntryName("file:///home/jens/photos/me.png"), "c6ee772d9e49320e97ec29a7eb5b1697.png");
    const QString odd = QString::fromUtf8("/tmp/a b;c=d&e+f,g$h!i'j(k)l*m~n@o:p[q]r#s%t^u{v}w|x`y\"z<>é ü.jpg");
    EXPECT_EQ(TThumbnailCache::FileUri(odd),
              "file:///tmp/a%20b%3Bc=d&e+f,g$h!i'j(k)l*m~n@o:p%5Bq%5Dr%23s%25t%5Eu%7Bv%7Dw%7Cx%60y%22z%3C%3E%C3%A9%20"
              "%C3%BC.jpg");

    // As the desktop's own file library writes the URI, where it is here.
    REQUIRE_TOOLS("gio");
    TestFolder folder;
    const QString path = folder.Write(QString::fromUtf8("x [1] ;#%ñ.jpg"), "x");
    const QByteArray output = GioInfo(path, "standard::name");
    const qsizetype at = output.indexOf("uri: ");
    ASSERT_GE(at, 0) << output.toStdString();
    EXPECT_EQ(TThumbnailCache::FileUri(path), output.mid(at + 5, output.indexOf('\n', at) - at - 5));
}

TEST(ThumbnailCache, StoresPrivateEntriesWithTheKeysOfTheRules)
{
    TestFolder files, home;
    const TThumbnailCache cache(home.Path("cache/thumbnails"));
    const QString photo = files.Path("photo.jpg");
    WriteJpeg(photo, {1600, 1200}, QColor(30, 140, 220));
    SetModified(photo, 1700000000);
    CountingLoader loader;

    const TThumbnailOutcome made = FetchThumbnail(&cache, photo, loader.Loader(), 128);
    EXPECT_EQ(made.kind, TThumbnailOutcome::Kind::Made);
    EXPECT_TRUE(made.stored);
    EXPECT_EQ(made.picture.size(), QSize(128, 96));
    const QString entry = cache.NormalEntryPath(photo);
    EXPECT_EQ(entry, home.Path("cache/thumbnails/normal/") + TThumbnailCache::EntryName(TThumbnailCache::FileUri(photo)));
    EXPECT_EQ(ModeOf(entry), 0600);
    for (const char *folder : {"cache", "cache/thumbnails", "cache/thumbnails/normal"})
        EXPECT_EQ(ModeOf(home.Path(folder)), 0700) << folder;
    EXPECT_EQ(QDir(home.Path("cache/thumbnails/normal")).entryList(QDir::Files).size(), 1) << "no temporary left";

    const QByteArray png = ReadFileBytes(entry);
    EXPECT_EQ(Chunks(png).mid(0, 5), QStringList({"IHDR", "tEXt Thumb::URI", "tEXt Thumb::MTime",
                                                  "tEXt Thumb::Size", "tEXt Software"}));
    const TThumbnailEntry keys = ReadThumbnailEntry(png);
    EXPECT_EQ(keys.uri, QString::fromUtf8(TThumbnailCache::FileUri(photo)));
    EXPECT_EQ(keys.mtime, "1700000000");
    EXPECT_EQ(keys.size, QString::number(QFileInfo(photo).size()));

    // The second time the entry serves; the cell is the same.
    const TThumbnailOutcome cached = FetchThumbnail(&cache, photo, loader.Loader(), 128);
    EXPECT_EQ(cached.kind, TThumbnailOutcome::Kind::Cached);
    EXPECT_EQ(loader.calls, 1);
    EXPECT_EQ(MakeThumbnailCell(cached.picture, 128, Qt::white), MakeThumbnailCell(made.picture, 128, Qt::white));

    // The desktop's file library takes the entry as the valid thumbnail
    // (where gio is missing, this part fails only where tools are required).
    if (MissingTools({"gio"}).isEmpty() || ToolsRequired()) {
        const QByteArray gio = GioInfo(photo, "thumbnail::*", home.Path("cache"));
        EXPECT_TRUE(gio.contains("thumbnail::path: " + QFile::encodeName(entry))) << gio.toStdString();
        EXPECT_TRUE(gio.contains("thumbnail::is-valid: TRUE")) << gio.toStdString();
    }

    // Files in the cache itself get no entries.
    EXPECT_FALSE(cache.Store(entry, made.picture));
}

TEST(ThumbnailCache, AChangedFileIsMadeAgain)
{
    TestFolder files, home;
    const TThumbnailCache cache(home.Path("thumbnails"));
    const QString photo = files.Path("photo.jpg");
    WriteJpeg(photo, {800, 600}, Qt::red);
    SetModified(photo, 1600000000);
    CountingLoader loader;
    FetchThumbnail(&cache, photo, loader.Loader(), 128);
    ASSERT_EQ(cache.Find(photo).state, TThumbnailCache::State::Thumbnail);

    // Another time...
    SetModified(photo, 1600000001);
    EXPECT_EQ(cache.Find(photo).state, TThumbnailCache::State::None);
    // ...or the same time and another size.
    WriteJpeg(photo, {800, 600}, Qt::blue, 100);
    SetModified(photo, 1600000000);
    EXPECT_EQ(cache.Find(photo).state, TThumbnailCache::State::None);
    const TThumbnailOutcome again = FetchThumbnail(&cache, photo, loader.Loader(), 128);
    EXPECT_EQ(again.kind, TThumbnailOutcome::Kind::Made);
    EXPECT_EQ(loader.calls, 2);
    EXPECT_TRUE(NearColour(cache.Find(photo).picture.pixelColor(5, 5), Qt::blue));
}

TEST(ThumbnailCache, UsesEntriesOtherProgramsWrote)
{
    TestFolder files, home;
    const TThumbnailCache cache(home.Path("thumbnails"));
    const QString photo = files.Path("photo.jpg");
    WriteJpeg(photo, {1600, 1200}, Qt::red);
    SetModified(photo, 1650000000);
    QDir().mkpath(home.Path("thumbnails/normal"));

    // As an image viewer writes it: compressed keys, no size, a translucent
    // picture of a shape of its own.
    QImage theirs(128, 85, QImage::Format_ARGB32);
    theirs.fill(QColor(0, 200, 0, 255));
    theirs.setPixelColor(0, 0, QColor(0, 200, 0, 0));
    theirs.setText("Thumb::URI", QString::fromUtf8(TThumbnailCache::FileUri(photo)));
    theirs.setText("Thumb::MTime", "1650000000");
    theirs.setText("Software", "GNOME::ThumbnailFactory");
    ASSERT_TRUE(theirs.save(cache.NormalEntryPath(photo), "PNG"));
    CountingLoader loader;
    const TThumbnailOutcome outcome = FetchThumbnail(&cache, photo, loader.Loader(), 128);
    EXPECT_EQ(outcome.kind, TThumbnailOutcome::Kind::Cached);
    EXPECT_EQ(loader.calls, 0);
    EXPECT_EQ(outcome.picture.size(), QSize(128, 85));
    EXPECT_EQ(outcome.picture.pixelColor(1, 1), QColor(0, 200, 0));
    EXPECT_EQ(outcome.picture.pixelColor(0, 0), QColor(0, 0, 0)) << "transparency onto black";

    // An entry that names another file does not count.
    theirs.setText("Thumb::URI", "file:///elsewhere/photo.jpg");
    ASSERT_TRUE(theirs.save(cache.NormalEntryPath(photo), "PNG"));
    EXPECT_EQ(FetchThumbnail(&cache, photo, loader.Loader(), 128).kind, TThumbnailOutcome::Kind::Made);
    EXPECT_EQ(loader.calls, 1);
}

TEST(ThumbnailCache, FailuresAreKeptForThisVersionUntilTheFileChanges)
{
    TestFolder files, home;
    const TThumbnailCache cache(home.Path("thumbnails"));
    const QString broken = files.Write("broken.png", "no PNG here");
    const QString empty = files.Write("empty.jpg", "no JPEG header");
    int calls = 0;
    const ThumbnailLoader failing = [&](const QString &path) {
        ++calls;
        if (path.endsWith(".png"))
            throw VistranoError("Cannot read " + path);
        return LoadPictureFile(path, JPEGReadScale::Eighth);
    };
    const TThumbnailOutcome first = FetchThumbnail(&cache, broken, failing, 128);
    EXPECT_EQ(first.kind, TThumbnailOutcome::Kind::Failed);
    EXPECT_EQ(first.error, "Cannot read " + broken);
    const QString failEntry = cache.FailEntryPath(broken);
    EXPECT_TRUE(failEntry.startsWith(home.Path("thumbnails/fail/vistrano-"))) << failEntry.toStdString();
    EXPECT_EQ(ModeOf(failEntry), 0600);
    EXPECT_FALSE(QFile::exists(cache.NormalEntryPath(broken)));

    const TThumbnailOutcome second = FetchThumbnail(&cache, broken, failing, 128);
    EXPECT_EQ(second.kind, TThumbnailOutcome::Kind::Failed);
    EXPECT_EQ(second.error, first.error);
    EXPECT_EQ(calls, 1);

    // A picture that reads as nothing fails without a reason.
    EXPECT_EQ(FetchThumbnail(&cache, empty, failing, 128).error, "");
    EXPECT_EQ(cache.Find(empty).state, TThumbnailCache::State::Failed);

    SetModified(broken, 1234567890);
    FetchThumbnail(&cache, broken, failing, 128);
    EXPECT_EQ(calls, 3);
}

TEST(ThumbnailCache, CellsFromTheCacheLookLikeFreshOnesAtEverySize)
{
    const TFileFormatRegistration formats;
    TestFolder files, home;
    const TThumbnailCache cache(home.Path("thumbnails"));
    const QImage pattern = MakeTestPicture(2400, 1800, 5);
    const struct
    {
        const char *name;
        QImage picture;
    } pictures[] = {{"wide.jpg", pattern},
                    {"tall.jpg", pattern.transformed(QTransform().rotate(90))},
                    {"small.png", pattern.scaled(100, 60)}};
    const QColor background(9, 9, 9);
    for (const auto &p : pictures) {
        SCOPED_TRACE(p.name);
        const QString path = files.Path(p.name);
        ASSERT_TRUE(p.picture.save(path));
        const QImage fresh = LoadPictureFile(path, JPEGReadScale::Eighth);
        CountingLoader loader;
        // A normal cell, then a cell of twice the pixels (the "large"
        // entries), then one of 1.5 times (large entries shrunk).
        for (const int cell : {128, 256, 192}) {
            const TThumbnailOutcome made = FetchThumbnail(&cache, path, loader.Loader(), cell);
            const TThumbnailOutcome cached = FetchThumbnail(&cache, path, loader.Loader(), cell);
            ASSERT_EQ(cached.kind, TThumbnailOutcome::Kind::Cached) << cell;
            EXPECT_EQ(MakeThumbnailCell(cached.picture, cell, background), MakeThumbnailCell(made.picture, cell, background))
                << cell;
            if (cell != 192) {
                EXPECT_EQ(MakeThumbnailCell(cached.picture, cell, background), MakeThumbnailCell(fresh, cell, background))
                    << cell;
            }
        }
        EXPECT_EQ(loader.calls, 2) << "one normal and one large entry";
        const QImage large(cache.EntryPath(path, TThumbnailCache::kLargeSize));
        EXPECT_EQ(std::max(large.width(), large.height()), std::min(256, std::max(fresh.width(), fresh.height())));

        // Cells larger than every entry are made from the file, and the
        // entries stay as they are.
        const QByteArray normalEntry = ReadFileBytes(cache.NormalEntryPath(path));
        const QByteArray largeEntry = ReadFileBytes(cache.EntryPath(path, TThumbnailCache::kLargeSize));
        const TThumbnailOutcome huge = FetchThumbnail(&cache, path, loader.Loader(), 384);
        EXPECT_EQ(huge.kind, TThumbnailOutcome::Kind::Made);
        EXPECT_EQ(MakeThumbnailCell(huge.picture, 384, background), MakeThumbnailCell(fresh, 384, background));
        EXPECT_EQ(ReadFileBytes(cache.NormalEntryPath(path)), normalEntry);
        EXPECT_EQ(ReadFileBytes(cache.EntryPath(path, TThumbnailCache::kLargeSize)), largeEntry);
    }
}
