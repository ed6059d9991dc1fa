#include "imaging/decoders/PSPGraphic.h"
#include "tests/support/ErrorOf.h"
#include "tests/support/ReferenceTools.h"


#include <gtest/gtest.h>

#include <functional>

namespace {

// A Paint Shop Pro writer from the format notes, for the files no
// installed tool writes.
void Put(QByteArray &out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(value >> (8 * i)));
}

QByteArray PackRLE(const QByteArray &plain)
{
    QByteArray out;
    int i = 0;
    while (i < plain.size()) {
        int run = 1;
        while (i + run < plain.size() && run < 127 && plain[i + run] == plain[i])
            ++run;
        if (run >= 3) {
            out.append(char(128 + run)).append(plain[i]);
            i += run;
            continue;
        }
        int literal = 0;
        while (i + literal < plain.size() && literal < 127
               && !(i + literal + 2 < plain.size() && plain[i + literal] == plain[i + literal + 1]
                    && plain[i + literal] == plain[i + literal + 2]))
            ++literal;
        out.append(char(literal)).append(plain.mid(i, literal));
        i += literal;
    }
    return out;
}

struct Channel
{
    int bitmapType; // 0 image, 1 transparency, 8 composite, 5 thumbnail
    int channelType; // 0 index/grey, 1 red, 2 green, 3 blue
    QByteArray plane; // rows as stored (already padded if wanted)
    int64_t claimedLength = -1; // the unpacked length written, when not the plane's
};

struct Layer
{
    int left = 0, top = 0, width = 0, height = 0; // saved rectangle inside a layer at the origin
    bool visible = true;
    std::vector<Channel> channels;
};

struct Composite
{
    int type = 0; // 0 full, 1 thumbnail
    int width = 0, height = 0, bitDepth = 24;
    std::vector<Channel> channels;
};

struct PSPFile
{
    int major = 5;
    int width = 0, height = 0, bitDepth = 24, compression = 0;
    bool greyscale = false;
    QList<QRgb> palette;
    std::vector<Layer> layers;
    std::vector<Composite> composites;
    int layerChunkLength = 375; // format 3: what the header claims for a layer's first chunk
};

class PSPWriter
{
public:
    explicit PSPWriter(const PSPFile &file) : f(file) {}

