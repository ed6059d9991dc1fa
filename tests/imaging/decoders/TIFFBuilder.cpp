#include "TIFFBuilder.h"

TIFFBuilder &TIFFBuilder::Field(uint16_t tag, uint16_t type, std::vector<uint32_t> values)
{
    m_removed.erase(tag);
    m_fields[tag] = {type, std::move(values)};
    return *this;
}

TIFFBuilder &TIFFBuilder::Remove(uint16_t tag)
{
    m_fields.erase(tag);
    m_removed.insert(tag);
    return *this;
}

TIFFBuilder &TIFFBuilder::Chunks(std::vector<QByteArray> chunks, bool tiled)
{
    m_chunks = std::move(chunks);
    m_tiled = tiled;
    return *this;
}

TIFFBuilder TIFFBuilder::Picture(uint32_t width, uint32_t height, uint32_t bits, uint32_t samples,
                                 uint32_t photometric, uint32_t compression, const QByteArray &data)
{
    TIFFBuilder builder;
    builder.Long(256, {width}).Long(257, {height}).Short(258, std::vector<uint32_t>(samples, bits));
    builder.Short(259, {compression}).Short(262, {photometric}).Short(277, {samples}).Long(278, {height});
    builder.Chunks({data});
    return builder;
}

void TIFFBuilder::Put16(QByteArray &out, uint32_t v) const
{
    if (m_bigEndian)
        out.append(char(v >> 8)).append(char(v));
    else
        out.append(char(v)).append(char(v >> 8));
}

void TIFFBuilder::Put32(QByteArray &out, uint32_t v) const
{
    if (m_bigEndian) {
        Put16(out, v >> 16);
        Put16(out, v & 0xFFFF);
    } else {
        Put16(out, v & 0xFFFF);
        Put16(out, v >> 16);
    }
}

QByteArray TIFFBuilder::Build() const
{
    QByteArray out(m_bigEndian ? "MM" : "II");
    Put16(out, 42);
    Put32(out, 0); // directory offset, set below
    auto fields = m_fields;
    std::vector<uint32_t> offsets, counts;
    for (const QByteArray &chunk : m_chunks) {
        offsets.push_back(uint32_t(out.size()));
        counts.push_back(uint32_t(chunk.size()));
        out.append(chunk);
    }
    const uint16_t offsetTag = m_tiled ? 324 : 273, countTag = m_tiled ? 325 : 279;
    if (!m_chunks.empty()) {
        if (!fields.count(offsetTag) && !m_removed.count(offsetTag))
            fields[offsetTag] = {4, offsets};
        if (!fields.count(countTag) && !m_removed.count(countTag))
            fields[countTag] = {4, counts};
    }
    if (out.size() & 1)
        out.append('\0');
    // Values that do not fit into an entry go after the data.
    std::map<uint16_t, uint32_t> placed;
    for (const auto &[tag, field] : fields) {
        const unsigned size = field.first == 3 ? 2 : field.first == 4 ? 4 : 1;
        if (field.second.size() * size <= 4)
            continue;
        placed[tag] = uint32_t(out.size());
        for (uint32_t v : field.second) {
            if (size == 2)
                Put16(out, v);
            else if (size == 4)
                Put32(out, v);
            else
                out.append(char(v));
        }
        if (out.size() & 1)
            out.append('\0');
    }
    const uint32_t directory = uint32_t(out.size());
    QByteArray header;
    Put32(header, directory);
    out.replace(4, 4, header);
    Put16(out, uint32_t(fields.size()));
    for (const auto &[tag, field] : fields) {
        Put16(out, tag);
        Put16(out, field.first);
        Put32(out, uint32_t(field.second.size()));
        if (placed.count(tag)) {
            Put32(out, placed[tag]);
            continue;
        }
        QByteArray inline4;
        for (uint32_t v : field.second) {
            if (field.first == 3)
                Put16(inline4, v);
            else if (field.first == 4)
                Put32(inline4, v);
            else
                inline4.append(char(v));
        }
        inline4.append(QByteArray(4 - inline4.size(), '\0'));
        out.append(inline4);
    }
    Put32(out, 0);
    return out;
}
