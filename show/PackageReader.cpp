#include "show/PackageReader.h"

#include "show/PackageMarkers.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr qsizetype kPrefixSize = 4;

struct MarkerPlaces
{
    std::vector<qsizetype> starts; // offsets of the start prefix, ascending
    std::vector<qsizetype> ends;   // offsets of the end prefix, ascending
};

// Both prefixes have their third byte in common, and it is rare in pictures
// and sound; one pass of memchr over the file finds the places of both.
MarkerPlaces FindMarkers(QByteArrayView package)
{
    const QByteArray &start = StartMarkerPrefix();
    const QByteArray &end = EndMarkerPrefix();
    MarkerPlaces places;
    if (package.size() < kPrefixSize)
        return places;
    const char *data = package.data();
    // The third byte stands at 2 or later, with the fourth byte behind it.
    const char *last = data + package.size() - (kPrefixSize - 3);
    for (const char *at = data + 2; at < last; ++at) {
        at = static_cast<const char *>(std::memchr(at, start[2], size_t(last - at)));
        if (!at)
            break;
        const QByteArrayView candidate(at - 2, kPrefixSize);
        if (candidate == start)
            places.starts.push_back(at - 2 - data);
        else if (candidate == end)
            places.ends.push_back(at - 2 - data);
    }
    return places;
}

// A section a start marker can open: the end marker it runs to, and the
// length of its key.
struct Choice
{
    qsizetype end = -1;
    qsizetype keyLength = 0;
};

// The two nearest end markers of one key, seen from before them. The nearer
// may begin inside the key of the start marker that looks for it (in
// "SO!#AEO!#AE" the key "AE" runs into "EO!#AE"); the farther cannot.
struct NearestEnds
{
    qsizetype first = -1;
    qsizetype second = -1;
    void Add(qsizetype end)
    {
        second = first;
        first = end;
    }
};

using EndsByKey = QHash<QByteArray, NearestEnds>;

// Which sections each start marker can open, found from the back of the file
// to the front: an end marker closes a section of its key when the bytes
// between it and the next start marker (or the end of the file) are that key,
// and closes a whole one when from there on whole sections run to the end of
// the file. A start marker then takes the nearest end marker whose key follows
// it, so a value is never taken for part of a longer key.
class SectionChoices
{
public:
    SectionChoices(QByteArrayView package, const std::vector<qsizetype> &starts, const std::vector<qsizetype> &ends)
        : whole(starts.size()), any(starts.size()), m_package(package)
    {
        size_t s = starts.size();
        size_t e = ends.size();
        while (s > 0 || e > 0) {
            if (e > 0 && (s == 0 || ends[e - 1] > starts[s - 1])) {
                --e;
                AddEnd(starts, ends[e]);
            } else {
                --s;
                ChooseFor(s, starts[s]);
            }
        }
    }

    std::vector<Choice> whole; // sections followed by whole ones to the end
    std::vector<Choice> any;   // sections followed by a start marker or the end

private:
    void AddEnd(const std::vector<qsizetype> &starts, qsizetype end)
    {
        const qsizetype keyBegin = end + kPrefixSize;
        const size_t next = size_t(std::lower_bound(starts.begin(), starts.end(), keyBegin) - starts.begin());
        const qsizetype keyEnd = next < starts.size() ? starts[next] : m_package.size();
        const QByteArrayView key = m_package.sliced(keyBegin, keyEnd - keyBegin);
        if (!IsSectionKey(key))
            return;
        m_lengths |= std::uint64_t(1) << key.size();
        const QByteArray stored = key.toByteArray();
        m_anyEnds[stored].Add(end);
        if (next == starts.size() || whole[next].end >= 0)
            m_wholeEnds[stored].Add(end);
    }

    void ChooseFor(size_t index, qsizetype start)
    {
        const qsizetype keyBegin = start + kPrefixSize;
        const qsizetype longest = std::min(kMaxSectionKeyLength, m_package.size() - keyBegin);
        for (qsizetype length = 1; length <= longest; ++length) {
            if (!IsSectionKeyCharacter(m_package[keyBegin + length - 1]))
                break;
            const qsizetype tail = keyBegin + length - kPrefixSize;
            if (length >= kPrefixSize && ContainsMarkerPrefix(m_package.sliced(tail, kPrefixSize)))
                break;
            if (!(m_lengths & (std::uint64_t(1) << length)))
                continue;
            const QByteArray key = QByteArray::fromRawData(m_package.data() + keyBegin, length);
            Consider(m_wholeEnds, key, keyBegin + length, whole[index]);
            Consider(m_anyEnds, key, keyBegin + length, any[index]);
        }
    }

