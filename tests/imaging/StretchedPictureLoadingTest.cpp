// The build's streamed loading against the whole decode and StretchBitmap,
// byte for byte: every JPEG layout, damaged data, every filter, shrinking
// and enlarging to odd sizes, and a format that is decoded whole.

#include "imaging/FormatRegistration.h"
#include "imaging/PictureLoading.h"
#include "imaging/StretchedPictureLoading.h"
#include "tests/imaging/ImagingTestFiles.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

namespace {

QImage Whole(const QString &path, QSize size, ResamplingFilter filter)
{
    QImage picture = LoadPictureFile(path, JPEGReadScale::Whole);
    StretchBitmap(size.width(), size.height(), filter, 0.0f, picture);
    return picture;
}

} // namespace

TEST(LoadStretchedPicture, GivesTheBytesOfTheWholeDecodeAndStretchBitmap)
{
    TFileFormatRegistration formats;
    TestFolder folder;
    const QImage picture = MakeTestPicture(333, 251, 7, QImage::Format_BGR888);
    // A progressive file whose second scan names a component the frame does
    // not have: the library gives up there.
    QByteArray badScan = EncodeJPEG(picture, JPEGKind::Progressive);
    badScan[badScan.indexOf("\xFF\xDA", badScan.indexOf("\xFF\xDA") + 2) + 5] = char(0x77);
    QStringList files = {
        folder.Write("colour.jpg", EncodeJPEG(picture, JPEGKind::Colour)),
        folder.Write("grey.jpeg", EncodeJPEG(picture, JPEGKind::Grey)),
        folder.Write("progressive.jpg", EncodeJPEG(picture, JPEGKind::Progressive)),
        folder.Write("cmyk.jpg", EncodeJPEG(picture, JPEGKind::CMYKAdobe)),
        folder.Write("ycck.jpg", EncodeJPEG(picture, JPEGKind::YCCK)),
        // The rows the library did not deliver are black in both.
        folder.Write("bad-scan.jpg", badScan),
        folder.Path("picture.png"),
    };
    ASSERT_TRUE(MakeTestPicture(333, 251, 8).save(files.last()));
    EXPECT_EQ(LoadPictureFile(files[5], JPEGReadScale::Whole).pixel(200, 250), qRgb(0, 0, 0));
    const QSize sizes[] = {{101, 77}, {333, 251}, {500, 401}, {1, 3}};
    for (const QString &file : files) {
        for (QSize size : sizes) {
            for (int f = 0; f <= int(ResamplingFilter::Mitchell); ++f) {
                const ResamplingFilter filter = ResamplingFilter(f);
                QSize seen;
                const QImage streamed = LoadStretchedPicture(
                    file, [&](QSize picture) { return seen = picture, size; }, filter, 0.0f);
                EXPECT_EQ(seen, QSize(333, 251));
                ASSERT_EQ(streamed, Whole(file, size, filter))
                    << file.toStdString() << " to " << size.width() << "x" << size.height() << " filter " << f;
            }
        }
    }
}

TEST(LoadStretchedPicture, FailsAndComesOutEmptyAsPictureLoadingDoes)
{
    TFileFormatRegistration formats;
    TestFolder folder;
    const auto any = [](QSize) { return QSize(10, 10); };
    EXPECT_TRUE(LoadStretchedPicture(folder.Path("missing.jpg"), any, ResamplingFilter::Lanczos3, 0).isNull());
    EXPECT_TRUE(
        LoadStretchedPicture(folder.Write("text.jpg", "no JPEG"), any, ResamplingFilter::Lanczos3, 0).isNull());
    EXPECT_EQ(ErrorOf([&] { LoadStretchedPicture(folder.Path("missing.png"), any, ResamplingFilter::Box, 0); }),
              ErrorOf([&] { LoadPictureFile(folder.Path("missing.png"), JPEGReadScale::Whole); }));
    QByteArray huge = EncodeJPEG(MakeTestPicture(16, 16, 1, QImage::Format_BGR888), JPEGKind::Progressive);
    const QString path = folder.Write("huge.jpg", huge.replace(QByteArray("\xFF\xC2\x00\x11\x08\x00\x10\x00\x10", 9),
                                                              QByteArray("\xFF\xC2\x00\x11\x08\x4E\x20\x4E\x20", 9)));
    EXPECT_TRUE(ErrorOf([&] { LoadStretchedPicture(path, any, ResamplingFilter::Box, 0); })
                    .startsWith("Picture too large (20000 by 20000 pixels)"));
}
