#include "show/PackageReader.h"

#include "show/PackageMarkers.h"

#include <algorithm>

namespace {

std::vector<qsizetype> FindAll(QByteArrayView package, const QByteArray &prefix)
{
    std::vector<qsizetype> offsets;
    for (qsizetype at = package.indexOf(prefix); at >= 0; at = package.indexOf(prefix, at + prefix.size()))
        offsets.push_back(at);
    return offsets;
}

// The first offset whose prefix is followed by the key.
qsizetype FirstWithKey(QByteArrayView package, const std::vector<qsizetype> &offsets, qsizetype prefixSize,
                       const QByteArray &key)
{
    for (qsizetype at : offsets) {
        if (package.sliced(at + prefixSize).startsWith(key))
            return at;
    }
    return -1;
}

constexpr qsizetype kIndexedKeyLength = 32;

bool IsKeyCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsIndexedKey(const QByteArray &key)
{
    return !key.isEmpty() && key.size() <= kIndexedKeyLength && std::all_of(key.begin(), key.end(), IsKeyCharacter);
}

// Offsets are visited in ascending order, so the first one to claim a key
// keeps it.
QHash<QByteArray, qsizetype> IndexKeys(QByteArrayView package, const std::vector<qsizetype> &offsets,
                                       qsizetype prefixSize)
{
    QHash<QByteArray, qsizetype> first;
    for (qsizetype at : offsets) {
        const QByteArrayView following = package.sliced(at + prefixSize).first(
            std::min(kIndexedKeyLength, package.size() - at - prefixSize));
        qsizetype length = 0;
        while (length < following.size() && IsKeyCharacter(following[length]))
            ++length;
        for (qsizetype size = 1; size <= length; ++size) {
            QByteArray key = following.first(size).toByteArray();
            if (!first.contains(key))
                first.insert(std::move(key), at);
        }
    }
    return first;
}

SectionLookup Lookup(QByteArrayView package, qsizetype start, qsizetype startMarkerSize, qsizetype end)
{
    if (start < 0)
        return {};
    const qsizetype valueStart = start + startMarkerSize;
    if (end < valueStart)
        return {SectionState::Damaged, {}};
    return {SectionState::Found, package.sliced(valueStart, end - valueStart)};
}

} // namespace

SectionLookup FindSection(QByteArrayView package, QByteArrayView key)
{
    const QByteArray start = SectionStartMarker(key);
    const QByteArray end = SectionEndMarker(key);
    return Lookup(package, package.indexOf(start), start.size(), package.indexOf(end));
}

PackageIndex::PackageIndex(QByteArrayView package)
    : m_package(package), m_starts(FindAll(package, StartMarkerPrefix())), m_ends(FindAll(package, EndMarkerPrefix()))
{
    const qsizetype prefixSize = StartMarkerPrefix().size();
    m_firstStart = IndexKeys(package, m_starts, prefixSize);
    m_firstEnd = IndexKeys(package, m_ends, prefixSize);
}

SectionLookup PackageIndex::Find(QByteArrayView key) const
{
    const QByteArray upper = UpperCaseAscii(key);
    const qsizetype prefixSize = StartMarkerPrefix().size();
    if (IsIndexedKey(upper))
        return Lookup(m_package, m_firstStart.value(upper, -1), prefixSize + upper.size(),
                      m_firstEnd.value(upper, -1));
    return Lookup(m_package, FirstWithKey(m_package, m_starts, prefixSize, upper), prefixSize + upper.size(),
                  FirstWithKey(m_package, m_ends, prefixSize, upper));
}

SectionListing ListSections(QByteArrayView package)
{
    const std::vector<qsizetype> starts = FindAll(package, StartMarkerPrefix());
    const std::vector<qsizetype> ends = FindAll(package, EndMarkerPrefix());
    const qsizetype prefixSize = StartMarkerPrefix().size();

    SectionListing listing;
    listing.templateSize = starts.empty() ? package.size() : starts.front();
    auto nextEnd = ends.begin();
    qsizetype at = listing.templateSize;
    while (at < package.size()) {
        const qsizetype keyStart = at + prefixSize;
        nextEnd = std::lower_bound(nextEnd, ends.end(), keyStart);
        bool matched = false;
        for (auto end = nextEnd; end != ends.end() && !matched; ++end) {
            const qsizetype endKey = *end + prefixSize;
            const auto following = std::lower_bound(starts.begin(), starts.end(), endKey);
            const qsizetype next = following == starts.end() ? package.size() : *following;
            const QByteArrayView key = package.sliced(endKey, next - endKey);
            if (key.isEmpty() || key.size() > *end - keyStart || !package.sliced(keyStart).startsWith(key))
                continue;
            listing.sections.push_back({key.toByteArray(), keyStart + key.size(), *end - keyStart - key.size()});
            at = next;
            nextEnd = end;
            matched = true;
        }
        if (!matched) {
            listing.problem = QStringLiteral("The section at offset %1 has no end marker").arg(at);
            break;
        }
    }
    return listing;
}
