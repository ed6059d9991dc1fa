// The command line on what it must refuse: files that are no regular files,
// outputs that are its own inputs, names the system refuses, a disk that
// fills up. Every run is bounded, so a command that reads without end or
// hangs fails its test instead of stopping it.

#include "common/FileNames.h"
#include "tests/cli/CliTestFiles.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder with a picture, a project of it and the player template.
struct CliFolder
{
    TestFolder folder;
    QString picture = WriteTestPicture(folder.Root(), QStringLiteral("p.bmp"), 8, 6);
    QString project = folder.Path(QStringLiteral("p.vsw"));
    QString player = BuiltProgram(QStringLiteral("kv.dll"));

    CliFolder() { EXPECT_EQ(RunCli({"new", project, picture}).status, 0); }
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
    ASSERT_EQ(RunCli({"new", withAudio, f.picture, "--audio", "/dev/zero"}).status, 0);

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
        const CliRun run = RunCli(row.args);
        EXPECT_EQ(run.status, 1) << row.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.endsWith(QStringLiteral("Cannot open file %1\n").arg(row.refused)))
            << row.args.join(' ').toStdString() << ": " << run.err.toStdString();
    }
}

TEST(CliRefusals, NoCommandWritesOverItsOwnInputs)
{
    CliFolder f;
    const QString link = f.folder.Path("link.bmp");
    ASSERT_EQ(::link(QFile::encodeName(f.picture).constData(), QFile::encodeName(link).constData()), 0);
    const QByteArray picture = ReadFileBytes(f.picture);
    const QByteArray project = ReadFileBytes(f.project);

    const QStringList rows[] = {
        {"build", f.project, f.project, "--template", f.player},
        {"build", f.project, link, "--template", f.player}, // a slide's picture under another name
        {"print", f.project, f.project},
        {"print", f.project, f.picture},
        {"new", f.picture, f.picture},
        {"new", f.project, f.picture, "--audio", f.project},
        {"decode", f.picture, link},
        {"rotate", f.picture, f.picture, "90"},
        {"stretch", link, f.picture, "4", "3"},
    };
    for (const QStringList &args : rows) {
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(QLatin1String("is the input file"))) << run.err.toStdString();
        EXPECT_TRUE(ReadFileBytes(f.picture) == picture) << args.join(' ').toStdString();
        EXPECT_TRUE(ReadFileBytes(f.project) == project) << args.join(' ').toStdString();
    }
}

TEST(CliRefusals, AFullDiskOrAReadOnlyFileLeavesTheOldFile)
{
    CliFolder f;
    const QString sheet = f.folder.Write("sheet.pdf", "%PDF-1.4 the good old sheet");
    const QString show = f.folder.Write("show.exe", "the good old show");
    ChildLimits fullDisk = CliLimits();
    fullDisk.fileSize = 2048;
    CliRun run = RunCli({"print", f.project, sheet}, fullDisk);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("Cannot write file %1: File too large\n").arg(sheet))) << run.err.toStdString();
    run = RunCli({"build", f.project, show, "--template", f.player}, fullDisk);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QLatin1String("File too large"))) << run.err.toStdString();

    QFile::setPermissions(sheet, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    run = RunCli({"print", f.project, sheet});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("Cannot create file %1: Permission denied\n").arg(sheet))) << run.err.toStdString();

    EXPECT_EQ(ReadFileBytes(sheet), QByteArray("%PDF-1.4 the good old sheet"));
    EXPECT_EQ(ReadFileBytes(show), QByteArray("the good old show"));
    EXPECT_EQ(QDir(f.folder.Root()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"p.bmp", "p.vsw", "sheet.pdf", "show.exe"}));

    // A name longer than the folder takes: the system's reason.
    const QString longName = f.folder.Path(QString(300, QLatin1Char('n')) + ".vsw");
    run = RunCli({"new", longName, f.picture});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.endsWith(QStringLiteral("Cannot create file %1: File name too long\n").arg(longName)))
        << run.err.toStdString();
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
        return CliRun{status, {}, QString::fromUtf8(err)};
    };
    const CliRun decoded = shell(R"(exec "$0" decode "$1$(printf '\351').bmp" "$2")", f.folder.Path("out.ppm"));
    EXPECT_EQ(decoded.status, 0) << decoded.err.toStdString();
    EXPECT_EQ(ReadFileBytes(f.folder.Path("out.ppm")).size(), QByteArray("P6\n8 6\n255\n").size() + 8 * 6 * 3);

    // A project stores names as text: such a name is refused with a reason.
    const CliRun refused = shell(R"(exec "$0" new "$2" "$1$(printf '\351').bmp")", f.folder.Path("bad.vsw"));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains(QLatin1String("not valid text"))) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(f.folder.Path("bad.vsw")));
}
