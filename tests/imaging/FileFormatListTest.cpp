#include "common/VistranoError.h"
#include "imaging/Bitmap.h"
#include "imaging/FileFormatList.h"
#include "imaging/FormatRegistration.h"
#include "imaging/JPEGImage.h"
#include "imaging/PictureFileFormats.h"
#include "imaging/decoders/AutodeskGraphic.h"
#include "imaging/decoders/PNGGraphic.h"
#include "imaging/decoders/TargaGraphic.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

QString ClassNameFor(const QString &fileName)
{
    return QString::fromLatin1(PictureGraphicClassFor(fileName).name);
}

int CountFor(const TFileFormatList &list, const TGraphicClass &graphicClass)
{
    const int index = list.FindGraphicClass(graphicClass);
    return index < 0 ? -1 : list.Class(index).count;
}

const TGraphicClass kFirstTestClass{"TFirstTestGraphic", [] { return std::unique_ptr<TGraphic>(); }};
const TGraphicClass kSecondTestClass{"TSecondTestGraphic", [] { return std::unique_ptr<TGraphic>(); }};

} // namespace

TEST(FormatRegistration, RegistersFortyFourExtensionsForTwentyOneClassesInOrder)
{
    TFileFormatRegistration registration;
    const TFileFormatList &list = *FileFormatList();
    EXPECT_EQ(list.ClassCount(), 21);
    ASSERT_EQ(list.ExtensionCount(), 44);
    EXPECT_EQ(CountFor(list, TTargaGraphic::StaticClass()), 5);
    EXPECT_EQ(CountFor(list, TBitmap::StaticClass()), 3);
    EXPECT_EQ(CountFor(list, TJPEGImage::StaticClass()), 4);

    const QStringList order = QStringLiteral(
        "bmp ico wmf emf jfif jpg jpe jpeg rle dib win vst vda tga icb tiff tif fax eps pcx pcc scr rpf rla sgi "
        "rgba rgb bw psd pdd ppm pgm pbm cel pic pcd gif cut psp png heic heif avif webp").split(QLatin1Char(' '));
    for (int i = 0; i < 44; ++i)
        EXPECT_EQ(list.Extension(i).extension, order[i]);

    const auto kindsOf = [&](const char *extension) { return list.Extension(list.FindExtension(QLatin1String(extension))).kinds; };
    EXPECT_EQ(kindsOf("bmp"), 8);
    EXPECT_EQ(kindsOf("emf"), 16);
    EXPECT_EQ(kindsOf("tiff"), 12);
    EXPECT_EQ(kindsOf("pdd"), 10);
    EXPECT_EQ(kindsOf("gif"), 13);
    EXPECT_EQ(kindsOf("psp"), 24);
    EXPECT_EQ(kindsOf("heic"), 12);
    EXPECT_EQ(kindsOf("webp"), 9);

    // "vst" passes no description and hands on its class's common one.
    const int vst = list.FindExtension(QStringLiteral("vst"));
    EXPECT_TRUE(list.Extension(vst).description.isEmpty());
    EXPECT_EQ(list.HandedOnDescription(vst), QStringLiteral("Truevision images"));
    EXPECT_EQ(list.HandedOnDescription(list.FindExtension(QStringLiteral("jfif"))), QStringLiteral("JFIF images"));
    EXPECT_EQ(list.Class(list.FindGraphicClass(TJPEGImage::StaticClass())).description, QStringLiteral("JPG images"));

    // The table holds the framework's six entries, then the forty-four.
    const std::vector<PictureFileFormat> table = PictureFileFormats();
    ASSERT_EQ(table.size(), 50u);
    EXPECT_EQ(table[0].extension, QStringLiteral("wmf"));
    EXPECT_EQ(table[5].description, QStringLiteral("JPEG Image File"));
    EXPECT_EQ(table[17].extension, QStringLiteral("vst"));
    EXPECT_EQ(table[17].description, QStringLiteral("Truevision images"));
    EXPECT_EQ(table[45].graphicClass, &TPNGGraphic::StaticClass());

    EXPECT_THROW(RegisterFileFormats(), VistranoError) << "there is exactly one registry";
}

