#include "browser/ThumbnailBuilder.h"
#include "common/VistranoError.h"
#include "tests/support/EventLoopWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <map>

namespace {

// Pictures named by their colour: "/x/<r>.png" gives a 40 by 30 picture of
// that red level; "bad" names fail to load.
QImage FakePicture(const QString &path)
{
    if (path.contains("bad"))
        throw VistranoError("Cannot open file " + path);
    QImage picture(40, 30, QImage::Format_BGR888);
    picture.fill(QColor(path.section('/', -1).section('.', 0, 0).toInt(), 0, 0));
    return picture;
}

struct Delivered
{
    std::map<int, QImage> cells;
    std::map<int, bool> failed;
    int finished = 0;
    std::vector<quint64> generations;
};

void Record(TThumbnailBuilder &builder, Delivered &delivered)
{
    QObject::connect(&builder, &TThumbnailBuilder::CellReady, &builder,
                     [&delivered](quint64 generation, int position, const QImage &cell, bool failed) {
                         EXPECT_EQ(delivered.cells.count(position), 0u) << "position " << position << " twice";
                         delivered.cells[position] = cell;
                         delivered.failed[position] = failed;
                         delivered.generations.push_back(generation);
                     });
    QObject::connect(&builder, &TThumbnailBuilder::Finished, &builder, [&delivered] { ++delivered.finished; });
}

} // namespace

TEST(ThumbnailBuilder, EveryFileGetsItsOwnCellAndFailuresAreMarked)
{
    TThumbnailBuilder builder(128);
    builder.SetPictureLoader(FakePicture);
    builder.SetThreadCount(2);
    Delivered delivered;
    Record(builder, delivered);
    QStringList paths;
    for (int i = 0; i < 30; ++i)
        paths << (i == 7 ? QString("/x/bad.png") : QString("/x/%1.png").arg(i * 8));
    const quint64 generation = builder.Start(paths, Qt::white);
    EXPECT_TRUE(builder.IsRunning());
    ASSERT_TRUE(WaitFor([&] { return delivered.finished == 1; }));
    EXPECT_FALSE(builder.IsRunning());
    ASSERT_EQ(delivered.cells.size(), 30u);
    for (int i = 0; i < 30; ++i) {
        const QImage &cell = delivered.cells[i];
        ASSERT_EQ(cell.size(), QSize(128, 128));
        EXPECT_EQ(cell.pixelColor(64, 0), QColor(Qt::white));
        if (i == 7) {
            EXPECT_TRUE(delivered.failed[i]);
            EXPECT_EQ(cell.pixelColor(64, 127), QColor(Qt::white));
        } else {
            EXPECT_FALSE(delivered.failed[i]);
            EXPECT_EQ(cell.pixelColor(64, 127), QColor(i * 8, 0, 0)) << i;
        }
    }
    for (quint64 g : delivered.generations)
        EXPECT_EQ(g, generation);
}

TEST(ThumbnailBuilder, AnEmptyListFinishesAtOnce)
{
    TThumbnailBuilder builder(128);
    Delivered delivered;
    Record(builder, delivered);
    builder.Start({}, Qt::white);
    EXPECT_EQ(delivered.finished, 1);
    EXPECT_FALSE(builder.IsRunning());
}

TEST(ThumbnailBuilder, ANewBuildNeverReceivesCellsOfTheOldOne)
{
    TThumbnailBuilder builder(128);
    std::atomic<int> loads{0};
    builder.SetPictureLoader([&loads](const QString &path) {
        ++loads;
        QThread::msleep(path.startsWith("/old/") ? 30 : 1);
        return FakePicture(path);
    });
    builder.SetThreadCount(2);
    Delivered delivered;
    Record(builder, delivered);
    QStringList oldPaths, newPaths;
    for (int i = 0; i < 40; ++i)
        oldPaths << QString("/old/%1.png").arg(200);
    for (int i = 0; i < 5; ++i)
        newPaths << QString("/new/%1.png").arg(10 * i);
    const quint64 first = builder.Start(oldPaths, Qt::white);
    ASSERT_TRUE(WaitFor([&] { return delivered.cells.size() >= 1; }));
    delivered = Delivered();
    const quint64 second = builder.Start(newPaths, Qt::white);
    EXPECT_NE(first, second);
    ASSERT_TRUE(WaitFor([&] { return delivered.finished == 1; }));
    // Let any decode of the old build that was under way end and post.
    QThread::msleep(100);
    QCoreApplication::processEvents();
    ASSERT_EQ(delivered.cells.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(delivered.cells[i].pixelColor(64, 127), QColor(10 * i, 0, 0));
    for (quint64 g : delivered.generations)
        EXPECT_EQ(g, second);
    // The old build stopped: far fewer than its 40 files were decoded.
    EXPECT_LT(loads.load(), 20);
}

TEST(ThumbnailBuilder, StopEndsDeliveriesAndDecoding)
{
    TThumbnailBuilder builder(128);
    std::atomic<int> loads{0};
    builder.SetPictureLoader([&loads](const QString &path) {
        ++loads;
        QThread::msleep(20);
        return FakePicture(path);
    });
    builder.SetThreadCount(1);
    Delivered delivered;
    Record(builder, delivered);
    QStringList paths;
    for (int i = 0; i < 50; ++i)
        paths << QString("/x/%1.png").arg(i);
    builder.Start(paths, Qt::white);
    ASSERT_TRUE(WaitFor([&] { return delivered.cells.size() >= 2; }));
    builder.Stop();
    const size_t count = delivered.cells.size();
    QThread::msleep(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered.cells.size(), count);
    EXPECT_EQ(delivered.finished, 0);
    EXPECT_LE(loads.load(), int(count) + 2);
}
