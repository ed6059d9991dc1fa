#include "common/FileNames.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

bool IsEscapedByte(char16_t c)
{
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF;
}

// The length of the valid UTF-8 sequence at the start of the bytes and its
// code point; 0 when the first byte does not begin one (a stray continuation
// byte, an overlong form, a surrogate, a value above U+10FFFF or a sequence
// cut short).
int Utf8Sequence(const uint8_t *p, qsizetype left, char32_t &codePoint)
{
    const uint8_t lead = p[0];
    int length = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (left < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        codePoint = codePoint << 6 | (p[i] & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

void AppendUtf8(QByteArray &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | c >> 6);
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | c >> 12);
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | c >> 18);
        out += char(0x80 | (c >> 12 & 0x3F));
        out += char(0x80 | (c >> 6 & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

QString DecodeFileName(QByteArrayView bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    const auto *p = reinterpret_cast<const uint8_t *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        if (p[i] < 0x80) {
            name += QChar(char16_t(p[i++]));
        } else if (const int length = Utf8Sequence(p + i, bytes.size() - i, codePoint)) {
            name += QString::fromUcs4(&codePoint, 1);
            i += length;
        } else {
            name += QChar(char16_t(kEscapeBase + p[i++]));
        }
    }
    return name;
}

QByteArray EncodeFileName(const QString &name)
{
    if (FileNameIsText(name))
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1].unicode())) {
            AppendUtf8(bytes, QChar::surrogateToUcs4(c, name[i + 1].unicode()));
            ++i;
        } else if (IsEscapedByte(c)) {
            bytes += char(c - kEscapeBase);
        } else if (QChar::isSurrogate(c)) {
            AppendUtf8(bytes, 0xFFFD);
        } else {
            AppendUtf8(bytes, c);
        }
    }
    return bytes;
}

bool FileNameIsText(const QString &name)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (!QChar::isSurrogate(c))
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < name.size() && QChar::isLowSurrogate(name[i + 1].unicode()))
            ++i;
        else
            return false;
    }
    return true;
}
