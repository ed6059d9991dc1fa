#pragma once

#include "imaging/decoders/ByteReader.h"
#include "project/ValueTag.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// Reads the values of a component stream through a bounded reader: every
// length and count is checked against the bytes that are left before
// anything is allocated for it ("Stream read error"). It knows nothing of
// properties; a value of the wrong kind is "Invalid property value".
class TComponentReader
{
public:
    explicit TComponentReader(ByteReader &in) : m_in(in) {}

    ByteReader &Input() { return m_in; }

    ValueTag ReadTag();
    ValueTag PeekTag() const;
    QByteArray ReadShortStringBytes();
    QString ReadShortString();

    // The value after an integer tag (Int8, Int16, Int32, Int64 in the range
    // of 32 bits).
    int32_t ReadIntegerAfter(ValueTag tag);
    // A number after TagExtended, an integer tag, TagSingle, TagCurrency or
    // TagDate. Only finite values in their proper encoding are accepted.
    long double ReadFloatAfter(ValueTag tag);
    // A text after any of the four text tags.
    QString ReadTextAfter(ValueTag tag);
    QString ReadText() { return ReadTextAfter(ReadTag()); }
    // The payload of TagBinary: its length is checked against what is left.
    std::span<const uint8_t> ReadBinaryAfter(ValueTag tag);
    // The member names of a TagSet.
    QStringList ReadSetAfter(ValueTag tag);

    // Skips one value of any kind, lists and collections included, without
    // recursion however deep they nest.
    void SkipValueAfter(ValueTag tag);

private:
    ByteReader &m_in;
};

// The error of a value whose tag does not fit its property.
[[noreturn]] void ThrowInvalidPropertyValue();
