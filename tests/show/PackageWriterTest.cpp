#include "show/PackageWriter.h"
#include "show/ShowPackage.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/support/TestFiles.h"

#include "common/VistranoError.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray RandomValue(std::mt19937 &random, int size)
{
    QByteArray value(size, Qt::Uninitialized);
    for (char &c : value)
        c = char(random() & 0xFF);
    // Random bytes that happen to spell a marker are re-drawn, as the build
    // re-encodes such a JPEG.
    value.replace("SO!#", "so!#").replace("EO!#", "eo!#");
    return value;
}

} // namespace

TEST(PackageWriter, GivesTheBytesOfTheWholeFileOperations)
{
    TestFolder folder;
    const QByteArray templateBytes("PLAYER-TEMPLATE\x7F" "ELF");
    const QString file = folder.Write("show.exe", templateBytes);
    PackageModel expected{templateBytes, {}};
    std::mt19937 random(7);

    PackageWriter writer(file);
    writer.Append({{"OWidth", "1024"}, {"OHeight", "768"}});
    expected.Append("OWidth", "1024");
    expected.Append("OHeight", "768");
    const QByteArray audio = RandomValue(random, 3000);
    writer.Append({{"BGAUDIO", audio}, {"BGAUDIOEXT", ".mp3"}, {"ImageCount", "0"}});
    expected.Append("BGAUDIO", audio);
    expected.Append("BGAUDIOEXT", ".mp3");
    expected.Append("ImageCount", "0");
    EXPECT_EQ(ReadFileBytes(file), expected.Bytes());

    for (int n = 1; n <= 12; ++n) {
        const QByteArray number = QByteArray::number(n);
        const QByteArray jpeg = RandomValue(random, int(random() % 5000));
        writer.AppendAndReplaceLast({{"dur" + number, "4.00"}, {"tran" + number, " 1"}, {"cap" + number, ""},
                                     {"jpg" + number, jpeg}},
                                    {"ImageCount", number});
        for (auto [key, value] : {std::pair<QByteArray, QByteArray>{"dur", "4.00"}, {"tran", " 1"}, {"cap", ""},
                                  {"jpg", jpeg}})
            expected.Append(key + number, value);
        expected.Replace("ImageCount", number);
        ASSERT_EQ(ReadFileBytes(file), expected.Bytes()) << "after slide " << n;
        EXPECT_EQ(writer.Size(), expected.Bytes().size());
    }

    // A shorter replacement than the section it replaces, and none appended.
    writer.AppendAndReplaceLast({}, {"imagecount", "7"});
    expected.Replace("ImageCount", "7");
    EXPECT_EQ(ReadFileBytes(file), expected.Bytes());
}

TEST(PackageWriter, OnlyTheLastSectionCanBeReplaced)
{
    TestFolder folder;
    const QString file = folder.Write("show.exe", "T");
    PackageWriter writer(file);
    EXPECT_THROW(writer.AppendAndReplaceLast({}, {"ImageCount", "1"}), std::logic_error);
    writer.Append({{"ImageCount", "0"}, {"OWidth", "1"}});
    EXPECT_THROW(writer.AppendAndReplaceLast({}, {"ImageCount", "1"}), std::logic_error);
    EXPECT_THROW(writer.Append({{"cap1", "x" + kStart}}), VistranoError);
    // Keys a reader could not tell the end of.
    for (const char *key : {"", "two words", "caf\xC3\xA9", "KEY-LONGER-THAN-THIRTY-TWO-BYTES-X", "ASO!#B"})
        EXPECT_THROW(writer.Append({{key, "1"}}), VistranoError) << key;
    EXPECT_EQ(ReadFileBytes(file), "T" + Section("IMAGECOUNT", "0") + Section("OWIDTH", "1"));
}

// A write that fails (here: the file size limit, standing in for a full
// disk) at slide k leaves the package of the k - 1 slides before it.
TEST(PackageWriter, AFailedSlideLeavesTheSlidesBeforeIt)
{
    TestFolder folder;
    const QString file = folder.Write("show.exe", "TEMPLATE");
    {
        PackageWriter writer(file);
        writer.Append({{"OWidth", "64"}, {"OHeight", "48"}, {"ImageCount", "0"}});
        const QByteArray jpeg(1000, 'j');
        auto slide = [&](int n) {
            const QByteArray number = QByteArray::number(n);
            writer.AppendAndReplaceLast(
                {{"dur" + number, "4.00"}, {"tran" + number, " 0"}, {"cap" + number, "c"}, {"jpg" + number, jpeg}},
                {"ImageCount", number});
        };
        slide(1);
        slide(2);
        const qint64 sizeBefore = writer.Size();

        {
            const FileSizeLimit full(sizeBefore + 500); // the slide needs about 1100 bytes more
            EXPECT_THROW(slide(3), VistranoError);
        }

        EXPECT_EQ(writer.Size(), sizeBefore);
        EXPECT_EQ(QFile(file).size(), sizeBefore);
    }
    const QByteArray bytes = ReadFileBytes(file);
    const ShowPackage show = ReadShowPackage(bytes);
    EXPECT_TRUE(show.problems.isEmpty()) << show.problems.join(' ').toStdString();
    ASSERT_EQ(show.slides.size(), 2u);
    EXPECT_TRUE(bytes.endsWith(Section("IMAGECOUNT", "2")));
}
