#include "show/StartupHook.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct Started
{
    QString program;
    QStringList arguments;
    int count = 0;
};

StartProgramFunction Recorder(Started &started)
{
    return [&started](const QString &program, const QStringList &arguments) {
        started = {program, arguments, started.count + 1};
        return true;
    };
}

} // namespace

TEST(StartupHook, AnOrdinaryStartDoesNothing)
{
    TestFolder folder;
    const QString program = folder.Write("vistrano", "program");
    const QString other = folder.Write("temp0a0.exe", "copy");
    Started started;
    EXPECT_FALSE(RunStartupHook(program, {}, Recorder(started)));
    EXPECT_FALSE(RunStartupHook(program, {"DELTEMP"}, Recorder(started))); // letter case matters
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_EQ(started.count, 0);
}

TEST(StartupHook, DeltempDeletesTheCopyBesideTheProgram)
{
    TestFolder folder;
    const QString program = folder.Write("vistrano", "program");
    const QString copy = folder.Write("temp0a0.exe", "copy");
    QFile::setPermissions(copy, QFile::ReadOwner);
    Started started;
    const QString before = QDir::currentPath();
    EXPECT_FALSE(RunStartupHook(program, {"deltemp"}, Recorder(started)));
    EXPECT_FALSE(QFile::exists(copy));
    EXPECT_EQ(QDir::currentPath(), before);
    // Nothing to delete counts as deleted at the first try: with no time
    // left for a second one, it still succeeds.
    EXPECT_TRUE(DeleteFileWithRetries(copy, 0));
}

TEST(StartupHook, TheCopyPutsItselfInPlaceOfTheProgramAndStartsIt)
{
    TestFolder folder;
    const QString target = folder.Write("vistrano", "old program");
    const QString copy = folder.Write("TEMP0A0.EXE", "new program bytes");
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Started started;
    // The argument is taken in the program's folder.
    EXPECT_TRUE(RunStartupHook(copy, {"vistrano"}, Recorder(started)));
    EXPECT_EQ(ReadFileBytes(target), QByteArray("new program bytes"));
    EXPECT_TRUE(QFile::permissions(target) & QFile::ExeOwner);
    EXPECT_EQ(started.count, 1);
    EXPECT_EQ(started.program, QDir(folder.Root()).absoluteFilePath("vistrano"));
    EXPECT_EQ(started.arguments, QStringList({"deltemp"}));

    // Without an argument the copy just ends.
    Started none;
    EXPECT_TRUE(RunStartupHook(copy, {}, Recorder(none)));
    EXPECT_EQ(none.count, 0);
}

TEST(StartupHook, RetriesComeToAnEnd)
{
    TestFolder folder;
    // A folder with something in it cannot be deleted as a file, whoever
    // asks; and it is made writable on the way, as a read-only file would be.
    const QString stuck = folder.Path("temp0a0.exe");
    ASSERT_TRUE(QDir().mkpath(stuck + "/inside"));
    QFile::setPermissions(stuck, QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(DeleteFileWithRetries(stuck, 300));
    EXPECT_TRUE(QFileInfo(stuck).isDir());
    EXPECT_TRUE(QFile::permissions(stuck) & QFile::WriteOwner);

    // It tries again, letting events run, until the name is free: here a
    // timer moves the folder away on the third turn of the event loop.
    int turns = 0;
    QTimer mover;
    QObject::connect(&mover, &QTimer::timeout, [&] {
        if (++turns == 3)
            QDir().rename(stuck, folder.Path("moved"));
    });
    mover.start(0);
    EXPECT_TRUE(DeleteFileWithRetries(stuck, 60000));
    EXPECT_GE(turns, 3);
    EXPECT_FALSE(QFileInfo::exists(stuck));

    // The copy does not replace a program it cannot delete, nor start it.
    Started started;
    const QString copy = folder.Write("sub/temp0a0.exe", "copy");
    ASSERT_TRUE(QDir().mkpath(folder.Path("sub/locked/inside")));
    EXPECT_TRUE(RunStartupHook(copy, {"locked"}, Recorder(started), 200));
    EXPECT_EQ(started.count, 0);
    EXPECT_TRUE(QFileInfo(folder.Path("sub/locked")).isDir());
}
