#include "show/ShowPackage.h"
#include "tests/show/ShowTestSupport.h"

#include <gtest/gtest.h>

namespace {

QByteArray SlideSections(int n, const QByteArray &duration, const QByteArray &transition, const QByteArray &caption,
                         const QByteArray &jpeg)
{
    const QByteArray number = QByteArray::number(n);
    return Section("DUR" + number, duration) + Section("TRAN" + number, transition)
           + Section("CAP" + number, caption) + Section("JPG" + number, jpeg);
}

} // namespace

TEST(ShowPackage, ReadsAWholeShow)
{
    const QByteArray package = "PLAYER" + Section("OWIDTH", "800") + Section("OHEIGHT", "600")
                               + Section("BGAUDIO", "RIFF") + Section("BGAUDIOEXT", ".wav")
                               + SlideSections(1, "4.00", " 0", "", "jpeg1")
                               + SlideSections(2, "12.50", " 5", "caf\xE9", "jpeg2") + Section("IMAGECOUNT", "2");
    const ShowPackage show = ReadShowPackage(package);
    EXPECT_TRUE(show.hasSections);
    EXPECT_TRUE(show.problems.isEmpty()) << show.problems.join('|').toStdString();
    EXPECT_EQ(show.screenSize, QSize(800, 600));
    EXPECT_EQ(show.audio, QByteArray("RIFF"));
    EXPECT_EQ(show.audioExtension, ".wav");
    ASSERT_EQ(show.slides.size(), 2u);
    EXPECT_EQ(show.slides[0].duration, 4.0);
    EXPECT_EQ(show.slides[0].transition, 0);
    EXPECT_EQ(show.slides[0].caption, QString());
    EXPECT_EQ(show.slides[0].jpeg, QByteArray("jpeg1"));
    EXPECT_EQ(show.slides[1].duration, 12.5);
    EXPECT_EQ(show.slides[1].transition, 5);
    EXPECT_EQ(show.slides[1].caption, QString::fromUtf8("café")); // a Windows-made caption
    EXPECT_TRUE(show.slides[1].problems.isEmpty());
}

TEST(ShowPackage, TheBareTemplateHasNoSections)
{
    const ShowPackage show = ReadShowPackage(QByteArrayView("\x7F" "ELF player with so!# in lower case"));
    EXPECT_FALSE(show.hasSections);
    EXPECT_TRUE(show.slides.empty());
    EXPECT_TRUE(show.problems.isEmpty());
}

TEST(ShowPackage, DamageIsDescribedAndReplacedByDefaults)
{
    // No screen size, a decimal comma, a transition out of range, a missing
    // caption and picture, and no slide count.
    const QByteArray package = "P" + SlideSections(1, "4,50", " 9", "a", "jpeg1") + Section("DUR2", "x")
                               + Section("TRAN2", " 1") + Section("JPG2", "jpeg2") + "SO!#JPG3 cut off";
    const ShowPackage show = ReadShowPackage(package);
    EXPECT_FALSE(show.screenSize.isValid());
    ASSERT_EQ(show.slides.size(), 2u);
    EXPECT_EQ(show.problems.size(), 2);
    EXPECT_EQ(show.slides[0].duration, 4.5);
    EXPECT_EQ(show.slides[0].transition, 0);
    EXPECT_EQ(show.slides[0].problems.size(), 1);
    EXPECT_EQ(show.slides[1].duration, 5.0);
    EXPECT_EQ(show.slides[1].transition, 1);
    EXPECT_EQ(show.slides[1].problems.size(), 2); // duration and caption

    // A count larger than the sections could hold is not believed.
    const QByteArray hugeBytes = "P" + SlideSections(1, "4.00", " 0", "", "j") + Section("IMAGECOUNT", "999999999");
    const ShowPackage huge = ReadShowPackage(hugeBytes);
    EXPECT_EQ(huge.slides.size(), 1u);
    EXPECT_FALSE(huge.problems.isEmpty());

    // A slide the count names but whose sections are partly missing plays
    // with what it has.
    const QByteArray moreBytes = "P" + Section("OWIDTH", "64") + Section("OHEIGHT", "48")
                                 + SlideSections(1, "4.00", " 0", "", "j") + Section("JPG2", "k")
                                 + Section("IMAGECOUNT", "2");
    const ShowPackage more = ReadShowPackage(moreBytes);
    ASSERT_EQ(more.slides.size(), 2u);
    EXPECT_TRUE(more.slides[0].problems.isEmpty());
    EXPECT_EQ(more.slides[1].problems.size(), 3);
    EXPECT_EQ(more.slides[1].jpeg, QByteArray("k"));

    for (const char *bad : {"-1.00", "nan", "1e9", "", " "}) {
        const QByteArray bytes = "P" + SlideSections(1, bad, " 0", "", "j") + Section("IMAGECOUNT", "1");
        const ShowPackage show = ReadShowPackage(bytes);
        ASSERT_EQ(show.slides.size(), 1u);
        EXPECT_EQ(show.slides[0].duration, 5.0) << bad;
        EXPECT_EQ(show.slides[0].problems.size(), 1) << bad;
    }
}
