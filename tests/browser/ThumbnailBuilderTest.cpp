#include "browser/ThumbnailBuilder.h"
#include "common/VistranoError.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/PictureLoadGate.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

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
    // The old build makes one cell; its next files are held until the new
    // build has begun. They fail to load, and failed cells are posted even
    // after a stop: they come while the new build runs and must not reach it.
    PictureLoadGate gate(1);
    builder.SetPictureLoader([old = gate.Guarded(FakePicture)](const QString &path) {
        return path.startsWith("/old/") ? old(path) : FakePicture(path);
    });
    builder.SetThreadCount(2);
    Delivered delivered;
    Record(builder, delivered);
    QStringList oldPaths, newPaths;
    for (int i = 0; i < 40; ++i)
        oldPaths << (i == 0 ? QString("/old/200.png") : QString("/old/bad%1.png").arg(i));
    for (int i = 0; i < 5; ++i)
        newPaths << QString("/new/%1.png").arg(10 * i);
    const quint64 first = builder.Start(oldPaths, Qt::white);
    ASSERT_TRUE(WaitFor([&] { return delivered.cells.size() >= 1; }));
    delivered = Delivered();
    const quint64 second = builder.Start(newPaths, Qt::white);
    EXPECT_NE(first, second);
    gate.Open();
    ASSERT_TRUE(WaitFor([&] { return delivered.finished == 1; }));
    builder.WaitForWorkers();
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(delivered.cells.size(), 5u);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(delivered.cells[i].pixelColor(64, 127), QColor(10 * i, 0, 0));
    for (quint64 g : delivered.generations)
        EXPECT_EQ(g, second);
    EXPECT_EQ(delivered.finished, 1);
    // The old build stopped: besides its one cell, only the files its two
    // workers had already taken were begun.
    EXPECT_LE(gate.Arrived(), 3);
}

TEST(ThumbnailBuilder, StopEndsDeliveriesAndDecoding)
{
    TThumbnailBuilder builder(128);
    // Two cells are made; the third file, a bad one, is held until the
    // build has been stopped. Its failed cell is still posted then, and
    // must not be delivered.
    PictureLoadGate gate(2);
    builder.SetPictureLoader(gate.Guarded(FakePicture));
    builder.SetThreadCount(1);
    Delivered delivered;
    Record(builder, delivered);
    QStringList paths;
    for (int i = 0; i < 50; ++i)
        paths << (i == 2 ? QString("/x/bad.png") : QString("/x/%1.png").arg(i));
    builder.Start(paths, Qt::white);
    ASSERT_TRUE(WaitFor([&] { return delivered.cells.size() >= 2; }));
    ASSERT_TRUE(WaitFor([&] { return gate.Arrived() == 3; }));
    builder.Stop();
    gate.Open();
    builder.WaitForWorkers();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(delivered.cells.size(), 2u);
    EXPECT_EQ(delivered.finished, 0);
    EXPECT_EQ(gate.Arrived(), 3);
}