TEST(FormatRegistration, LooksExtensionsUpWithoutRegardToCase)
{
    TFileFormatRegistration registration;
    for (const char *name : {"/pictures/A.TGA", "b.tga", "c.Tga", "dir.bmp/d.tga"})
        EXPECT_EQ(ClassNameFor(QLatin1String(name)), QStringLiteral("TTargaGraphic")) << name;
    EXPECT_EQ(ClassNameFor(QStringLiteral("x.PiC")), QStringLiteral("TAutodeskGraphic"));
    EXPECT_EQ(ClassNameFor(QStringLiteral("x.JPEG")), QStringLiteral("TJPEGImage"));
    EXPECT_EQ(FileFormatList()->FindExtension(QStringLiteral("TiF")), 16);
    EXPECT_EQ(FileFormatList()->FindExtension(QString()), -1);
}

TEST(FormatRegistration, RefusesUnknownExtensionsWithTheirName)
{
    TFileFormatRegistration registration;
    EXPECT_EQ(ErrorOf([] { PictureGraphicClassFor(QStringLiteral("photo.xyz")); }),
              QStringLiteral("Unknown picture file extension (.xyz)"));
    EXPECT_EQ(ErrorOf([] { PictureGraphicClassFor(QStringLiteral("PHOTO.XYZ")); }),
              QStringLiteral("Unknown picture file extension (.xyz)"));
    EXPECT_EQ(ErrorOf([] { PictureGraphicClassFor(QStringLiteral("/some.dir/README")); }),
              QStringLiteral("Unknown picture file extension (.)"));
    EXPECT_EQ(ErrorOf([] { PictureGraphicClassFor(QStringLiteral("photo.")); }),
              QStringLiteral("Unknown picture file extension (.)"));
}

TEST(FormatRegistration, RegisteringAnExtensionTwiceChangesNothing)
{
    TFileFormatRegistration registration;
    auto &list = const_cast<TFileFormatList &>(*FileFormatList());
    EXPECT_EQ(ErrorOf([&] {
                  list.RegisterFileFormat(QStringLiteral("TGA"), QStringLiteral("x"), {}, fkRaster,
                                          TAutodeskGraphic::StaticClass());
              }),
              QStringLiteral("Attempt to register TGA twice."));
    EXPECT_EQ(list.ExtensionCount(), 44);
    EXPECT_EQ(CountFor(list, TAutodeskGraphic::StaticClass()), 2);
    EXPECT_EQ(list.Class(list.FindGraphicClass(TAutodeskGraphic::StaticClass())).description,
              QStringLiteral("Autodesk images"));
    EXPECT_EQ(ClassNameFor(QStringLiteral("a.tga")), QStringLiteral("TTargaGraphic"));
}

TEST(FormatRegistration, UnregisteringRleKeepsTheOtherBitmapExtensions)
{
    TFileFormatRegistration registration;
    auto &list = const_cast<TFileFormatList &>(*FileFormatList());
    list.UnregisterFileFormat(QStringLiteral("rle"), TBitmap::StaticClass());
    EXPECT_EQ(CountFor(list, TBitmap::StaticClass()), 2);
    EXPECT_EQ(list.FindExtension(QStringLiteral("rle")), -1);
    EXPECT_GE(list.FindExtension(QStringLiteral("bmp")), 0);
    EXPECT_GE(list.FindExtension(QStringLiteral("dib")), 0);
    // The class stays in the table, so bmp and dib still load; the table's
    // own rle entry of the class stays too until the class is withdrawn.
    EXPECT_EQ(ClassNameFor(QStringLiteral("a.dib")), QStringLiteral("TBitmap"));
    EXPECT_EQ(ClassNameFor(QStringLiteral("a.rle")), QStringLiteral("TBitmap"));

    list.UnregisterFileFormat(QStringLiteral("nope"), TBitmap::StaticClass());
    EXPECT_EQ(list.ExtensionCount(), 43);
}

