// The image browser: filling the file list for a large folder, making the
// thumbnails of a folder of photos, and the program's start-up.

#include "browser/FileListFilling.h"
#include "browser/FileListModel.h"
#include "browser/FileListSorting.h"
#include "browser/ImageList.h"
#include "browser/PictureMasks.h"
#include "browser/ThumbnailBuilder.h"
#include "browser/ThumbnailCache.h"
#include "tests/bench/Bench.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <cstdio>

namespace {

QString MakeFolder(const BenchContext &context, const QString &name)
{
    const QString folder = context.workDir + QLatin1Char('/') + name;
    QDir().mkpath(folder);
    return folder;
}

} // namespace

VISTRANO_BENCH(browser_fill_list_10000)
{
    // 10,000 files of the listed kinds (and some that are not listed), a
    // few hundred bytes each, as a camera folder after many holidays.
    const QString folder = MakeFolder(context, QStringLiteral("list10000"));
    const char *extensions[] = {"jpg", "JPG", "png", "tif", "bmp", "jpeg", "gif", "txt"};
    const QByteArray bytes(700, 'x');
    for (int i = 0; i < 10000; ++i) {
        QFile file(QStringLiteral("%1/IMG_%2.%3").arg(folder).arg(i, 5, 10, QLatin1Char('0'))
                       .arg(QLatin1String(extensions[i % 8])));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    const QStringList masks = SplitMaskList(kPictureFileMasks);
    TImageList images;
    TFileListModel model(&images);
    size_t rows = 0;
    const double ms = MedianMilliseconds(5, [&] {
        model.SetItems(folder, ListPictureFiles(folder, masks));
        model.Sort(0, true);
        rows = size_t(model.rowCount());
    });
    PrintFigure(QStringLiteral("fill and sort the file list, 10,000 files"), ms, "ms",
                QStringLiteral("(%1 listed; goal < 300 ms)").arg(rows));
    const double byDate = MedianMilliseconds(5, [&] { model.Sort(3, false); });
    PrintFigure(QStringLiteral("sort the same list by date, descending"), byDate, "ms");
}

VISTRANO_BENCH(browser_thumbnails_200_photos)
{
    if (context.photos.isEmpty()) {
        std::printf("no photos in %s\n", qPrintable(context.photoDir));
        return;
    }
    // 200 photos of 4000 by 3000: the bench photos linked ten times over.
    const QStringList paths = LinkedPhotos(context, 200, QStringLiteral("photos200"));
    const QString folder = QFileInfo(paths.first()).path();

    // The first visit makes every cell and fills an empty thumbnail cache;
    // the second takes every cell from the cache.
    TThumbnailBuilder builder(128);
    builder.SetCache(std::make_shared<TThumbnailCache>(MakeFolder(context, QStringLiteral("thumbnails"))));
    int cells = 0;
    QObject::connect(&builder, &TThumbnailBuilder::CellReady, [&cells] { ++cells; });
    const auto visit = [&] {
        QEventLoop loop;
        const QMetaObject::Connection done = QObject::connect(&builder, &TThumbnailBuilder::Finished, &loop, &QEventLoop::quit);
        cells = 0;
        builder.Start(paths, Qt::white);
        if (builder.IsRunning())
            loop.exec();
        QObject::disconnect(done);
    };
    const double ours = MedianMilliseconds(1, visit);
    PrintFigure(QStringLiteral("thumbnails of 200 photos, to the last cell"), ours, "ms",
                QStringLiteral("(%1 cells, %2 ms a photo, cache filled)").arg(cells).arg(ours / 200.0, 0, 'f', 1));
    const double again = MedianMilliseconds(3, visit);
    PrintFigure(QStringLiteral("second visit, every cell from the cache"), again, "ms",
                QStringLiteral("(%1 cells)").arg(cells));
    PrintFigure(QStringLiteral("second visit / first visit"), again / ours, "x",
                QStringLiteral("goal: at most 0.1 (%1)").arg(again / ours <= 0.1 ? "met" : "NOT met"));

    const QString djpeg = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (djpeg.isEmpty()) {
        std::printf("djpeg not installed: no yardstick\n");
        return;
    }
    const QString script = QStringLiteral("for f in \"$0\"/*.jpg; do \"%1\" -scale 1/8 -outfile /dev/null \"$f\" || exit 1; done")
                               .arg(djpeg);
    const double loop = MedianCommandMilliseconds(1, QStringLiteral("sh"), {QStringLiteral("-c"), script, folder});
    PrintFigure(QStringLiteral("djpeg -scale 1/8 loop over the same 200 photos"), loop, "ms");
    if (loop > 0)
        PrintFigure(QStringLiteral("thumbnails / djpeg loop"), ours / loop, "x", QStringLiteral("(goal <= 1.2)"));
}

VISTRANO_BENCH(browser_startup_to_shown_window)
{
    const QString program = context.binDir + QStringLiteral("/vistrano");
    if (!QFile::exists(program)) {
        std::printf("no %s\n", qPrintable(program));
        return;
    }
    // The program ends by itself once its window has been shown and painted;
    // the time covers the whole run, exit included. Its settings and
    // bookmarks live in a scratch home so that no earlier folder is opened.
    const QString home = MakeFolder(context, QStringLiteral("home"));
    qputenv("VISTRANO_QUIT_WHEN_SHOWN", "1");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toUtf8());
    const double ms = MedianCommandMilliseconds(5, program, {});
    qunsetenv("VISTRANO_QUIT_WHEN_SHOWN");
    qputenv("XDG_CONFIG_HOME", oldConfig);
    qputenv("XDG_DATA_HOME", oldData);
    PrintFigure(QStringLiteral("start-up to a shown window (whole run)"), ms, "ms", QStringLiteral("(goal < 500 ms)"));
}
