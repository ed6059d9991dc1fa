#include "tests/imaging/decoders/HEIFBoxes.h"

#include <gtest/gtest.h>

#include <map>

namespace {

uint32_t Get(const QByteArray &bytes, qsizetype at, int size)
{
    uint32_t value = 0;
    for (int i = 0; i < size; ++i)
        value = value << 8 | uchar(bytes.at(at + i));
    return value;
}

QByteArray Be(uint32_t value, int size)
{
    QByteArray out;
    for (int i = size - 1; i >= 0; --i)
        out.append(char(value >> (8 * i)));
    return out;
}

QByteArray Box(const char *type, const QByteArray &payload)
{
    return Be(uint32_t(payload.size() + 8), 4) + QByteArray(type, 4) + payload;
}

QByteArray FullBox(const char *type, int version, uint32_t flags, const QByteArray &payload)
{
    return Box(type, Be(uint32_t(version), 1) + Be(flags, 3) + payload);
}

// The child boxes of [begin, end): type -> (start of payload, payload size).
std::multimap<QByteArray, std::pair<qsizetype, qsizetype>> Children(const QByteArray &bytes, qsizetype begin, qsizetype end)
{
    std::multimap<QByteArray, std::pair<qsizetype, qsizetype>> boxes;
    while (begin + 8 <= end) {
        const qsizetype size = Get(bytes, begin, 4);
        if (size < 8 || begin + size > end)
            break;
        boxes.insert({bytes.mid(begin + 4, 4), {begin + 8, size - 8}});
        begin += size;
    }
    return boxes;
}

} // namespace

CodedHEVC ExtractCodedPicture(const QByteArray &heif)
{
    CodedHEVC coded;
    const auto top = Children(heif, 0, heif.size());
    const auto meta = top.find("meta");
    if (meta == top.end()) {
        ADD_FAILURE() << "no meta box";
        return coded;
    }
    const auto inMeta = Children(heif, meta->second.first + 4, meta->second.first + meta->second.second);
    const auto pitm = inMeta.find("pitm"), iloc = inMeta.find("iloc"), iprp = inMeta.find("iprp");
    if (pitm == inMeta.end() || iloc == inMeta.end() || iprp == inMeta.end()) {
        ADD_FAILURE() << "pitm, iloc or iprp missing";
        return coded;
    }
    const uint32_t primary = Get(heif, pitm->second.first + 4, 2);

    // iloc: the primary item's single extent.
    qsizetype at = iloc->second.first;
    const int version = uchar(heif.at(at));
    at += 4;
    const int offsetSize = uchar(heif.at(at)) >> 4, lengthSize = uchar(heif.at(at)) & 15;
    const int baseSize = uchar(heif.at(at + 1)) >> 4, indexSize = version >= 1 ? uchar(heif.at(at + 1)) & 15 : 0;
    at += 2;
    const int idSize = version == 2 ? 4 : 2;
    const uint32_t items = Get(heif, at, version == 2 ? 4 : 2);
    at += version == 2 ? 4 : 2;
    for (uint32_t i = 0; i < items; ++i) {
        const uint32_t id = Get(heif, at, idSize);
        at += idSize + (version >= 1 ? 2 : 0) + 2;
        const uint32_t base = baseSize ? Get(heif, at, baseSize) : 0;
        at += baseSize;
        const uint32_t extents = Get(heif, at, 2);
        at += 2;
        for (uint32_t e = 0; e < extents; ++e) {
            at += indexSize;
            const uint32_t offset = Get(heif, at, offsetSize);
            const uint32_t length = Get(heif, at + offsetSize, lengthSize);
            at += offsetSize + lengthSize;
            if (id == primary)
                coded.data += heif.mid(base + offset, length);
        }
    }
    const auto inProperties = Children(heif, iprp->second.first, iprp->second.first + iprp->second.second);
    const auto ipco = inProperties.find("ipco");
    if (ipco != inProperties.end()) {
        const auto properties = Children(heif, ipco->second.first, ipco->second.first + ipco->second.second);
        if (const auto hvcC = properties.find("hvcC"); hvcC != properties.end())
            coded.hvcC = heif.mid(hvcC->second.first - 8, hvcC->second.second + 8);
        if (const auto ispe = properties.find("ispe"); ispe != properties.end()) {
            coded.width = int(Get(heif, ispe->second.first + 4, 4));
            coded.height = int(Get(heif, ispe->second.first + 8, 4));
        }
    }
    EXPECT_FALSE(coded.data.isEmpty() || coded.hvcC.isEmpty() || coded.width == 0) << "no coded picture found";
    return coded;
}

