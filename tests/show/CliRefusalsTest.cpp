// The command line on what it must refuse: files that are no regular files,
// outputs that are its own inputs, names the system refuses, a disk that
// fills up. Every run is bounded, so a command that reads without end or
// hangs fails its test instead of stopping it.

#include "common/FileNames.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/support/ChildLimits.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

struct CliRun
{
    int status;
    QString err;
};

CliRun Cli(const QStringList &args, ChildLimits limits = {})
{
    if (limits.memory < 0)
        limits.memory = qint64(1) << 30;
    limits.seconds = 20;
    QByteArray err;
    const int status = RunLimitedProgram(limits, BuiltProgram(QStringLiteral("vistrano-cli")), args, nullptr, &err);
    return {status, QString::fromUtf8(err)};
}

// A folder with a picture, a project of it and the player template.
struct CliFolder
{
    TestFolder folder;
    QString picture = WriteTestPicture(folder.Root(), QStringLiteral("p.bmp"), 8, 6);
    QString project = folder.Path(QStringLiteral("p.vsw"));
    QString player = BuiltProgram(QStringLiteral("kv.dll"));

    CliFolder() { EXPECT_EQ(Cli({"new", project, picture}).status, 0); }
};

} // namespace

TEST(CliRefusals, FilesThatAreNotRegularAreNotRead)
{
    CliFolder f;
    const QString fifo = f.folder.Path("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zeroPicture = f.folder.Path("zero.png");
    ASSERT_TRUE(QFile::link("/dev/zero", zeroPicture));
    const QString withAudio = f.folder.Path("audio.vsw");
    ASSERT_EQ(Cli({"new", withAudio, f.picture, "--audio", "/dev/zero"}).status, 0);

    const struct
    {
        QStringList args;
        QString refused;
    } rows[] = {
        {{"info", "/dev/zero"}, "/dev/zero"},
        {{"sections", "/dev/zero"}, "/dev/zero"},
        {{"info", fifo}, fifo},
        {{"sections", fifo}, fifo},
        {{"decode", zeroPicture, f.folder.Path("out.ppm")}, zeroPicture},
        {{"build", withAudio, f.folder.Path("out.exe"), "--template", f.player}, "/dev/zero"},
    };
    for (const auto &row : rows) {
        const CliRun run = Cli(row.args);
        EXPECT_EQ(run.status, 1) << row.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.endsWith(QStringLiteral("Cannot open file %1\n").arg(row.refused)))
            << row.args.join(' ').toStdString() << ": " << run.err.toStdString();
    }
}

TEST(CliRefusals, NamesThatAreNotUtf8KeepTheirBytes)
{
    CliFolder f;
    // A Latin-1 name: "bad-", the byte E9, ".bmp". The shell hands it to the
    // command as those bytes: in the scripts, $1 is the name without the
    // byte and $0 the command.
    const QByteArray name = QFile::encodeName(f.folder.Root()) + "/bad-\xE9.bmp";
    ASSERT_EQ(::link(QFile::encodeName(f.picture).constData(), name.constData()), 0);
    const auto shell = [&](const QString &script, const QString &other) {
        ChildLimits limits;
        limits.seconds = 20;
        QByteArray err;
        const int status = RunLimitedProgram(limits, QStringLiteral("/bin/sh"),
                                             {"-c", script, BuiltProgram(QStringLiteral("vistrano-cli")),
                                              f.folder.Path("bad-"), other},
                                             nullptr, &err);
        return CliRun{status, QString::fromUtf8(err)};
    };
    const CliRun decoded = shell(R"(exec "$0" decode "$1$(printf '\351').bmp" "$2")", f.folder.Path("out.ppm"));
    EXPECT_EQ(decoded.status, 0) << decoded.err.toStdString();
    EXPECT_EQ(ReadFileBytes(f.folder.Path("out.ppm")).size(), 6 + 8 * 6 * 3 + 5);

}