    QByteArray Write() const
    {
        QByteArray out("Paint Shop Pro Image File\n\x1a");
        out.append(32 - out.size(), '\0');
        Put(out, uint32_t(f.major), 2);
        Put(out, 0, 2);
        out += Attributes();
        if (!f.palette.isEmpty())
            out += Palette(f.palette);
        if (!f.composites.empty())
            out += CompositeBank();
        QByteArray layers;
        for (const Layer &layer : f.layers)
            layers += LayerBlock(layer);
        out += Block(3, layers, 0);
        return out;
    }

private:
    QByteArray Block(int id, const QByteArray &body, uint32_t initialChunk) const
    {
        QByteArray out("~BK", 4);
        Put(out, uint32_t(id), 2);
        if (f.major == 3)
            Put(out, initialChunk, 4);
        Put(out, uint32_t(body.size()), 4);
        return out + body;
    }
    // From format 4 on every info chunk begins with its own size.
    QByteArray Chunk(const QByteArray &fields) const
    {
        if (f.major == 3)
            return fields;
        QByteArray out;
        Put(out, uint32_t(fields.size() + 4), 4);
        return out + fields;
    }
    QByteArray Attributes() const
    {
        QByteArray a;
        Put(a, uint32_t(f.width), 4);
        Put(a, uint32_t(f.height), 4);
        a.append(8, '\0');
        a.append(char(1));
        Put(a, uint32_t(f.compression), 2);
        Put(a, uint32_t(f.bitDepth), 2);
        Put(a, 1, 2);
        Put(a, f.bitDepth >= 24 ? 1u << 24 : 1u << f.bitDepth, 4);
        a.append(char(f.greyscale ? 1 : 0));
        Put(a, 0, 4);
        Put(a, 0, 4);
        Put(a, uint32_t(f.layers.size()), 2);
        if (f.major >= 4)
            Put(a, 3, 4);
        return Block(0, Chunk(a), uint32_t(a.size()));
    }
    QByteArray Palette(const QList<QRgb> &colors) const
    {
        QByteArray count;
        Put(count, uint32_t(colors.size()), 4);
        QByteArray body = Chunk(count);
        for (QRgb c : colors)
            body.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append('\0');
        return Block(2, body, 4);
    }
    QByteArray Packed(const QByteArray &plane) const
    {
        if (f.compression == 1)
            return PackRLE(plane);
        if (f.compression == 2)
            return qCompress(plane).mid(4);
        return plane;
    }
    QByteArray ChannelBlock(const Channel &c) const
    {
        const QByteArray packed = Packed(c.plane);
        QByteArray fields;
        Put(fields, uint32_t(packed.size()), 4);
        Put(fields, uint32_t(c.claimedLength >= 0 ? c.claimedLength : c.plane.size()), 4);
        Put(fields, uint32_t(c.bitmapType), 2);
        Put(fields, uint32_t(c.channelType), 2);
        return Block(5, Chunk(fields) + packed, 12);
    }
    QByteArray LayerBlock(const Layer &layer) const
    {
        QByteArray info;
        const QByteArray name("Layer");
        if (f.major >= 4) {
            Put(info, uint32_t(name.size()), 2);
            info += name;
        } else {
            info += name;
            info.append(256 - name.size(), '\0');
        }
        info.append(char(1)); // raster
        for (int v : {0, 0, f.width, f.height})
            Put(info, uint32_t(v), 4);
        for (int v : {layer.left, layer.top, layer.left + layer.width, layer.top + layer.height})
            Put(info, uint32_t(v), 4);
        info.append(char(255)).append(char(0)).append(char(layer.visible ? 1 : 0));
        info.append(2, '\0');
        info.append(32, '\0'); // mask rectangles
        info.append(3, '\0');
        Put(info, 5, 2);
        info.append(40, '\0');
        QByteArray counts;
        Put(counts, 1, 2);
        Put(counts, uint32_t(layer.channels.size()), 2);
        QByteArray body;
        if (f.major >= 4)
            body = Chunk(info) + Chunk(counts);
        else
            body = info + counts;
        for (const Channel &c : layer.channels)
            body += ChannelBlock(c);
        return Block(4, body, uint32_t(f.major == 3 ? f.layerChunkLength : info.size()));
    }
    QByteArray CompositeBank() const
    {
        QByteArray count;
        Put(count, uint32_t(f.composites.size()), 4);
        QByteArray body = Chunk(count);
        for (const Composite &c : f.composites) {
            QByteArray a;
            Put(a, uint32_t(c.width), 4);
            Put(a, uint32_t(c.height), 4);
            Put(a, uint32_t(c.bitDepth), 2);
            Put(a, uint32_t(f.compression), 2);
            Put(a, 1, 2);
            Put(a, 0, 4);
            Put(a, uint32_t(c.type), 2);
            body += Block(17, Chunk(a), 0);
            QByteArray counts;
            Put(counts, 1, 2);
            Put(counts, uint32_t(c.channels.size()), 2);
            QByteArray image = Chunk(counts);
            for (const Channel &ch : c.channels)
                image += ChannelBlock(ch);
            body += Block(9, image, 0);
        }
        return Block(16, body, 0);
    }

    const PSPFile &f;
};

QByteArray Plane(int width, int height, const std::function<int(int, int)> &value, int padTo = 1)
{
    QByteArray out;
    for (int y = 0; y < height; ++y) {
        QByteArray row;
        for (int x = 0; x < width; ++x)
            row.append(char(value(x, y)));
        while (row.size() % padTo)
            row.append('\0');
        out += row;
    }
    return out;
}

// Packs 1- or 4-bit values into rows, most significant bits first.
QByteArray PackedPlane(int width, int height, int bits, const std::function<int(int, int)> &value, int padTo)
{
    QByteArray out;
    for (int y = 0; y < height; ++y) {
        QByteArray row((width * bits + 7) / 8, '\0');
        for (int x = 0; x < width; ++x)
            row[x * bits / 8] = char(row[x * bits / 8] | value(x, y) << (8 - bits - (x * bits) % 8));
        while (row.size() % padTo)
            row.append('\0');
        out += row;
    }
    return out;
}

int Red(int x, int y) { return x < 6 ? 200 : (x * 17 + y * 3) & 255; }
int Green(int x, int y) { return (x * y) & 255; }
int Blue(int x, int y) { return y < 3 ? 9 : (255 - x * 5) & 255; }

