#include "show/PackageFile.h"
#include "show/PackageMarkers.h"
#include "show/PackageReader.h"
#include "tests/show/ShowTestSupport.h"
#include "tests/support/TestFiles.h"

#include "common/VistranoError.h"

#include <gtest/gtest.h>

TEST(PackageSections, AppendingToATemplateAddsMarkersAndValue)
{
    TestFolder folder;
    const QString file = folder.Write("show.exe", "0123456789");
    AppendSection("OWidth", file, "800");
    const QByteArray bytes = ReadFileBytes(file);
    EXPECT_EQ(bytes.size(), 10 + 10 + 3 + 10);
    EXPECT_EQ(bytes, QByteArray("0123456789SO!#OWIDTH800EO!#OWIDTH"));

    // An empty value writes the two markers back to back.
    AppendSection("cap1", file, "");
    EXPECT_TRUE(ReadFileBytes(file).endsWith("SO!#CAP1EO!#CAP1"));
}

TEST(PackageSections, MarkersUpperCaseOnlyAsciiLetters)
{
    EXPECT_EQ(SectionStartMarker("dur1"), QByteArray("SO!#DUR1"));
    EXPECT_EQ(SectionEndMarker("dur1"), QByteArray("EO!#DUR1"));
    EXPECT_EQ(UpperCaseAscii("a-z\xC3\xA9\xE9{}"), QByteArray("A-Z\xC3\xA9\xE9{}"));
    EXPECT_EQ(StartMarkerPrefix(), kStart);
    EXPECT_EQ(EndMarkerPrefix(), kEnd);
}

TEST(PackageSections, ReplacingMovesTheSectionToTheEnd)
{
    TestFolder folder;
    const QString file = folder.Write("show.exe", "TEMPLATE");
    AppendSection("OWidth", file, "640");
    AppendSection("ImageCount", file, "2");
    AppendSection("OHeight", file, "480");
    ReplaceSection("ImageCount", file, "3");
    EXPECT_EQ(ReadFileBytes(file), "TEMPLATE" + Section("OWIDTH", "640") + Section("OHEIGHT", "480")
                                       + Section("IMAGECOUNT", "3"));
    EXPECT_TRUE(ReadFileBytes(file).endsWith("SO!#IMAGECOUNT3EO!#IMAGECOUNT"));
}

TEST(PackageSections, RemovingWhatIsNotThereLeavesTheFile)
{
    TestFolder folder;
    const QByteArray original = "TEMPLATE" + Section("OWIDTH", "640");
    const QString file = folder.Write("show.exe", original);
    RemoveSection("OHeight", file);
    EXPECT_EQ(ReadFileBytes(file), original);

    // An end marker before the start marker is no section either.
    const QByteArray odd = "T" + kEnd + "KEY" + "x" + kStart + "KEY" + "value";
    const QString other = folder.Write("odd.exe", odd);
    RemoveSection("key", other);
    EXPECT_EQ(ReadFileBytes(other), odd);
    EXPECT_EQ(FindSection(odd, "key").state, SectionState::Damaged);
}

// "dur1" with "4.00" begins like "dur14", "BGAUDIO" like "BGAUDIOEXT": each
// key finds its own section, in either order, and Remove takes that one.
TEST(PackageSections, KeysThatArePrefixesOfOthersAreFoundExactly)
{
    const QByteArray sections[] = {Section("BGAUDIO", "RIFFdata"), Section("BGAUDIOEXT", ".wav"),
                                   Section("DUR1", "4.00"), Section("DUR14", "12.00")};
    for (const QByteArray &package : {"T" + sections[0] + sections[1] + sections[2] + sections[3],
                                      "T" + sections[3] + sections[2] + sections[1] + sections[0]}) {
        const PackageIndex index(package);
        for (auto [key, value] : {std::pair{"BGAUDIO", "RIFFdata"}, {"bgaudioext", ".wav"}, {"dur1", "4.00"},
                                  {"DUR14", "12.00"}}) {
            EXPECT_EQ(index.Find(key).state, SectionState::Found) << key;
            EXPECT_EQ(index.Find(key).value, QByteArray(value)) << key;
        }
        EXPECT_EQ(index.Find("dur2").state, SectionState::Missing);
        EXPECT_EQ(index.Find("dur").state, SectionState::Missing);

        TestFolder folder;
        const QString file = folder.Write("show.exe", package);
        RemoveSection("dur14", file);
        QByteArray expected = package;
        expected.replace(sections[3], "");
        EXPECT_EQ(ReadFileBytes(file), expected);
    }
}

TEST(PackageSections, AValueHoldingAMarkerIsRefused)
{
    TestFolder folder;
    const QByteArray original("TEMPLATE");
    const QString file = folder.Write("show.exe", original);
    EXPECT_THROW(AppendSection("cap1", file, "a " + kStart + "b"), VistranoError);
    EXPECT_THROW(AppendSection("cap1", file, kEnd), VistranoError);
    EXPECT_EQ(ReadFileBytes(file), original);
    // Lower case is not a marker.
    AppendSection("cap1", file, "so!# eo!#");
    EXPECT_EQ(FindSection(ReadFileBytes(file), "CAP1").value, QByteArray("so!# eo!#"));
}

TEST(PackageSections, LoadAndSaveWholeFiles)
{
    TestFolder folder;
    const QString file = folder.Path("bytes.bin");
    const QByteArray bytes("\x00\x01\xFFzz", 5);
    SaveBytesAsFile(bytes, file);
    EXPECT_EQ(LoadFileAsBytes(file), bytes);
    EXPECT_THROW(LoadFileAsBytes(folder.Path("missing.bin")), VistranoError);
    EXPECT_THROW(AppendSection("x", folder.Path("missing.bin"), "1"), VistranoError);
}
