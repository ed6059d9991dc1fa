#include "show/PackageReader.h"
#include "tests/show/ShowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

TEST(PackageReader, ListsSectionsInFileOrder)
{
    const QByteArray package = "TEMPLATE" + Section("OWIDTH", "640") + Section("CAP1", "") + Section("DUR1", "4.00")
                               + Section("DUR10", "12.00") + Section("IMAGECOUNT", "10");
    const SectionListing listing = ListSections(package);
    EXPECT_TRUE(listing.problem.isEmpty());
    EXPECT_EQ(listing.templateSize, 8);
    ASSERT_EQ(listing.sections.size(), 5u);
    const char *keys[] = {"OWIDTH", "CAP1", "DUR1", "DUR10", "IMAGECOUNT"};
    const qsizetype lengths[] = {3, 0, 4, 5, 2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(listing.sections[size_t(i)].key, QByteArray(keys[i]));
        EXPECT_EQ(listing.sections[size_t(i)].valueLength, lengths[i]);
    }
    EXPECT_EQ(package.mid(listing.sections[3].valueOffset, 5), QByteArray("12.00"));
    EXPECT_EQ(listing.sections[3].start, listing.sections[2].end);
    EXPECT_EQ(listing.sections[4].end, package.size());

    const SectionListing bare = ListSections("just a player");
    EXPECT_TRUE(bare.sections.empty());
    EXPECT_EQ(bare.templateSize, 13);
    EXPECT_TRUE(bare.problem.isEmpty());
    EXPECT_FALSE(PackageIndex("just a player").HasSections());
    // Markers are upper case: lower-case letters make no key.
    EXPECT_FALSE(PackageIndex("T" + kStart + "dur1" + "4.00" + kEnd + "dur1").HasSections());
}

TEST(PackageReader, DamageIsReportedAndReadingGoesOnBehindIt)
{
    // Cut off in the middle of a picture.
    const QByteArray whole = "T" + Section("OWIDTH", "640") + Section("JPG1", "\xFF\xD8jpeg\xFF\xD9");
    const QByteArray cut = whole.left(whole.size() - 6);
    const PackageIndex index(cut);
    ASSERT_EQ(index.Listing().sections.size(), 1u);
    EXPECT_EQ(index.Listing().sections[0].key, QByteArray("OWIDTH"));
    EXPECT_FALSE(index.Listing().problem.isEmpty());
    EXPECT_EQ(index.Find("jpg1").state, SectionState::Damaged);
    EXPECT_EQ(index.Find("jpg2").state, SectionState::Missing);
    EXPECT_EQ(index.SectionCount(), 2);

    // Junk between sections: the sections behind it still read.
    const QByteArray junk = "T" + Section("OWIDTH", "640") + kStart + "DUR1 broken" + Section("OHEIGHT", "480")
                            + Section("IMAGECOUNT", "0");
    const PackageIndex after(junk);
    EXPECT_FALSE(after.Listing().problem.isEmpty());
    EXPECT_EQ(after.Find("OHeight").value, QByteArray("480"));
    EXPECT_EQ(after.Find("ImageCount").value, QByteArray("0"));
    EXPECT_EQ(after.Find("dur1").state, SectionState::Damaged);
}

// By hand, as another program might write it: stray marker bytes in the
// template, a duration that runs on like a longer key ("DUR1" "4.00" reads
// "DUR14.00"), a caption beginning with a digit, and values holding the start
// marker text of other keys and end marker text that leads nowhere (here one
// of its own key, followed by start marker text that opens no section).
TEST(PackageReader, ValuesThatLookLikeOtherSectionsReadRight)
{
    PackageModel model{"PLAYER" + kStart + "\x01" + kEnd + "?", {}};
    model.Append("OWidth", "640");
    model.Append("dur1", "4.00");
    model.Append("cap1", "2 figs; see " + kStart + "JPG1 and " + kStart + "DUR14 there " + kEnd + "CAP");
    model.Append("jpg1", "\xFF\xD8" + kStart + "CAP12" + kEnd + "JPG1" + kStart + "\x01\xFF\xD9");
    model.Append("dur14", "9.00");
    model.Append("cap12", "");
    model.Append("ImageCount", "14");
    ExpectReadsAs(model.Bytes(), model);

    // The same sections in another order: nothing depends on which comes first.
    std::reverse(model.sections.begin(), model.sections.end());
    ExpectReadsAs(model.Bytes(), model);
}

// Random packages of keys that begin like one another, in any order and
// repeated, with values built from digits, keys, marker-like text and marker
// text that leads nowhere, read back exactly.
TEST(PackageReader, RandomPackagesReadBackExactly)
{
    std::mt19937 random(12);
    const QByteArray keys[] = {"OWIDTH", "BGAUDIO", "BGAUDIOEXT", "DUR", "DUR1", "DUR14", "DUR140", "TRAN1",
                               "TRAN10", "CAP1", "CAP12", "JPG1", "X", "IMAGECOUNT"};
    const QByteArray pieces[] = {"4.00", " 0", "2 figs", "4", "0", "DUR2", "SO!", "EO!", "O!#", "so!#",
                                 "caf\xC3\xA9", "\xFF\xD8", QByteArray(1, '\0'), kStart + "DUR2", kStart + "JPG1 ",
                                 kEnd + "CAP1 x", kEnd + "X"};
    const QByteArray templates[] = {"PLAYER", kStart + "\x01", kEnd + "\x02", "SO!", "\x7F" "ELF"};
    for (int round = 0; round < 1000; ++round) {
        PackageModel model;
        for (int i = int(random() % 3); i >= 0; --i)
            model.templateBytes += templates[random() % std::size(templates)];
        for (int i = int(random() % 12); i >= 0; --i) {
            QByteArray value;
            for (int j = int(random() % 4); j > 0; --j)
                value += pieces[random() % std::size(pieces)];
            // End marker text followed by start marker text would make two
            // readings possible; no format rule can choose between them.
            const qsizetype end = value.indexOf(kEnd);
            if (end >= 0 && value.indexOf(kStart, end) >= 0)
                continue;
            model.Append(keys[random() % std::size(keys)], value);
        }
        if (model.sections.empty())
            model.Append("X", "1");
        const QByteArray package = model.Bytes();
        SCOPED_TRACE(package.toStdString());
        ExpectReadsAs(package, model);
        EXPECT_EQ(PackageIndex(package).Find("NOSUCHKEY").state, SectionState::Missing);
        if (HasFailure())
            return;
    }
}
