#include "common/FileNames.h"
#include "common/FileReplacement.h"
#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "tests/support/ChildLimits.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(FileNames, KeepTheFileSystemsBytes)
{
    // Latin-1, a stray continuation byte, an overlong form, an encoded
    // surrogate, a value above U+10FFFF and a sequence cut short.
    for (const QByteArray &bytes : {QByteArray("bad-\xE9\xFF.png"), QByteArray("\x80x"), QByteArray("\xC0\xAF"),
                                   QByteArray("\xED\xA0\x80"), QByteArray("\xF4\x90\x80\x80"), QByteArray("a\xE2\x82")}) {
        const QString name = DecodeFileName(bytes);
        EXPECT_EQ(EncodeFileName(name), bytes) << bytes.toHex().constData();
        EXPECT_FALSE(FileNameIsText(name)) << bytes.toHex().constData();
    }
    // Text stays text, characters outside the basic plane too.
    const QByteArray text("caf\xC3\xA9 \xF0\x9F\x8E\x9E.jpg");
    EXPECT_EQ(DecodeFileName(text), QString::fromUtf8(text));
    EXPECT_EQ(EncodeFileName(QString::fromUtf8(text)), text);
    EXPECT_TRUE(FileNameIsText(QString::fromUtf8(text)));
    EXPECT_EQ(EncodeFileName(DecodeFileName(QByteArray("\xC3\xA9\xE9"))), QByteArray("\xC3\xA9\xE9"));
}

TEST(WholeFile, ReadsOnlyRegularFilesAndNeverMoreThanTheirSize)
{
    TestFolder folder;
    const QString fifo = folder.Path("fifo");
    ASSERT_EQ(mkfifo(EncodeFileName(fifo).constData(), 0600), 0);
    // A Latin-1 name opens through the name the program holds for it.
    const QByteArray latin1 = EncodeFileName(folder.Root()) + "/bad-\xE9.dat";
    FILE *out = fopen(latin1.constData(), "w");
    ASSERT_NE(out, nullptr);
    fputs("kept", out);
    fclose(out);
    EXPECT_EQ(ReadWholeFile(DecodeFileName(latin1)), QByteArray("kept"));

    ChildLimits limits;
    limits.memory = 64 << 20;
    limits.seconds = 10;
    for (const QString &special : {QStringLiteral("/dev/zero"), fifo, folder.Root(), folder.Path("missing")}) {
        const int outcome = RunInChild(limits, [&] {
            return ErrorOf([&] { ReadWholeFile(special); }) == QStringLiteral("Cannot open file %1").arg(special) ? 0 : 1;
        });
        EXPECT_EQ(outcome, 0) << special.toStdString();
    }
}

TEST(FileReplacement, AFailedWriteLeavesTheOldFile)
{
    TestFolder folder;
    const QString path = folder.Write("kept.dat", "old contents");
    // A disk that fills up: writes beyond 64 KiB fail.
    ChildLimits limits;
    limits.fileSize = 64 << 10;
    const int outcome = RunInChild(limits, [&] {
        const QString message = ErrorOf([&] {
            FileReplacement file(path);
            file.Write(QByteArray(1 << 20, 'x'));
            file.Commit();
        });
        return message == QStringLiteral("Cannot write file %1: File too large").arg(path) ? 0 : 1;
    });
    EXPECT_EQ(outcome, 0);
    EXPECT_EQ(ReadFileBytes(path), QByteArray("old contents"));
    EXPECT_EQ(QDir(folder.Root()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.dat"});

    // A read-only file is kept whoever asks; a name longer than the folder
    // takes gives the system's reason; a folder is no file.
    QFile::setPermissions(path, QFile::ReadOwner);
    EXPECT_EQ(ErrorOf([&] { FileReplacement file(path); }),
              QStringLiteral("Cannot create file %1: Permission denied").arg(path));
    const QString longName = folder.Path(QString(300, QLatin1Char('n')));
    EXPECT_EQ(ErrorOf([&] { FileReplacement file(longName); }),
              QStringLiteral("Cannot create file %1: File name too long").arg(longName));
    EXPECT_EQ(ErrorOf([&] { FileReplacement file(folder.Root()); }),
              QStringLiteral("Cannot create file %1: Is a directory").arg(folder.Root()));

    // A replaced file keeps its permissions.
    const QString script = folder.Write("run.sh", "old");
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    FileReplacement file(script);
    file.Write("new");
    file.Commit();
    EXPECT_EQ(ReadFileBytes(script), QByteArray("new"));
    EXPECT_TRUE(QFile::permissions(script) & QFile::ExeOwner);
}