TEST(FormatRegistration, ShutDownWithdrawsEveryClass)
{
    RegisterFileFormats();
    UnregisterFileFormats();
    EXPECT_EQ(FileFormatList(), nullptr);
    EXPECT_TRUE(PictureFileFormats().empty());
    EXPECT_EQ(ErrorOf([] { PictureGraphicClassFor(QStringLiteral("a.bmp")); }),
              QStringLiteral("Unknown picture file extension (.bmp)"));
    UnregisterFileFormats(); // a second shut-down does nothing

    // Start-up again begins from the framework's entries.
    TFileFormatRegistration registration;
    EXPECT_EQ(PictureFileFormats().size(), 50u);
}

TEST(FileFormatList, KeepsClassRecordsAndCountsByTheRules)
{
    RestoreFrameworkPictureFormats();
    {
        TFileFormatList list;
        list.RegisterFileFormat({}, QStringLiteral("ignored"), {}, fkRaster, kFirstTestClass);
        EXPECT_EQ(list.ClassCount(), 0) << "an empty extension registers nothing";

        list.RegisterFileFormat(QStringLiteral("aa"), {}, {}, fkRaster, kFirstTestClass);
        list.RegisterFileFormat(QStringLiteral("bb"), QStringLiteral("First"), QStringLiteral("Own"), fkVector,
                                kFirstTestClass);
        list.RegisterFileFormat(QStringLiteral("cc"), QStringLiteral("Second"), {}, fkRaster, kSecondTestClass);
        list.RegisterFileFormat(QStringLiteral("dd"), {}, {}, fkRaster, kFirstTestClass);
        EXPECT_EQ(list.ClassCount(), 2);
        EXPECT_EQ(CountFor(list, kFirstTestClass), 3);
        EXPECT_EQ(list.Class(0).description, QStringLiteral("First"));
        EXPECT_EQ(list.HandedOnDescription(3), QStringLiteral("First"));
        // "aa" was handed on while its class had no description yet.
        const std::vector<PictureFileFormat> table = PictureFileFormats();
        ASSERT_EQ(table.size(), 10u);
        EXPECT_EQ(table[6].extension, QStringLiteral("aa"));
        EXPECT_TRUE(table[6].description.isEmpty());
        EXPECT_EQ(table[7].description, QStringLiteral("Own"));
        EXPECT_EQ(ClassNameFor(QStringLiteral("x.DD")), QStringLiteral("TFirstTestGraphic"));

        // An empty extension withdraws the class and all of its extensions.
        list.UnregisterFileFormat({}, kFirstTestClass);
        EXPECT_EQ(list.ClassCount(), 1);
        ASSERT_EQ(list.ExtensionCount(), 1);
        EXPECT_EQ(list.Extension(0).extension, QStringLiteral("cc"));
        EXPECT_EQ(ErrorOf([] { PictureGraphicClassFor(QStringLiteral("x.aa")); }),
                  QStringLiteral("Unknown picture file extension (.aa)"));
        list.UnregisterFileFormat({}, kFirstTestClass); // no longer registered: nothing happens

        // The last extension of a class takes the class with it.
        list.UnregisterFileFormat(QStringLiteral("CC"), kSecondTestClass);
        EXPECT_EQ(list.ClassCount(), 0);
        EXPECT_EQ(PictureFileFormats().size(), 6u);

        list.RegisterFileFormat(QStringLiteral("ee"), {}, {}, fkRaster, kSecondTestClass);
    }
    // Destroying the list withdraws what it still holds.
    EXPECT_EQ(PictureFileFormats().size(), 6u);
}
