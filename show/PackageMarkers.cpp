#include "show/PackageMarkers.h"

#include <algorithm>

namespace {

// The compiler must not fold the upper-casing of these into a literal of the
// marker; a volatile read keeps the work at run time.
QByteArray MakePrefix(const char (&lowerCase)[5])
{
    QByteArray prefix(4, Qt::Uninitialized);
    for (int i = 0; i < 4; ++i) {
        volatile char c = lowerCase[i];
        prefix[i] = c;
    }
    return UpperCaseAscii(prefix);
}

} // namespace

QByteArray UpperCaseAscii(QByteArrayView text)
{
    QByteArray result(text.data(), text.size());
    for (char &c : result) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return result;
}

const QByteArray &StartMarkerPrefix()
{
    static const QByteArray prefix = MakePrefix("so!#");
    return prefix;
}

const QByteArray &EndMarkerPrefix()
{
    static const QByteArray prefix = MakePrefix("eo!#");
    return prefix;
}

QByteArray SectionStartMarker(QByteArrayView key)
{
    return StartMarkerPrefix() + UpperCaseAscii(key);
}

QByteArray SectionEndMarker(QByteArrayView key)
{
    return EndMarkerPrefix() + UpperCaseAscii(key);
}

QByteArray SectionBytes(QByteArrayView key, QByteArrayView value)
{
    const QByteArray start = SectionStartMarker(key);
    const QByteArray end = SectionEndMarker(key);
    QByteArray bytes;
    bytes.reserve(start.size() + value.size() + end.size());
    bytes.append(start).append(value).append(end);
    return bytes;
}

bool IsSectionKeyCharacter(char c)
{
    return c > ' ' && c <= '~' && !(c >= 'a' && c <= 'z');
}

bool IsSectionKey(QByteArrayView key)
{
    return !key.isEmpty() && key.size() <= kMaxSectionKeyLength && !ContainsMarkerPrefix(key)
           && std::all_of(key.begin(), key.end(), IsSectionKeyCharacter);
}

bool ContainsMarkerPrefix(QByteArrayView bytes)
{
    return bytes.indexOf(StartMarkerPrefix()) >= 0 || bytes.indexOf(EndMarkerPrefix()) >= 0;
}