    static void Consider(const EndsByKey &ends, const QByteArray &key, qsizetype valueBegin, Choice &best)
    {
        const auto found = ends.constFind(key);
        if (found == ends.cend())
            return;
        const qsizetype end = found->first >= valueBegin ? found->first : found->second;
        if (end >= valueBegin && (best.end < 0 || end < best.end))
            best = {end, key.size()};
    }

    QByteArrayView m_package;
    EndsByKey m_wholeEnds;
    EndsByKey m_anyEnds;
    std::uint64_t m_lengths = 0; // bit n: some end marker has a key of n bytes
};

} // namespace

SectionListing ListSections(QByteArrayView package)
{
    const MarkerPlaces places = FindMarkers(package);
    const std::vector<qsizetype> &starts = places.starts;
    const SectionChoices choices(package, starts, places.ends);
    auto opensSection = [&](size_t i) { return choices.any[i].end >= 0; };
    auto nextOpening = [&](size_t from) {
        while (from < starts.size() && !opensSection(from))
            ++from;
        return from;
    };

    SectionListing listing;
    // Start markers before the first one that opens a section are stray
    // bytes of the template.
    size_t i = nextOpening(0);
    if (i == starts.size()) {
        // None opens a section. One followed by what could begin a key is
        // taken for a section cut off; otherwise the file is a bare template.
        i = 0;
        while (i < starts.size() && starts[i] + kPrefixSize < package.size()
               && !IsSectionKeyCharacter(package[starts[i] + kPrefixSize]))
            ++i;
    }
    listing.templateSize = i < starts.size() ? starts[i] : package.size();
    while (i < starts.size()) {
        const qsizetype start = starts[i];
        if (!opensSection(i)) {
            listing.broken.push_back(start);
            if (listing.problem.isEmpty())
                listing.problem = QStringLiteral("The section at offset %1 is cut off or damaged").arg(start);
            i = nextOpening(i + 1);
            continue;
        }
        // A damaged file may have no whole sections behind this one; then
        // the nearest end of its key is the best guess.
        const Choice choice = choices.whole[i].end >= 0 ? choices.whole[i] : choices.any[i];
        ListedSection section;
        section.key = package.sliced(start + kPrefixSize, choice.keyLength).toByteArray();
        section.start = start;
        section.valueOffset = start + kPrefixSize + choice.keyLength;
        section.valueLength = choice.end - section.valueOffset;
        section.end = choice.end + kPrefixSize + choice.keyLength;
        listing.sections.push_back(std::move(section));
        // The key of an end marker runs to the next start marker, so the next
        // section begins right behind this one, or the file ends.
        i = size_t(std::lower_bound(starts.begin() + i, starts.end(), listing.sections.back().end) - starts.begin());
    }
    return listing;
}

PackageIndex::PackageIndex(QByteArrayView package) : m_package(package), m_listing(ListSections(package))
{
    // Stored keys are upper case; the first section of a key counts.
    for (qsizetype i = 0; i < qsizetype(m_listing.sections.size()); ++i) {
        const QByteArray &key = m_listing.sections[size_t(i)].key;
        if (!m_byKey.contains(key))
            m_byKey.insert(key, i);
    }
}

SectionLookup PackageIndex::Find(QByteArrayView key) const
{
    const QByteArray upper = UpperCaseAscii(key);
    const auto found = m_byKey.constFind(upper);
    if (found != m_byKey.cend()) {
        const ListedSection &section = m_listing.sections[size_t(*found)];
        return {SectionState::Found, m_package.sliced(section.valueOffset, section.valueLength), section.start,
                section.end};
    }
    if (IsSectionKey(upper)) {
        for (qsizetype start : m_listing.broken) {
            if (m_package.sliced(start + kPrefixSize).startsWith(upper))
                return {SectionState::Damaged, {}, -1, -1};
        }
    }
    return {};
}

SectionLookup FindSection(QByteArrayView package, QByteArrayView key)
{
    return PackageIndex(package).Find(key);
}
