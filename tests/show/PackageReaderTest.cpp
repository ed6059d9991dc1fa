#include "show/PackageReader.h"
#include "tests/show/ShowTestSupport.h"

#include <gtest/gtest.h>

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

    const SectionListing bare = ListSections("just a player");
    EXPECT_TRUE(bare.sections.empty());
    EXPECT_EQ(bare.templateSize, 13);
    EXPECT_TRUE(bare.problem.isEmpty());
}

TEST(PackageReader, ACutOffPackageListsWhatIsWhole)
{
    const QByteArray whole = "T" + Section("OWIDTH", "640") + Section("JPG1", "\xFF\xD8jpeg\xFF\xD9");
    const SectionListing listing = ListSections(whole.left(whole.size() - 6));
    ASSERT_EQ(listing.sections.size(), 1u);
    EXPECT_EQ(listing.sections[0].key, QByteArray("OWIDTH"));
    EXPECT_FALSE(listing.problem.isEmpty());
    EXPECT_EQ(FindSection(whole.left(whole.size() - 6), "jpg1").state, SectionState::Damaged);
}

// The index answers as the two plain searches do, on packages with stray
// markers, cut keys and junk.
TEST(PackageReader, IndexAgreesWithThePlainSearch)
{
    std::mt19937 random(11);
    const QByteArray pieces[] = {"SO!#", "EO!#", "DUR1", "DUR10", "BGAUDIO", "EXT", "1", "0", "x", "IMAGECOUNT",
                                 "so!#", "\xFF"};
    const QByteArray keys[] = {"dur1", "DUR10", "dur", "BGAUDIO", "bgaudioext", "ImageCount", "x", "1", "DUR100",
                               "a.b", ""};
    for (int round = 0; round < 2000; ++round) {
        QByteArray package;
        const int count = int(random() % 20);
        for (int i = 0; i < count; ++i)
            package += pieces[random() % std::size(pieces)];
        const PackageIndex index(package);
        for (const QByteArray &key : keys) {
            const SectionLookup plain = FindSection(package, key);
            const SectionLookup indexed = index.Find(key);
            ASSERT_EQ(int(plain.state), int(indexed.state)) << package.toStdString() << " " << key.toStdString();
            ASSERT_EQ(plain.value.data(), indexed.value.data());
            ASSERT_EQ(plain.value.size(), indexed.value.size());
        }
    }
}
