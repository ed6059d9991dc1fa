// A small project file must not claim memory out of proportion to its size,
// and a caller that only lists slides holds one at a time. Run in a child
// process under an address-space limit.

#include "common/VistranoError.h"
#include "project/ProjectFile.h"
#include "tests/project/ProjectTestSupport.h"
#include "tests/support/ByteFields.h"
#include "tests/support/ChildLimits.h"
#include "tests/support/TestFiles.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// A run-length 8-bit bitmap of the size whose data is one end-of-bitmap
// code: a few bytes for a picture of any size.
QByteArray RunLengthBitmap(uint32_t width, uint32_t height)
{
    const uint32_t offset = 54 + 8;
    return "BM" + Le(offset + 2, 4) + Le(0, 4) + Le(offset, 4) + Le(40, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2)
           + Le(8, 2) + Le(1, 4) + Le(2, 4) + Le(0, 8) + Le(2, 4) + Le(0, 4) + Le(0, 4) + Le(0xFFFFFF, 4)
           + QByteArray("\0\1", 2);
}

QString SaveOneSlideWithPicture(const TestFolder &folder, const QByteArray &bitmapFile)
{
    RectBoxProperties slide;
    MakeDroppedSlide(slide);
    TPictureData picture;
    picture.AssignFromFile(PatternBitmap(1, 1), bitmapFile);
    slide.SetPictureData(picture);
    const RectBoxProperties *slides[] = {&slide};
    const QString path = folder.Path(QStringLiteral("p.vsw"));
    SaveProject(path, slides, QString());
    return path;
}

} // namespace

TEST(ProjectMemory, AThumbnailLargerThanASlidePictureIsRefusedBeforeItIsDecoded)
{
    TestFolder folder;
    const QString invalid = QStringLiteral("Error reading TRectBox.Picture.Data: Invalid property value");
    EXPECT_TRUE(OpenProject(SaveOneSlideWithPicture(folder, RunLengthBitmap(200, 200))).Complete());
    EXPECT_EQ(OpenProject(SaveOneSlideWithPicture(folder, RunLengthBitmap(201, 150))).error, invalid);

    // 70 bytes declaring a quarter of a gigabyte.
    const QString path = SaveOneSlideWithPicture(folder, RunLengthBitmap(16384, 16384));
    ChildLimits limits;
    limits.memory = 64 << 20;
    EXPECT_EQ(RunInChild(limits, [&] { return OpenProject(path).error == invalid ? 0 : 1; }), 0);
}

TEST(ProjectMemory, ListingASlideAtATimeHoldsLittleBeyondTheFile)
{
    // 120 slides with 200 by 200 thumbnails: each held slide keeps its
    // picture twice (decoded and as its file), which is 28 MB for all.
    std::vector<std::unique_ptr<RectBoxProperties>> boxes;
    std::vector<const RectBoxProperties *> slides;
    for (int i = 0; i < 120; ++i) {
        boxes.push_back(std::make_unique<RectBoxProperties>());
        MakeDroppedSlide(*boxes.back());
        boxes.back()->SetPicture(PatternBitmap(200, 200));
        slides.push_back(boxes.back().get());
    }
    TestFolder folder;
    const QString path = folder.Path(QStringLiteral("many.vsw"));
    SaveProject(path, slides, QString());
    boxes.clear();

    ChildLimits limits;
    limits.memory = QFileInfo(path).size() + (12 << 20);
    const int listed = RunInChild(limits, [&] {
        int count = 0;
        const OpenedProject project =
            ListProject(path, [](const ProjectHeader &) {}, [&](const RectBoxProperties &) { ++count; });
        return project.Complete() ? count : 0;
    });
    EXPECT_EQ(listed, 120);
}
