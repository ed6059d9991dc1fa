// The package reader on arbitrary bytes: the section listing, the index by
// key and the player's reading of every value.

#include "show/PackageMarkers.h"
#include "show/PackageReader.h"
#include "show/ShowPackage.h"

#include <QByteArray>
#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void CheckAt(bool condition, int line)
{
    if (!condition) {
        std::fprintf(stderr, "check failed at line %d\n", line);
        std::abort();
    }
}
#define Check(condition) CheckAt(condition, __LINE__)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ShowPackage show = ReadShowPackage(bytes);
    unsigned sum = 0;
    auto touch = [&](QByteArrayView view) {
        // Every view must lie inside the input.
        Check(view.isEmpty()
              || (view.data() >= bytes.data() && view.data() + view.size() <= bytes.data() + bytes.size()));
        for (char c : view)
            sum += uchar(c);
    };
    touch(show.audio);
    for (const ShowSlide &slide : show.slides) {
        touch(slide.jpeg);
        Check(slide.transition >= 0 && slide.transition < kTransitionCount && slide.duration >= 0);
    }
    Check(!show.screenSize.isValid() || (show.screenSize.width() <= 8192 && show.screenSize.height() <= 8192));

    // The listed sections stand in file order, each a start marker with its
    // key, the value and the end marker with the same key; without a problem
    // they run back to back from the template to the end of the file, and
    // the template and the sections written out again give the input.
    const PackageIndex index(bytes);
    const SectionListing &listing = index.Listing();
    Check(listing.templateSize >= 0 && listing.templateSize <= bytes.size());
    Check(listing.broken.empty() == listing.problem.isEmpty());
    const bool whole = listing.problem.isEmpty();
    QByteArray again = bytes.first(listing.templateSize).toByteArray();
    qsizetype last = listing.templateSize;
    for (const ListedSection &section : listing.sections) {
        Check(IsSectionKey(section.key));
        Check(section.start >= last && (!whole || section.start == last));
        Check(section.valueLength >= 0 && section.end <= bytes.size());
        Check(bytes.sliced(section.start, section.valueOffset - section.start) == SectionStartMarker(section.key));
        const QByteArrayView value = bytes.sliced(section.valueOffset, section.valueLength);
        touch(value);
        const qsizetype valueEnd = section.valueOffset + section.valueLength;
        Check(bytes.sliced(valueEnd, section.end - valueEnd) == SectionEndMarker(section.key));
        again += SectionBytes(section.key, value);
        last = section.end;
    }
    Check(!whole || (last == bytes.size() && again == bytes));

    // Each listed key finds the first section of its key, in any letter case.
    for (const ListedSection &section : listing.sections) {
        const SectionLookup found = index.Find(section.key.toLower());
        Check(found.state == SectionState::Found && found.start <= section.start);
        const QByteArrayView stored = bytes.sliced(found.start + StartMarkerPrefix().size(), section.key.size());
        const SectionLookup same = index.Find(stored);
        Check(same.start == found.start && same.value.data() == found.value.data());
    }
    for (const char *key : {"dur1", "DUR14", "cap12", "BGAUDIO", "bgaudioext", "", "x y"}) {
        const SectionLookup a = index.Find(key);
        const SectionLookup b = FindSection(bytes, key);
        Check(a.state == b.state && a.value.data() == b.value.data() && a.value.size() == b.value.size());
    }
    return int(sum & 0);
}
