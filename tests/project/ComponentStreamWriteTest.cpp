#include "project/BitmapFile.h"
#include "project/ComponentWriter.h"
#include "project/ExtendedFloat.h"
#include "project/RectBoxStream.h"
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char *hex) { return QByteArray::fromHex(hex); }

QByteArray Written(void (*write)(TComponentWriter &, const QString &), const QString &text)
{
    QByteArray out;
    TComponentWriter writer(out);
    write(writer, text);
    return out;
}

QByteArray TextBytes(const QString &text)
{
    return Written([](TComponentWriter &w, const QString &t) { w.WriteText(t); }, text);
}

QByteArray IntegerBytes(int32_t value)
{
    QByteArray out;
    TComponentWriter(out).WriteInteger(value);
    return out;
}

} // namespace

TEST(ComponentStreamWrite, StartOfARecordForASlideAt10And10Of133By100)
{
    RectBoxProperties box;
    box.SetLeft(10);
    box.SetTop(10);
    box.SetWidth(133);
    box.SetHeight(100);
    const QByteArray expected = Hex("54504630") + Short("TRectBox") + QByteArray(1, '\0')
                                + Short("Left") + Hex("020A") + Short("Top") + Hex("020A") + Short("Width")
                                + Hex("038500") + Short("Height") + Hex("0264") + Short("BoxType") + Hex("07")
                                + Short("btImage");
    EXPECT_EQ(RectBoxRecord(box).left(expected.size()).toHex(' '), expected.toHex(' '));
}

TEST(ComponentStreamWrite, EntrySequenceOfADropped4To3Slide)
{
    RectBoxProperties box;
    MakeDroppedSlide(box, 4, 1);
    const QByteArray record = RectBoxRecord(box);

    const QByteArray bmp = EncodeBitmapFile(box.Picture());
    QByteArray payload = Short("TBitmap");
    const int32_t bmpSize = int32_t(bmp.size());
    payload += QByteArray(reinterpret_cast<const char *>(&bmpSize), 4) + bmp;
    const int32_t payloadSize = int32_t(payload.size());
    const ExtendedBytes ratio = ToExtendedBytes(static_cast<long double>(200) / 150);
    const ExtendedBytes four = ToExtendedBytes(4);
    const ExtendedBytes one = ToExtendedBytes(1);
    const auto ext = [](const ExtendedBytes &b) {
        return QByteArray("\x05", 1) + QByteArray(reinterpret_cast<const char *>(b.data()), 10);
    };
    const QByteArray F("\x08", 1), T("\x09", 1);
    const auto ident = [](const QByteArray &name) { return QByteArray("\x07", 1) + Short(name); };
    const QByteArray fileName = "/photos/holiday/beach.jpg";

    QByteArray expected = QByteArray("TPF0") + Short("TRectBox") + QByteArray(1, '\0');
    expected += Entry("Left", Int8(10)) + Entry("Top", Int8(10)) + Entry("Width", Hex("038500"))
                + Entry("Height", Int8(100)) + Entry("BoxType", ident("btImage")) + Entry("AutoForeGround", T)
                + Entry("AutoSize", F) + Entry("FrameType", ident("ftOuter")) + Entry("HidePassiveFrame", F)
                + Entry("FileName", "\x06" + Short(fileName)) + Entry("Proportionate", F)
                + Entry("BoxSize", Int8(5)) + Entry("BoxColor", ident("clBlack"))
                + Entry("ActiveFrameColor", ident("clRed")) + Entry("FilteredFrameColor", ident("clLime"))
                + Entry("PassiveFrameColor", ident("clGray")) + Entry("DrawFrame", T) + Entry("DrawBoxes", F)
                + Entry("ShowPos", F) + Entry("ShowSize", F) + Entry("InfoTextColor", ident("clBlack"))
                + Entry("Focus", F)
                + Entry("Picture.Data", "\x0A" + QByteArray(reinterpret_cast<const char *>(&payloadSize), 4) + payload)
                + Entry("PictureWidth", Hex("03C800")) + Entry("PictureHeight", Hex("039600"))
                + Entry("PictureFileSize", Int8(0)) + Entry("Ratio", ext(ratio)) + Entry("Rotation", Int8(0))
                + Entry("TextBox", F) + Entry("CropLeft", Int8(0)) + Entry("CropTop", Int8(0))
                + Entry("CropWidth", Int8(0)) + Entry("CropHeight", Int8(0)) + Entry("IsCropped", F)
                + Entry("IsFiltered", F);
    for (const char *filter : {"FilterRed", "FilterGreen", "FilterBlue", "FilterSaturation", "FilterBrightness",
                               "FilterContrast", "FilterGamma", "FilterSharpness"})
        expected += Entry(filter, Int8(100));
    expected += Entry("FilterUSMRatio", Int8(0)) + Entry("FilterUSMAmount", Int8(0)) + Entry("AbLeft", ext(four))
                + Entry("AbTop", ext(one)) + Entry("LinesPlacement", Int8(0))
                + Entry("PopupMenu", ident("frmVistrano.pmRectBox")) + QByteArray(2, '\0');
    EXPECT_EQ(record.size(), expected.size());
    EXPECT_TRUE(record == expected);
}

