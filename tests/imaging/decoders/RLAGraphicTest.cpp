#include "imaging/decoders/RLAGraphic.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"


#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes &out, size_t at, int value)
{
    out[at] = uint8_t(value >> 8);
    out[at + 1] = uint8_t(value);
}

// Packs one channel of one row: runs of two or more equal bytes (up to
// 128), literals of up to 128 bytes otherwise.
Bytes PackRLA(const Bytes &plain)
{
    Bytes packed;
    size_t i = 0;
    while (i < plain.size()) {
        size_t run = 1;
        while (i + run < plain.size() && run < 128 && plain[i + run] == plain[i])
            ++run;
        if (run >= 2) {
            packed.push_back(uint8_t(run - 1));
            packed.push_back(plain[i]);
            i += run;
            continue;
        }
        size_t literal = 1;
        while (i + literal < plain.size() && literal < 128
               && !(i + literal + 1 < plain.size() && plain[i + literal] == plain[i + literal + 1]))
            ++literal;
        packed.push_back(uint8_t(-int(literal)));
        packed.insert(packed.end(), plain.begin() + long(i), plain.begin() + long(i + literal));
        i += literal;
    }
    return packed;
}

struct RLAPicture
{
    int width = 1, height = 1;
    int colors = 3, mattes = 0, bits = 8;
    int left = 0, bottom = 0;     // of the active region
    bool reverseRecords = false;  // store the rows in an order other than the table's
    // Sample of channel c at (x, y), y counted from the top; 0..2^bits-1.
    std::function<int(int x, int y, int c)> sample;
};

// Writes an RLA file from the layout of the format notes.
QByteArray EncodeRLA(const RLAPicture &p)
{
    Bytes out(740, 0);
    const int right = p.left + p.width - 1, top = p.bottom + p.height - 1;
    for (int block : {0, 8}) {
        Put16(out, size_t(block), p.left);
        Put16(out, size_t(block) + 2, right);
        Put16(out, size_t(block) + 4, p.bottom);
        Put16(out, size_t(block) + 6, top);
    }
    Put16(out, 20, p.colors);
    Put16(out, 22, p.mattes);
    Put16(out, 26, 0xFFFE);
    std::memcpy(out.data() + 28, "2.2", 3);
    std::memcpy(out.data() + 580, "rgb", 3);
    Put16(out, 658, p.bits);
    Put16(out, 662, p.bits);

    std::vector<Bytes> records(size_t(p.height));
    for (int line = 0; line < p.height; ++line) {
        const int y = p.height - 1 - line; // the table starts at the bottom row
        Bytes &record = records[size_t(line)];
        for (int c = 0; c < p.colors + p.mattes; ++c) {
            Bytes plain;
            for (int x = 0; x < p.width; ++x) {
                const int v = p.sample(x, y, c);
                if (p.bits > 8)
                    plain.push_back(uint8_t(v >> 8));
                plain.push_back(uint8_t(v));
            }
            const Bytes packed = PackRLA(plain);
            record.push_back(uint8_t(packed.size() >> 8));
            record.push_back(uint8_t(packed.size()));
            record.insert(record.end(), packed.begin(), packed.end());
        }
    }
    const size_t tableAt = out.size();
    out.resize(out.size() + size_t(p.height) * 4);
    std::vector<size_t> order(size_t(p.height));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = p.reverseRecords ? order.size() - 1 - i : i;
    for (size_t line : order) {
        const size_t offset = out.size();
        for (int b = 0; b < 4; ++b)
            out[tableAt + line * 4 + size_t(b)] = uint8_t(offset >> (24 - 8 * b));
        out.insert(out.end(), records[line].begin(), records[line].end());
    }
    return QByteArray(reinterpret_cast<const char *>(out.data()), qsizetype(out.size()));
}

int Pattern(int x, int y, int c)
{
    // Runs and noise, so both packet kinds occur.
    if (x < 9)
        return (y * 16 + c * 40) & 255;
    return (x * 37 + y * 11 + c * 91 + (x * y) % 7) & 255;
}

} // namespace