std::vector<Channel> RGBChannels(int bitmapType, int width, int height, int dim = 0)
{
    return {{bitmapType, 1, Plane(width, height, [dim](int x, int y) { return Red(x, y) >> dim; })},
            {bitmapType, 2, Plane(width, height, Green)},
            {bitmapType, 3, Plane(width, height, Blue)}};
}

} // namespace

// One test per file format version and compression.
class PSPLayerRows : public testing::TestWithParam<std::tuple<int, int>>
{
};

TEST_P(PSPLayerRows, RGBLayerWithTransparency)
{
    const auto [major, compression] = GetParam();
    PSPFile f;
    f.major = major, f.width = 40, f.height = 12, f.compression = compression;
    Layer layer;
    layer.left = 3, layer.top = 2, layer.width = 30, layer.height = 9;
    layer.channels = RGBChannels(0, 30, 9);
    layer.channels.insert(layer.channels.begin(), {1, 0, Plane(30, 9, [](int x, int) { return x * 8; })});
    f.layers.push_back(layer);
    QString message;
    const QImage image = Decode<TPSPGraphic>(PSPWriter(f).Write(), &message);
    ASSERT_FALSE(image.isNull()) << message.toStdString();
    ASSERT_EQ(image.size(), QSize(40, 12));
    ASSERT_EQ(image.format(), QImage::Format_ARGB32);
    EXPECT_EQ(image.pixel(0, 0), qRgba(0, 0, 0, 0)) << "outside the stored pixels";
    EXPECT_EQ(image.pixel(39, 11), qRgba(0, 0, 0, 0));
    int wrong = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 30; ++x)
            wrong += image.pixel(x + 3, y + 2) != qRgba(Red(x, y), Green(x, y), Blue(x, y), x * 8);
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(PSPGraphic, PSPLayerRows, testing::Combine(testing::Values(3, 4, 5, 8), testing::Values(0, 1, 2)),
                         [](const testing::TestParamInfo<std::tuple<int, int>> &info) {
                             return "format" + std::to_string(std::get<0>(info.param)) + "_compression"
                                    + std::to_string(std::get<1>(info.param));
                         });

TEST(PSPGraphic, CompositeBeforeLayersAndVisibleLayerBeforeHidden)
{
    PSPFile f;
    f.width = 20, f.height = 10, f.compression = 1;
    Layer hidden;
    hidden.width = 20, hidden.height = 10, hidden.visible = false;
    hidden.channels = RGBChannels(0, 20, 10, 2);
    Layer shown = hidden;
    shown.visible = true;
    shown.channels = RGBChannels(0, 20, 10, 1);
    f.layers = {hidden, shown};
    EXPECT_EQ(qRed(Decode<TPSPGraphic>(PSPWriter(f).Write()).pixel(0, 0)), 100) << "the visible layer";
    f.layers = {hidden};
    EXPECT_EQ(qRed(Decode<TPSPGraphic>(PSPWriter(f).Write()).pixel(0, 0)), 50) << "only a hidden one";

    // A thumbnail first, then the full composite: the composite wins.
    f.layers = {shown};
    f.composites = {{1, 8, 4, 24, RGBChannels(5, 8, 4, 3)}, {0, 20, 10, 24, RGBChannels(8, 20, 10)}};
    QImage image = Decode<TPSPGraphic>(PSPWriter(f).Write());
    ASSERT_EQ(image.size(), QSize(20, 10));
    EXPECT_EQ(image.format(), QImage::Format_BGR888);
    EXPECT_EQ(image.pixel(7, 5), qRgb(Red(7, 5), Green(7, 5), Blue(7, 5)));
    // Without layers, a thumbnail is the last resort.
    f.layers.clear();
    f.composites.pop_back();
    image = Decode<TPSPGraphic>(PSPWriter(f).Write());
    ASSERT_EQ(image.size(), QSize(8, 4));
    EXPECT_EQ(qRed(image.pixel(0, 0)), 200 >> 3);
}

