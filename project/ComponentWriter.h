#pragma once

#include "project/ValueTag.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Appends the values of a component stream to a byte array: tags, integers
// in their smallest form, extended floats, texts by the text-tag rule, short
// strings, binary blocks. It knows nothing of properties; the record writer
// decides what to write.
class TComponentWriter
{
public:
    explicit TComponentWriter(QByteArray &out) : m_out(out) {}

    void WriteTag(ValueTag tag) { m_out.append(char(tag)); }
    void WriteByte(uint8_t byte) { m_out.append(char(byte)); }
    void WriteInt32LE(int32_t value);
    void WriteBytes(const QByteArray &bytes) { m_out.append(bytes); }

    // A length byte and at most 255 bytes of the text's 8-bit form.
    void WriteShortString(const QByteArray &bytes);
    void WriteShortString(const QString &text);

    // TagInt8, TagInt16 or TagInt32, whichever is the smallest that holds it.
    void WriteInteger(int32_t value);
    void WriteExtended(long double value);
    void WriteBoolean(bool value) { WriteTag(value ? ValueTag::True : ValueTag::False); }
    void WriteIdent(const QString &name);
    // ASCII text as TagString or TagLongString; other text as TagUtf8String,
    // or as TagWideString when its UTF-8 form takes at least two bytes for
    // every UTF-16 unit.
    void WriteText(const QString &text);
    void WriteBinary(const QByteArray &bytes);

    // A property entry's name: its dotted path as a short string.
    void WritePropertyName(const char *path) { WriteShortString(QByteArray(path)); }

private:
    QByteArray &m_out;
};