QByteArray GridHEIF(const CodedHEVC &tile, int columns, int rows, int quarterTurns)
{
    const int tiles = columns * rows;
    const uint16_t gridId = uint16_t(tiles + 1);
    const QByteArray grid = Be(0, 1) + Be(0, 1) + Be(uint32_t(rows - 1), 1) + Be(uint32_t(columns - 1), 1)
        + Be(uint32_t(tile.width * columns), 2) + Be(uint32_t(tile.height * rows), 2);

    QByteArray infos = Be(uint32_t(tiles + 1), 2), references = Be(gridId, 2) + Be(uint32_t(tiles), 2);
    QByteArray associations = Be(uint32_t(tiles + 1), 4);
    for (int i = 1; i <= tiles; ++i) {
        infos += FullBox("infe", 2, 1, Be(uint32_t(i), 2) + Be(0, 2) + QByteArray("hvc1") + QByteArray(1, '\0'));
        references += Be(uint32_t(i), 2);
        associations += Be(uint32_t(i), 2) + Be(2, 1) + Be(0x81, 1) + Be(2, 1); // hvcC (essential), tile ispe
    }
    infos += FullBox("infe", 2, 0, Be(gridId, 2) + Be(0, 2) + QByteArray("grid") + QByteArray(1, '\0'));
    associations += Be(gridId, 2) + Be(quarterTurns ? 2 : 1, 1) + Be(3, 1) + (quarterTurns ? Be(0x84, 1) : QByteArray());
    const QByteArray properties = Box("ipco", tile.hvcC + FullBox("ispe", 0, 0, Be(uint32_t(tile.width), 4) + Be(uint32_t(tile.height), 4))
                                                  + FullBox("ispe", 0, 0, Be(uint32_t(tile.width * columns), 4)
                                                                              + Be(uint32_t(tile.height * rows), 4))
                                                  + Box("irot", Be(uint32_t(quarterTurns & 3), 1)));

    const QByteArray ftyp = Box("ftyp", QByteArray("heic") + Be(0, 4) + QByteArray("mif1heic"));
    // Every tile's extent points at the one coded picture; the grid's
    // description follows it. Offsets are absolute, so the meta box is
    // built once to learn its size and again with the real offsets.
    const auto meta = [&](uint32_t mdatData) {
        QByteArray locations = Be(0x44, 1) + Be(0, 1) + Be(uint32_t(tiles + 1), 2);
        for (int i = 1; i <= tiles; ++i)
            locations += Be(uint32_t(i), 2) + Be(0, 2) + Be(1, 2) + Be(mdatData, 4) + Be(uint32_t(tile.data.size()), 4);
        locations += Be(gridId, 2) + Be(0, 2) + Be(1, 2) + Be(mdatData + uint32_t(tile.data.size()), 4)
            + Be(uint32_t(grid.size()), 4);
        return FullBox("meta", 0, 0,
                       FullBox("hdlr", 0, 0, Be(0, 4) + QByteArray("pict") + QByteArray(13, '\0'))
                           + FullBox("pitm", 0, 0, Be(gridId, 2)) + FullBox("iloc", 0, 0, locations)
                           + FullBox("iinf", 0, 0, infos) + FullBox("iref", 0, 0, Box("dimg", references))
                           + Box("iprp", properties + FullBox("ipma", 0, 0, associations)));
    };
    const uint32_t dataAt = uint32_t(ftyp.size() + meta(0).size() + 8);
    return ftyp + meta(dataAt) + Box("mdat", tile.data + grid);
}