TEST(PSPGraphic, PalettedGreyAndPackedDepths)
{
    QList<QRgb> palette;
    for (int i = 0; i < 256; ++i)
        palette.append(qRgb(i, 255 - i, i / 2));
    const auto index = [](int x, int y) { return (x * 7 + y) % 256; };

    // Format 3 whose layer header counts only the fixed fields (371 bytes).
    PSPFile f;
    f.major = 3, f.width = 33, f.height = 5, f.bitDepth = 8, f.compression = 2, f.palette = palette;
    f.layerChunkLength = 371;
    Layer layer;
    layer.width = 33, layer.height = 5;
    layer.channels = {{0, 0, Plane(33, 5, index, 4)}}; // rows padded to 4 bytes
    f.layers = {layer};
    QString message;
    QImage image = Decode<TPSPGraphic>(PSPWriter(f).Write(), &message);
    ASSERT_FALSE(image.isNull()) << message.toStdString();
    EXPECT_EQ(image.format(), QImage::Format_Indexed8);
    EXPECT_EQ(image.pixel(32, 4), palette[index(32, 4)]);
    EXPECT_EQ(image.pixel(5, 1), palette[index(5, 1)]);

    f.greyscale = true;
    f.palette.clear();
    f.major = 6;
    image = Decode<TPSPGraphic>(PSPWriter(f).Write());
    EXPECT_EQ(image.pixel(5, 1), qRgb(36, 36, 36));

    for (int bits : {1, 4}) {
        SCOPED_TRACE(bits);
        const auto small = [bits](int x, int y) { return (x + y) % (1 << bits); };
        PSPFile g;
        g.width = 21, g.height = 3, g.bitDepth = bits, g.compression = 1;
        g.palette = {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(1, 2, 3)};
        Layer l;
        l.width = 21, l.height = 3;
        l.channels = {{0, 0, PackedPlane(21, 3, bits, small, bits == 1 ? 4 : 1)}};
        g.layers = {l};
        image = Decode<TPSPGraphic>(PSPWriter(g).Write(), &message);
        ASSERT_FALSE(image.isNull()) << message.toStdString();
        int wrong = 0;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 21; ++x)
                wrong += image.pixelIndex(x, y) != small(x, y);
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
    }
}

TEST(PSPGraphic, BadFilesFailCleanly)
{
    PSPFile f;
    f.width = 8, f.height = 4, f.compression = 1;
    Layer layer;
    layer.width = 8, layer.height = 4;
    layer.channels = RGBChannels(0, 8, 4);
    f.layers = {layer};
    const QByteArray good = PSPWriter(f).Write();
    ASSERT_FALSE(Decode<TPSPGraphic>(good).isNull());

    const QString format = QStringLiteral("Cannot load image. Invalid or unexpected PSP image format.");
    QByteArray bad = good;
    bad[3] = 'x';
    EXPECT_EQ(ErrorOf<TPSPGraphic>(bad), format);
    bad = good;
    bad[32] = 2;
    EXPECT_EQ(ErrorOf<TPSPGraphic>(bad), format) << "format 2";
    EXPECT_EQ(ErrorOf<TPSPGraphic>(good.left(good.size() - 3)), QStringLiteral("Stream read error"));
    EXPECT_EQ(ErrorOf<TPSPGraphic>(good.left(60)), QStringLiteral("Stream read error"));

    PSPFile wide = f;
    wide.bitDepth = 48;
    EXPECT_EQ(ErrorOf<TPSPGraphic>(PSPWriter(wide).Write()), QStringLiteral("Invalid color format in PSP file."));
    PSPFile huge = f;
    huge.width = 70000;
    EXPECT_NE(ErrorOf<TPSPGraphic>(PSPWriter(huge).Write()), QStringLiteral("(no error)"));

    // A plane whose stored length fits no row layout.
    PSPFile odd = f;
    odd.layers[0].channels[1].plane.append('\0');
    EXPECT_EQ(ErrorOf<TPSPGraphic>(PSPWriter(odd).Write()), format);
    // A hostile unpacked length with a few packed bytes is refused before
    // the plane is allocated.
    PSPFile big = f;
    big.width = 30000, big.height = 8000;
    big.layers[0].width = 30000, big.layers[0].height = 8000;
    big.layers[0].channels = {{0, 1, QByteArray(1000, '\0'), 30000 * 8000}};
    EXPECT_EQ(ErrorOf<TPSPGraphic>(PSPWriter(big).Write()), QStringLiteral("Stream read error"));
    PSPFile none = f;
    none.layers.clear();
    EXPECT_EQ(ErrorOf<TPSPGraphic>(PSPWriter(none).Write()), format) << "no picture at all";
}
