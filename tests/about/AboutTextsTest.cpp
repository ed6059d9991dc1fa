#include "about/AboutTexts.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

TEST(AboutTexts, VersionLineFromTheFileVersion)
{
    const TAboutTexts four = AboutTexts({"1.0.1.1", "Copyright 2024 Halvenor Software"});
    EXPECT_EQ(four.VersionLine, "Version 1.0.1");
    EXPECT_EQ(four.FullVersion, "1.0.1.1");
    EXPECT_EQ(four.CopyrightLine, "Copyright 2024 Halvenor Software");

    // Fewer than three dots: the whole string.
    EXPECT_EQ(AboutTexts({"10.20.30", {}}).VersionLine, "Version 10.20.30");
    EXPECT_EQ(AboutTexts({"1.2.3.4.5", {}}).VersionLine, "Version 1.2.3");
    EXPECT_EQ(AboutTexts({"1.2.3.4.5", {}}).FullVersion, "1.2.3.4.5");
    // Seven characters are enough, six are not.
    EXPECT_EQ(AboutTexts({"1.2.345", {}}).VersionLine, "Version 1.2.345");
    EXPECT_EQ(AboutTexts({"1.2.34", {}}).VersionLine, AboutProductName());
    // Too short: the product name, for Ctrl+Q too.
    const TAboutTexts tooShort = AboutTexts({"2.5", {}});
    EXPECT_EQ(tooShort.VersionLine, "Vistrano");
    EXPECT_EQ(tooShort.FullVersion, "Vistrano");
    EXPECT_EQ(AboutTexts({"", {}}).VersionLine, "Vistrano");

    EXPECT_EQ(ShortFileVersion("1.0.1.1"), "1.0.1");
    EXPECT_EQ(ShortFileVersion("1..2.3"), "1..2");
    EXPECT_EQ(ShortFileVersion("abc"), "abc");
}

TEST(AboutTexts, CopyrightFallback)
{
    EXPECT_EQ(AboutTexts({"1.0.0.1", "(C) 2024"}).CopyrightLine, FallbackCopyright());
    EXPECT_EQ(AboutTexts({"1.0.0.1", "(C) 20245"}).CopyrightLine, "(C) 20245");
    EXPECT_EQ(AboutTexts({"1.0.0.1", ""}).CopyrightLine, FallbackCopyright());
    EXPECT_TRUE(FallbackCopyright().contains("Halvenor Software"));
}

TEST(AboutTexts, ControlQShowsTheWholeVersionUntilAKeyIsReleased)
{
    const TAboutTexts texts = AboutTexts({"1.0.1.1", {}});
    EXPECT_EQ(VersionLineAfterKey(texts, true, Qt::Key_Q, true), "1.0.1.1");
    EXPECT_EQ(VersionLineAfterKey(texts, false, Qt::Key_Q, true), "Version 1.0.1");
    EXPECT_EQ(VersionLineAfterKey(texts, false, Qt::Key_Control, false), "Version 1.0.1");
    EXPECT_EQ(VersionLineAfterKey(texts, true, Qt::Key_Q, false), "Version 1.0.1");
    EXPECT_EQ(VersionLineAfterKey(texts, true, Qt::Key_W, true), "Version 1.0.1");
    EXPECT_EQ(VersionLineAfterKey(texts, true, Qt::Key_Control, true), "Version 1.0.1");
}

TEST(AboutTexts, TheBuildSetsTheVersion)
{
    // The one version of the project, as CMake knows it.
    const TVersionResource resource = ProgramVersionResource();
    EXPECT_EQ(resource.FileVersion, VISTRANO_PROJECT_VERSION);
    EXPECT_TRUE(resource.LegalCopyright.contains("Halvenor Software"));
    EXPECT_EQ(AboutTexts(resource).CopyrightLine, resource.LegalCopyright);
}