TEST(ComponentStreamWrite, ZeroDurationAndTransitionAndEmptyCaptionHaveNoEntries)
{
    RectBoxProperties box;
    MakeDroppedSlide(box, 0, 0);
    const QByteArray record = RectBoxRecord(box);
    EXPECT_FALSE(record.contains(Short("AbLeft")));
    EXPECT_FALSE(record.contains(Short("AbTop")));
    EXPECT_FALSE(record.contains(Short("Caption")));
    EXPECT_FALSE(record.contains(Short("Font.Color")));
    EXPECT_FALSE(record.contains(Short("Lines.Strings")));
    EXPECT_FALSE(record.contains(Short("PictureOriginal.Data")));
    EXPECT_FALSE(record.contains(Short("IsControl")));
    EXPECT_TRUE(record.endsWith(QByteArray(2, '\0')));
}

TEST(ComponentStreamWrite, IntegersTakeTheSmallestTag)
{
    EXPECT_EQ(IntegerBytes(127), Hex("027F"));
    EXPECT_EQ(IntegerBytes(-128), Hex("0280"));
    EXPECT_EQ(IntegerBytes(128), Hex("038000"));
    EXPECT_EQ(IntegerBytes(-32768), Hex("030080"));
    EXPECT_EQ(IntegerBytes(32767), Hex("03FF7F"));
    EXPECT_EQ(IntegerBytes(40000), Hex("04409C0000"));
    EXPECT_EQ(IntegerBytes(-40000), Hex("04C063FFFF"));

    RectBoxProperties box;
    box.SetWidth(127);
    EXPECT_TRUE(RectBoxRecord(box).contains(Short("Width") + Hex("027F")));
    box.SetWidth(128);
    EXPECT_TRUE(RectBoxRecord(box).contains(Short("Width") + Hex("038000")));
    box.SetWidth(40000);
    EXPECT_TRUE(RectBoxRecord(box).contains(Short("Width") + Hex("04409C0000")));
}

TEST(ComponentStreamWrite, ColoursWithANameAreIdentifiers)
{
    RectBoxProperties box;
    box.SetBoxColor(255);
    box.SetActiveFrameColor(254);
    box.SetPassiveFrameColor(int32_t(0x8000000F));
    box.SetInfoTextColor(0x123456);
    const QByteArray record = RectBoxRecord(box);
    EXPECT_TRUE(record.contains(Short("BoxColor") + "\x07" + Short("clRed")));
    EXPECT_TRUE(record.contains(Short("ActiveFrameColor") + Hex("03FE00")));
    EXPECT_TRUE(record.contains(Short("PassiveFrameColor") + "\x07" + Short("clBtnFace")));
    EXPECT_TRUE(record.contains(Short("InfoTextColor") + Hex("0456341200")));
}

TEST(ComponentStreamWrite, TextTagFollowsTheCharacters)
{
    // ASCII up to 255 bytes: TagString; longer: TagLongString.
    EXPECT_EQ(TextBytes(QStringLiteral("abc")), Hex("0603") + "abc");
    EXPECT_EQ(TextBytes(QString(255, QLatin1Char('x'))), Hex("06FF") + QByteArray(255, 'x'));
    const QString caption300(300, QLatin1Char('c'));
    EXPECT_EQ(TextBytes(caption300), Hex("0C2C010000") + QByteArray(300, 'c'));
    // Accented letters among ASCII ones: UTF-8.
    const QString accented = QString::fromUtf8("/photos/Zürich café.jpg");
    EXPECT_EQ(TextBytes(accented), Hex("1419000000") + accented.toUtf8());
    // A single accented letter takes two UTF-8 bytes for one UTF-16 unit.
    EXPECT_EQ(TextBytes(QString::fromUtf8("é")), Hex("1201000000E900"));
    // CJK text: three UTF-8 bytes per unit.
    EXPECT_EQ(TextBytes(QString::fromUtf8("日本")), Hex("1202000000E5652C67"));

    RectBoxProperties box;
    box.SetCaption(caption300);
    EXPECT_TRUE(RectBoxRecord(box).contains(Short("Caption") + Hex("0C2C010000") + QByteArray(300, 'c')));
}