// ImageMagick's reader refuses every multi-row file written from the
// format's documentation, so the expected pixels come from the writer.
TEST(RLAGraphic, DecodesRGBAndGreyBottomUpFromTheActiveRegion)
{
    RLAPicture rgb;
    rgb.width = 53, rgb.height = 31, rgb.mattes = 1, rgb.left = 12, rgb.bottom = 7;
    rgb.sample = Pattern;
    RLAPicture grey = rgb;
    grey.colors = 1, grey.mattes = 0, grey.reverseRecords = true;

    for (const RLAPicture &p : {rgb, grey}) {
        QString message;
        const QImage ours = Decode<TRLAGraphic>(EncodeRLA(p), &message);
        ASSERT_FALSE(ours.isNull()) << message.toStdString();
        ASSERT_EQ(ours.size(), QSize(p.width, p.height)) << "the active region is the picture";
        EXPECT_EQ(ours.format(), p.colors == 1 ? QImage::Format_Grayscale8 : QImage::Format_BGR888);
        int wrong = 0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const QColor c = ours.pixelColor(x, y);
                const int g = p.colors == 1 ? 0 : 1, b = p.colors == 1 ? 0 : 2;
                wrong += c.red() != p.sample(x, y, 0) || c.green() != p.sample(x, y, g) || c.blue() != p.sample(x, y, b);
            }
        }
        EXPECT_EQ(wrong, 0) << "colour channels " << p.colors;
    }
}

TEST(RLAGraphic, WideSamplesAreRoundedToEightBits)
{
    // 16-bit channels as 3D and compositing tools write them, rounded to the
    // nearest: 0x8000 lies just above 127.5 x 257 and rounds up, 0x7FFF
    // just below it.
    RLAPicture p;
    p.width = 6, p.height = 2, p.bits = 16;
    p.sample = [](int x, int y, int c) {
        return std::vector<int>{0, 0x7F7F, 0x7FFF, 0x8000, 0x0080, 65535}[size_t(x)] ^ (y * c);
    };
    QImage image = Decode<TRLAGraphic>(EncodeRLA(p));
    ASSERT_FALSE(image.isNull());
    const int expected[6] = {0, 127, 127, 128, 0, 255};
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(image.pixelColor(x, 0).red(), expected[x]) << x;
    EXPECT_EQ(image.pixelColor(4, 1).green(), 1) << "0x0081 is above half a step";

    p.bits = 10;
    p.sample = [](int x, int, int) { return x * 341; }; // 0, 341, 682, 1023
    image = Decode<TRLAGraphic>(EncodeRLA(p));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(1, 1).green(), 85);
    EXPECT_EQ(image.pixelColor(3, 1).green(), 255);
}

TEST(RLAGraphic, ShortChannelDataLeavesBlackAndBadFilesFail)
{
    RLAPicture p;
    p.width = 6, p.height = 3;
    p.sample = [](int, int, int) { return 200; };
    QByteArray good = EncodeRLA(p);
    ASSERT_FALSE(Decode<TRLAGraphic>(good).isNull());

    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected RLA image format.");
    const QString color = QStringLiteral("Invalid color format in RLA file.");
    const QString read = QStringLiteral("Stream read error");

    EXPECT_EQ(ErrorOf<TRLAGraphic>(good.left(700)), read);
    EXPECT_EQ(ErrorOf<TRLAGraphic>(good.left(740 + 8)), read) << "offset table cut";
    EXPECT_EQ(ErrorOf<TRLAGraphic>(good.left(good.size() - 1)), read) << "last channel cut";

    QByteArray bad = good;
    bad[740] = char(0x7F); // first offset far outside the file
    EXPECT_EQ(ErrorOf<TRLAGraphic>(bad), format);
    bad = good;
    bad[743] = char(10); // first offset inside the header
    bad[742] = 0;
    EXPECT_EQ(ErrorOf<TRLAGraphic>(bad), format);
    bad = good;
    bad[10] = char(0xFF), bad[11] = char(0xF0); // active right left of active left
    EXPECT_EQ(ErrorOf<TRLAGraphic>(bad), format);
    bad = good;
    bad[21] = 2;
    EXPECT_EQ(ErrorOf<TRLAGraphic>(bad), color) << "two colour channels";
    bad = good;
    bad[659] = 32;
    EXPECT_EQ(ErrorOf<TRLAGraphic>(bad), color) << "float channels";
    bad = good;
    bad[14] = 0x7F; // a hostile height: the table it needs is not there
    EXPECT_EQ(ErrorOf<TRLAGraphic>(bad), read);

    // A channel record that decodes to less than a row keeps black there.
    bad = good;
    const int first = (uchar(good[740]) << 24) | (uchar(good[741]) << 16) | (uchar(good[742]) << 8) | uchar(good[743]);
    bad[first + 2] = 0x02; // run of 3 instead of 6 in the red channel of the bottom row
    const QImage image = Decode<TRLAGraphic>(bad);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(2, 2).red(), 200);
    EXPECT_EQ(image.pixelColor(3, 2).red(), 0);
    EXPECT_EQ(image.pixelColor(3, 2).green(), 200);
}
