#include "project/BitmapFile.h"
#include "project/ComponentWriter.h"
#include "project/RectBoxStream.h"
#include "tests/project/ProjectTestSupport.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char *hex) { return QByteArray::fromHex(hex); }

QByteArray RecordOf(const QByteArray &entries, const QByteArray &name = {})
{
    return QByteArray("TPF0") + Short("TRectBox") + Short(name) + entries + QByteArray(2, '\0');
}

// Reads one record and returns how many bytes it took.
size_t Read(const QByteArray &bytes, RectBoxProperties &box, const FindSlideBox &find = {})
{
    ByteReader in(bytes);
    ReadRectBoxRecord(in, box, find);
    return in.Position();
}

QString ReadError(const QByteArray &bytes)
{
    RectBoxProperties box;
    try {
        Read(bytes, box);
    } catch (const VistranoError &error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

// Every persistent property away from its initial value.
void SetEverything(RectBoxProperties &box, RectBoxProperties &other)
{
    box.SetName(QStringLiteral("Slide1"));
    box.SetTag(-5);
    box.SetLeft(-300);
    box.SetTop(70000);
    box.SetWidth(128);
    box.SetHeight(99);
    box.SetHint(QStringLiteral("a hint"));
    box.SetHelpType(THelpType::htKeyword);
    box.SetHelpKeyword(QString::fromUtf8("clé"));
    box.SetHelpContext(12);
    box.SetBoxType(TBoxType::btTemplate);
    box.SetAutoForeGround(false);
    box.SetAutoSize(true);
    box.SetFrameType(TFrameType::ftMiddle);
    box.SetHidePassiveFrame(true);
    box.SetCaption(QString::fromUtf8("Sommer in Zürich – 日本"));
    box.SetFileName(QString::fromUtf8("/bilder/é"));
    box.SetProportionate(true);
    box.SetBoxSize(9);
    box.SetBoxColor(clLime);
    box.SetActiveFrameColor(1);
    box.SetFilteredFrameColor(int32_t(0x80000005));
    box.SetPassiveFrameColor(0x1FFFFFFF);
    box.SetDrawFrame(false);
    box.SetDrawBoxes(false);
    box.SetShowPos(true);
    box.SetShowSize(true);
    box.SetInfoTextColor(0x10203);
    box.SetFocus(true);
    TFontData font;
    font.charset = 238;
    font.color = 77777;
    font.height = -13;
    font.name = QStringLiteral("Arial");
    font.pitch = TFontPitch::fpVariable;
    font.style = 0b0110;
    box.SetFont(font);
    box.SetPicture(PatternBitmap(7, 5));
    TPictureData original;
    original.Assign(QImage());
    box.SetPictureOriginal(original);
    box.SetPictureWidth(7);
    box.SetPictureHeight(5);
    box.SetPictureDate(45000.25);
    box.SetPictureFileSize(123456);
    box.SetRatio(static_cast<long double>(7) / 5);
    box.SetRotation(270);
    box.SetTextBox(true);
    box.SetCanvasPPI(96.5);
    box.SetAlignment(TAlignment::taRightJustify);
    box.SetLines({QStringLiteral("first"), QString(), QString::fromUtf8("drüben")});
    box.SetLinkChild(&box);
    box.SetLinkParent(&other);
    box.SetCropLeft(1);
    box.SetCropTop(2);
    box.SetCropWidth(3);
    box.SetCropHeight(4);
    box.SetIsCropped(true);
    box.SetIsFiltered(true);
    box.SetFilterRed(1);
    box.SetFilterGreen(2);
    box.SetFilterBlue(3);
    box.SetFilterSaturation(4);
    box.SetFilterBrightness(5);
    box.SetFilterContrast(6);
    box.SetFilterGamma(7);
    box.SetFilterSharpness(-8);
    box.SetFilterUSMRatio(9);
    box.SetFilterUSMAmount(10);
    box.SetAbLeft(2.5);
    box.SetAbTop(5);
    box.SetAbWidth(-1e300);
    box.SetAbHeight(1e-300);
    box.SetLinesPlacement(3);
    box.SetPopupMenu(kSlidePopupMenu);
    box.SetIsControl(true);
}

} // namespace

TEST(ComponentStreamRead, EveryPropertyRoundTrips)
{
    RectBoxProperties box, other;
    other.SetName(QStringLiteral("Other"));
    SetEverything(box, other);
    const QByteArray record = RectBoxRecord(box);

    RectBoxProperties read;
    const auto find = [&](const QString &name) { return name == QLatin1String("Other") ? &other : nullptr; };
    EXPECT_EQ(Read(record, read, find), size_t(record.size()));
    EXPECT_EQ(read.Name(), box.Name());
    EXPECT_EQ(read.Tag(), -5);
    EXPECT_EQ(read.Top(), 70000);
    EXPECT_EQ(read.HelpType(), THelpType::htKeyword);
    EXPECT_EQ(read.HelpKeyword(), box.HelpKeyword());
    EXPECT_EQ(read.BoxType(), TBoxType::btTemplate);
    EXPECT_EQ(read.FrameType(), TFrameType::ftMiddle);
    EXPECT_EQ(read.Caption(), box.Caption());
    EXPECT_EQ(read.FileName(), box.FileName());
    EXPECT_EQ(read.BoxSize(), 9);
    EXPECT_EQ(read.FilteredFrameColor(), int32_t(0x80000005));
    EXPECT_EQ(read.PassiveFrameColor(), 0x1FFFFFFF);
    EXPECT_FALSE(read.ParentFont());
    EXPECT_EQ(read.Font(), box.Font());
    EXPECT_EQ(read.Picture(), box.Picture());
    EXPECT_TRUE(read.PictureOriginal().Assigned());
    EXPECT_TRUE(read.PictureOriginal().Bitmap().isNull());
    EXPECT_EQ(read.PictureDate(), 45000.25);
    EXPECT_EQ(read.Ratio(), box.Ratio());
    EXPECT_EQ(read.CanvasPPI(), 96.5);
    EXPECT_EQ(read.Alignment(), TAlignment::taRightJustify);
    EXPECT_EQ(read.Lines(), box.Lines());
    EXPECT_EQ(read.LinkChild(), &read);
    EXPECT_EQ(read.LinkParent(), &other);
    EXPECT_TRUE(read.IsFiltered());
    EXPECT_EQ(read.FilterSharpness(), -8);
    EXPECT_EQ(read.FilterUSMAmount(), 10);
    EXPECT_EQ(read.AbLeft(), 2.5);
    EXPECT_EQ(read.AbWidth(), -1e300);
    EXPECT_EQ(read.AbHeight(), 1e-300);
    EXPECT_EQ(read.PopupMenu(), kSlidePopupMenu);
    EXPECT_TRUE(read.IsControl());
    // Everything the record holds comes back: written again, it is the same.
    EXPECT_TRUE(RectBoxRecord(read) == record);
}

TEST(ComponentStreamRead, ARecordEndsAfterItsSecondEndMarker)
{
    RectBoxProperties first;
    MakeDroppedSlide(first);
    RectBoxProperties second;
    second.SetCaption(QStringLiteral("two"));
    const QByteArray one = RectBoxRecord(first);
    const QByteArray bytes = one + RectBoxRecord(second) + QByteArray("trailing");
    ByteReader in(bytes);
    RectBoxProperties a, b;
    ReadRectBoxRecord(in, a);
    EXPECT_EQ(in.Position(), size_t(one.size()));
    ReadRectBoxRecord(in, b);
    EXPECT_EQ(b.Caption(), QStringLiteral("two"));
    EXPECT_EQ(in.Remaining(), size_t(8));
}

TEST(ComponentStreamRead, AcceptsOtherFormsOfTheSameValues)
{
    // Lower-case identifiers, a flags prefix with a child position, a
    // Windows-1252 string, integers for floats, TagNil for references and
    // events, booleans by name.
    const QByteArray entries = Entry("boxcolor", "\x07" + Short("CLRED")) + Entry("Cursor", "\x07" + Short("crDefault"))
                               + Entry("FileName", "\x06" + Short("caf\xE9.jpg")) + Entry("Caption", Hex("120100000041D8"))
                               + Entry("HelpKeyword", "\x14" + Hex("02000000") + "\xC3\xA9")
                               + Entry("AbLeft", Int8(7)) + Entry("AbTop", Hex("0401000000"))
                               + Entry("Ratio", Hex("03E803")) + Entry("LinkChild", Hex("0D"))
                               + Entry("OnClick", Hex("0D")) + Entry("Focus", "\x07" + Short("true"))
                               + Entry("Alignment", "\x07" + Short("taleftjustify"));
    const QByteArray bytes = QByteArray("TPF0") + Hex("F2") + Int8(3) + Short("TSomethingElse") + Short("") + entries
                             + QByteArray(2, '\0');
    RectBoxProperties box;
    EXPECT_EQ(Read(bytes, box), size_t(bytes.size()));
    EXPECT_EQ(box.BoxColor(), clRed);
    EXPECT_EQ(box.FileName(), QString::fromUtf8("café.jpg"));
    EXPECT_EQ(box.Caption(), QString(QChar(0xD841)));
    EXPECT_EQ(box.HelpKeyword(), QString::fromUtf8("é"));
    EXPECT_EQ(box.AbLeft(), 7.0);
    EXPECT_EQ(box.AbTop(), 1.0);
    EXPECT_EQ(box.Ratio(), 1000.0L);
    EXPECT_EQ(box.LinkChild(), nullptr);
    EXPECT_TRUE(box.Focus());
    EXPECT_EQ(box.Alignment(), TAlignment::taLeftJustify);
}

TEST(ComponentStreamRead, ReferencesThatCannotBeResolvedStayUnassigned)
{
    RectBoxProperties other;
    const auto find = [&](const QString &name) { return name == QLatin1String("Known") ? &other : nullptr; };
    const QByteArray bytes = RecordOf(Entry("LinkChild", "\x07" + Short("frmOther.Known"))
                                      + Entry("LinkParent", "\x07" + Short("FRMVISTRANO.Known"))
                                      + Entry("PopupMenu", "\x07" + Short("frmMissing.pmRectBox")));
    RectBoxProperties box;
    Read(bytes, box, find);
    EXPECT_EQ(box.LinkChild(), nullptr);
    EXPECT_EQ(box.LinkParent(), &other);
    EXPECT_TRUE(box.PopupMenu().isEmpty());
    RectBoxProperties menu;
    Read(RecordOf(Entry("PopupMenu", "\x07" + Short("frmvistrano.PMRECTBOX")) + Entry("LinkChild", "\x07" + Short("pmRectBox"))),
         menu);
    EXPECT_EQ(menu.PopupMenu(), kSlidePopupMenu);
    EXPECT_EQ(menu.LinkChild(), nullptr);
}

TEST(ComponentStreamRead, PicturePayloads)
{
    // An 8-bit BMP made elsewhere: 2 by 2, two palette entries, bottom-up.
    QByteArray bmp = Hex("424D" "46000000" "00000000" "3E000000"
                         "28000000" "02000000" "02000000" "0100" "0800" "00000000" "08000000"
                         "00000000" "00000000" "02000000" "00000000"
                         "0000FF00" "FF000000"
                         "00010000" "01000000");
    const int32_t size = int32_t(bmp.size());
    QByteArray payload = Short("TBitmap") + QByteArray(reinterpret_cast<const char *>(&size), 4) + bmp;
    const int32_t payloadSize = int32_t(payload.size());
    const QByteArray entry = Entry("Picture.Data", "\x0A" + QByteArray(reinterpret_cast<const char *>(&payloadSize), 4) + payload);
    RectBoxProperties box;
    Read(RecordOf(entry), box);
    ASSERT_EQ(box.Picture().size(), QSize(2, 2));
    EXPECT_EQ(box.Picture().format(), QImage::Format_BGR888);
    EXPECT_EQ(box.Picture().pixel(0, 1), qRgb(255, 0, 0)); // bottom row first: red, blue
    EXPECT_EQ(box.Picture().pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(box.Picture().pixel(0, 0), qRgb(0, 0, 255));
    // Written back, the very bytes it came with.
    EXPECT_TRUE(RectBoxRecord(box).contains(entry));

    // An empty bitmap and a picture class this program does not know.
    RectBoxProperties empty;
    Read(RecordOf(Entry("Picture.Data", Hex("0A0C000000") + Short("TBitmap") + Hex("00000000"))), empty);
    EXPECT_TRUE(empty.PictureData().Assigned());
    EXPECT_TRUE(empty.Picture().isNull());
    EXPECT_TRUE(RectBoxRecord(empty).contains(Entry("Picture.Data", Hex("0A0C000000") + Short("TBitmap") + Hex("00000000"))));
    RectBoxProperties unknown;
    Read(RecordOf(Entry("Picture.Data", Hex("0A09000000") + Short("TIcon") + "xyz") + Entry("Tag", Int8(4))), unknown);
    EXPECT_FALSE(unknown.PictureData().Assigned());
    EXPECT_EQ(unknown.Tag(), 4);
}

TEST(ComponentStreamRead, EveryFailureHasItsMessage)
{
    EXPECT_EQ(ReadError(QByteArray("TPF1") + Short("TRectBox") + Short("") + QByteArray(2, '\0')),
              QStringLiteral("Invalid stream format"));
    EXPECT_EQ(ReadError(QByteArray("TP")), QStringLiteral("Stream read error"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Left", Int8(3))).chopped(1)), QStringLiteral("Stream read error"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Caption", Hex("0CFFFFFF7F") + "abc"))), QStringLiteral("Stream read error"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Caption", Hex("12FFFFFF7F") + "abc"))), QStringLiteral("Stream read error"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Picture.Data", Hex("0AFFFFFF7F")))), QStringLiteral("Stream read error"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Picture.Data", Hex("0A0C000000") + Short("TBitmap") + Hex("FFFFFF7F")))),
              QStringLiteral("Stream read error"));
    // A child record inside a slide box.
    EXPECT_EQ(ReadError(QByteArray("TPF0") + Short("TRectBox") + Short("") + QByteArray(1, '\0') + Short("TChild")),
              QStringLiteral("Invalid stream format"));

    EXPECT_EQ(ReadError(RecordOf(Entry("Colour", "\x07" + Short("clRed")) + Entry("Left", Int8(1)))),
              QStringLiteral("Error reading TRectBox.Colour: Property Colour does not exist"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Font.Size", Int8(8)), "Box3")),
              QStringLiteral("Error reading Box3.Font.Size: Property Size does not exist"));
    // The unknown property's value is skipped first, whatever it holds.
    EXPECT_EQ(ReadError(RecordOf(Entry("Extra", Hex("01" "0E" "02 05 01 04 4C656674 0201 00 00" "05") + QByteArray(10, 'x')
                                                    + Hex("00")))),
              QStringLiteral("Error reading TRectBox.Extra: Property Extra does not exist"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Extra", Hex("0CFFFF0000")))), QStringLiteral("Stream read error"));

    const QString invalid = QStringLiteral("Error reading TRectBox.%1: Invalid property value");
    EXPECT_EQ(ReadError(RecordOf(Entry("Left", "\x06" + Short("10")))), invalid.arg("Left"));
    EXPECT_EQ(ReadError(RecordOf(Entry("BoxColor", "\x07" + Short("clPink")))), invalid.arg("BoxColor"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Tag", "\x07" + Short("clRed")))), invalid.arg("Tag"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Cursor", "\x07" + Short("crArrow")))), invalid.arg("Cursor"));
    EXPECT_EQ(ReadError(RecordOf(Entry("BoxType", "\x07" + Short("btVideo")))), invalid.arg("BoxType"));
    EXPECT_EQ(ReadError(RecordOf(Entry("BoxType", Hex("09")))), invalid.arg("BoxType"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Focus", Int8(1)))), invalid.arg("Focus"));
    EXPECT_EQ(ReadError(RecordOf(Entry("AbLeft", "\x06" + Short("4")))), invalid.arg("AbLeft"));
    EXPECT_EQ(ReadError(RecordOf(Entry("AbLeft", Hex("05 0000000000000080 FF7F")))), invalid.arg("AbLeft"));
    EXPECT_EQ(ReadError(RecordOf(Entry("AbLeft", Hex("05 0000000000000080 FF7E")))), invalid.arg("AbLeft"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Ratio", Hex("05 0000000000000000 FF3F")))), invalid.arg("Ratio"));
    EXPECT_EQ(ReadError(RecordOf(Entry("OnClick", "\x07" + Short("Button1Click")))), invalid.arg("OnClick"));
    EXPECT_EQ(ReadError(RecordOf(Entry("LinkChild", Int8(0)))), invalid.arg("LinkChild"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Lines.Strings", "\x06" + Short("x")))), invalid.arg("Lines.Strings"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Picture.Data", Int8(0)))), invalid.arg("Picture.Data"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Font.Style", "\x0B" + Short("fsBlink") + '\0'))), invalid.arg("Font.Style"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Left", Hex("63")))), invalid.arg("Left"));

    EXPECT_EQ(ReadError(RecordOf(Entry("Left.X", Int8(1)))),
              QStringLiteral("Error reading TRectBox.Left.X: Invalid property path"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Font.Color.X", Int8(1)))),
              QStringLiteral("Error reading TRectBox.Font.Color.X: Invalid property path"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Font", Int8(1)))),
              QStringLiteral("Error reading TRectBox.Font: Property is read-only"));

    EXPECT_EQ(ReadError(RecordOf(Entry("Picture.Data", Hex("0A10000000") + Short("TBitmap") + Hex("04000000") + "BMxx"))),
              QStringLiteral("Error reading TRectBox.Picture.Data: Stream read error"));
    EXPECT_EQ(ReadError(RecordOf(Entry("Picture.Data", Hex("0A42000000") + Short("TBitmap") + Hex("36000000") + "BM"
                                                           + QByteArray(12, '\0') + Hex("07000000")
                                                           + QByteArray(36, '\0')))),
              QStringLiteral("Error reading TRectBox.Picture.Data: Bitmap image is not valid"));
}

TEST(ComponentStreamRead, SettersRulesApplyToReadValues)
{
    RectBoxProperties box;
    Read(RecordOf(Entry("BoxSize", Int8(51)) + Entry("IsFiltered", Hex("09")) + Entry("IsFiltered", Hex("08"))), box);
    EXPECT_EQ(box.BoxSize(), 5);
    EXPECT_EQ(box.FilterRed(), 0);
    EXPECT_EQ(box.FilterSharpness(), 0);
    EXPECT_EQ(box.FilterUSMRatio(), 0);
    RectBoxProperties odd;
    Read(RecordOf(Entry("BoxSize", Int8(6))), odd);
    EXPECT_EQ(odd.BoxSize(), 7);
}
