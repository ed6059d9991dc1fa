#include "project/ComponentWriter.h"

#include "common/Text8Bit.h"
#include "project/ExtendedFloat.h"

namespace {

bool IsAscii(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

} // namespace

void TComponentWriter::WriteInt32LE(int32_t value)
{
    const auto v = uint32_t(value);
    const char bytes[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    m_out.append(bytes, 4);
}

void TComponentWriter::WriteShortString(const QByteArray &bytes)
{
    const qsizetype length = std::min<qsizetype>(bytes.size(), 255);
    WriteByte(uint8_t(length));
    m_out.append(bytes.constData(), length);
}

void TComponentWriter::WriteShortString(const QString &text)
{
    WriteShortString(EncodeText8(text));
}

void TComponentWriter::WriteInteger(int32_t value)
{
    if (value >= -128 && value <= 127) {
        WriteTag(ValueTag::Int8);
        WriteByte(uint8_t(int8_t(value)));
    } else if (value >= -32768 && value <= 32767) {
        WriteTag(ValueTag::Int16);
        const auto v = uint16_t(int16_t(value));
        WriteByte(uint8_t(v));
        WriteByte(uint8_t(v >> 8));
    } else {
        WriteTag(ValueTag::Int32);
        WriteInt32LE(value);
    }
}

void TComponentWriter::WriteExtended(long double value)
{
    WriteTag(ValueTag::Extended);
    const ExtendedBytes bytes = ToExtendedBytes(value);
    m_out.append(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

void TComponentWriter::WriteIdent(const QString &name)
{
    WriteTag(ValueTag::Ident);
    WriteShortString(name);
}

void TComponentWriter::WriteText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() >= 2 * text.size() && !text.isEmpty()) {
        WriteTag(ValueTag::WideString);
        WriteInt32LE(int32_t(text.size()));
        for (QChar c : text) {
            WriteByte(uint8_t(c.unicode()));
            WriteByte(uint8_t(c.unicode() >> 8));
        }
    } else if (!IsAscii(text)) {
        WriteTag(ValueTag::Utf8String);
        WriteInt32LE(int32_t(utf8.size()));
        m_out.append(utf8);
    } else if (utf8.size() <= 255) {
        WriteTag(ValueTag::String);
        WriteShortString(utf8);
    } else {
        WriteTag(ValueTag::LongString);
        WriteInt32LE(int32_t(utf8.size()));
        m_out.append(utf8);
    }
}

void TComponentWriter::WriteBinary(const QByteArray &bytes)
{
    WriteTag(ValueTag::Binary);
    WriteInt32LE(int32_t(bytes.size()));
    m_out.append(bytes);
}
