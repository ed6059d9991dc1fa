#include "project/ComponentReader.h"

#include "common/Text8Bit.h"
#include "project/ExtendedFloat.h"

#include <cmath>
#include <vector>

void ThrowInvalidPropertyValue()
{
    throw VistranoError(QStringLiteral("Invalid property value"));
}

ValueTag TComponentReader::ReadTag()
{
    const uint8_t tag = m_in.U8();
    if (tag > kLastValueTag)
        ThrowInvalidPropertyValue();
    return ValueTag(tag);
}

ValueTag TComponentReader::PeekTag() const
{
    ByteReader copy = m_in;
    const uint8_t tag = copy.U8();
    if (tag > kLastValueTag)
        ThrowInvalidPropertyValue();
    return ValueTag(tag);
}

QByteArray TComponentReader::ReadShortStringBytes()
{
    const uint8_t length = m_in.U8();
    const auto bytes = m_in.Bytes(length);
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

QString TComponentReader::ReadShortString()
{
    const uint8_t length = m_in.U8();
    const auto bytes = m_in.Bytes(length);
    return DecodeText8(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

int32_t TComponentReader::ReadIntegerAfter(ValueTag tag)
{
    switch (tag) {
    case ValueTag::Int8:
        return m_in.I8();
    case ValueTag::Int16:
        return m_in.I16LE();
    case ValueTag::Int32:
        return m_in.I32LE();
    case ValueTag::Int64: {
        const uint64_t low = m_in.U32LE();
        const uint64_t high = m_in.U32LE();
        const auto value = int64_t(low | high << 32);
        if (value < INT32_MIN || value > INT32_MAX)
            ThrowInvalidPropertyValue();
        return int32_t(value);
    }
    default:
        ThrowInvalidPropertyValue();
    }
}

long double TComponentReader::ReadFloatAfter(ValueTag tag)
{
    switch (tag) {
    case ValueTag::Extended: {
        ExtendedBytes bytes;
        m_in.Read(bytes.data(), bytes.size());
        if (!IsProperFiniteExtended(bytes))
            ThrowInvalidPropertyValue();
        return FromExtendedBytes(bytes);
    }
    case ValueTag::Int8:
    case ValueTag::Int16:
    case ValueTag::Int32:
        return ReadIntegerAfter(tag);
    case ValueTag::Int64: {
        const uint64_t low = m_in.U32LE();
        const uint64_t high = m_in.U32LE();
        return static_cast<long double>(int64_t(low | high << 32));
    }
    case ValueTag::Single: {
        const uint32_t bits = m_in.U32LE();
        float value;
        std::memcpy(&value, &bits, 4);
        if (!std::isfinite(value))
            ThrowInvalidPropertyValue();
        return value;
    }
    case ValueTag::Date: {
        const uint64_t low = m_in.U32LE();
        const uint64_t bits = low | uint64_t(m_in.U32LE()) << 32;
        double value;
        std::memcpy(&value, &bits, 8);
        if (!std::isfinite(value))
            ThrowInvalidPropertyValue();
        return value;
    }
    case ValueTag::Currency: {
        const uint64_t low = m_in.U32LE();
        const auto value = int64_t(low | uint64_t(m_in.U32LE()) << 32);
        return static_cast<long double>(value) / 10000;
    }
    default:
        ThrowInvalidPropertyValue();
    }
}

QString TComponentReader::ReadTextAfter(ValueTag tag)
{
    switch (tag) {
    case ValueTag::String:
        return ReadShortString();
    case ValueTag::LongString: {
        const uint32_t length = m_in.U32LE();
        const auto bytes = m_in.Bytes(length);
        return DecodeText8(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    }
    case ValueTag::Utf8String: {
        const uint32_t length = m_in.U32LE();
        const auto bytes = m_in.Bytes(length);
        return QString::fromUtf8(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
    }
    case ValueTag::WideString: {
        const uint32_t units = m_in.U32LE();
        if (units > m_in.Remaining() / 2)
            throw EReadError();
        const auto bytes = m_in.Bytes(size_t(units) * 2);
        QString text(qsizetype(units), Qt::Uninitialized);
        for (uint32_t i = 0; i < units; ++i)
            text[i] = QChar(char16_t(bytes[2 * i] | bytes[2 * i + 1] << 8));
        return text;
    }
    default:
        ThrowInvalidPropertyValue();
    }
}

std::span<const uint8_t> TComponentReader::ReadBinaryAfter(ValueTag tag)
{
    if (tag != ValueTag::Binary)
        ThrowInvalidPropertyValue();
    const uint32_t length = m_in.U32LE();
    return m_in.Bytes(length);
}

QStringList TComponentReader::ReadSetAfter(ValueTag tag)
{
    if (tag != ValueTag::Set)
        ThrowInvalidPropertyValue();
    QStringList members;
    for (;;) {
        const QString name = ReadShortString();
        if (name.isEmpty())
            return members;
        members << name;
    }
}

void TComponentReader::SkipValueAfter(ValueTag first)
{
    // What the reader is inside of: a list of values, a collection of items,
    // or the property list of one collection item. Every frame is opened by
    // a byte of the data, so the stack never outgrows the data.
    enum Frame : uint8_t { Values, Items, Properties };
    std::vector<Frame> frames;
    const auto skipOne = [&](ValueTag tag) {
        switch (tag) {
        case ValueTag::End: ThrowInvalidPropertyValue();
        case ValueTag::List: frames.push_back(Values); break;
        case ValueTag::Collection: frames.push_back(Items); break;
        case ValueTag::Int8: m_in.Skip(1); break;
        case ValueTag::Int16: m_in.Skip(2); break;
        case ValueTag::Int32:
        case ValueTag::Single: m_in.Skip(4); break;
        case ValueTag::Int64:
        case ValueTag::Currency:
        case ValueTag::Date: m_in.Skip(8); break;
        case ValueTag::Extended: m_in.Skip(10); break;
        case ValueTag::String:
        case ValueTag::Ident: m_in.Skip(m_in.U8()); break;
        case ValueTag::False:
        case ValueTag::True:
        case ValueTag::Nil: break;
        case ValueTag::Binary:
        case ValueTag::LongString:
        case ValueTag::Utf8String: m_in.Skip(m_in.U32LE()); break;
        case ValueTag::WideString: {
            const uint32_t units = m_in.U32LE();
            if (units > m_in.Remaining() / 2)
                throw EReadError();
            m_in.Skip(size_t(units) * 2);
            break;
        }
        case ValueTag::Set:
            while (const uint8_t length = m_in.U8())
                m_in.Skip(length);
            break;
        }
    };
    skipOne(first);
    while (!frames.empty()) {
        switch (frames.back()) {
        case Values: {
            const ValueTag tag = ReadTag();
            if (tag == ValueTag::End)
                frames.pop_back();
            else
                skipOne(tag);
            break;
        }
        case Items: {
            ValueTag tag = ReadTag();
            if (tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32) {
                ReadIntegerAfter(tag); // the item's order
                tag = ReadTag();
            }
            if (tag == ValueTag::End)
                frames.pop_back();
            else if (tag == ValueTag::List)
                frames.push_back(Properties);
            else
                ThrowInvalidPropertyValue();
            break;
        }
        case Properties: {
            const uint8_t nameLength = m_in.U8();
            if (nameLength == 0) {
                frames.pop_back();
                break;
            }
            m_in.Skip(nameLength);
            skipOne(ReadTag());
            break;
        }
        }
    }
}