TEST(ComponentStreamWrite, RatioIsTheExtendedQuotient)
{
    RectBoxProperties box;
    box.SetRatio(static_cast<long double>(200) / 150);
    EXPECT_TRUE(RectBoxRecord(box).contains(Short("Ratio") + Hex("05ABAAAAAAAAAAAAAAFF3F")));
    // The same quotient computed in double precision is another number.
    const ExtendedBytes widened = ToExtendedBytes(static_cast<long double>(200.0 / 150.0));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(widened.data()), 10), Hex("00A8AAAAAAAAAAAAFF3F"));
}

TEST(ComponentStreamWrite, ReferencesAndFontAndLinesAndSets)
{
    RectBoxProperties box;
    RectBoxProperties named;
    named.SetName(QStringLiteral("RectBox7"));
    RectBoxProperties unnamed;
    box.SetLinkChild(&box);
    box.SetLinkParent(&named);
    EXPECT_TRUE(RectBoxRecord(box).contains(Short("LinkChild") + "\x07" + Short("Owner")));
    EXPECT_TRUE(RectBoxRecord(box).contains(Short("LinkParent") + "\x07" + Short("frmVistrano.RectBox7")));
    box.SetLinkParent(&unnamed);
    EXPECT_FALSE(RectBoxRecord(box).contains(Short("LinkParent")));

    TFontData font;
    font.style = 0b1001; // bold, struck out
    font.pitch = TFontPitch::fpFixed;
    box.SetFont(font);
    box.SetLines({QStringLiteral("one"), QString()});
    const QByteArray record = RectBoxRecord(box);
    const QByteArray expectedFont = Entry("Font.Charset", "\x07" + Short("DEFAULT_CHARSET"))
                                    + Entry("Font.Color", "\x07" + Short("clWindowText"))
                                    + Entry("Font.Height", Hex("02F5"))
                                    + Entry("Font.Name", "\x06" + Short("MS Sans Serif"))
                                    + Entry("Font.Pitch", "\x07" + Short("fpFixed"))
                                    + Entry("Font.Style", "\x0B" + Short("fsBold") + Short("fsStrikeOut") + '\0');
    EXPECT_TRUE(record.contains(Short("Focus") + "\x08" + expectedFont + Short("PictureWidth")));
    EXPECT_TRUE(record.contains(Entry("Lines.Strings", Hex("01") + "\x06" + Short("one") + Hex("0600") + Hex("00"))));
}

TEST(BitmapFile, EncodesACompleteBottomUpBmp)
{
    const QImage bitmap = PatternBitmap(3, 2);
    const QByteArray file = EncodeBitmapFile(bitmap);
    ASSERT_EQ(file.size(), 54 + 2 * 12);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(file.mid(2, 4), Hex("4E000000"));
    EXPECT_EQ(file.mid(6, 4), Hex("00000000"));
    EXPECT_EQ(file.mid(10, 4), Hex("36000000"));
    EXPECT_EQ(file.mid(14, 16), Hex("28000000" "03000000" "02000000" "0100" "1800"));
    // Bottom row first, padded with zeros to 12 bytes.
    EXPECT_EQ(file.mid(54, 9), QByteArray(reinterpret_cast<const char *>(bitmap.constScanLine(1)), 9));
    EXPECT_EQ(file.mid(63, 3), QByteArray(3, '\0'));
    EXPECT_EQ(file.mid(66, 9), QByteArray(reinterpret_cast<const char *>(bitmap.constScanLine(0)), 9));
    EXPECT_EQ(DecodeBitmapFile(file), bitmap);
    EXPECT_TRUE(EncodeBitmapFile(QImage()).isEmpty());
}
