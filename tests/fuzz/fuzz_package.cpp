// The player's reading of a package from arbitrary bytes: the marker index,
// the section rule, the section listing and the parsing of every value.

#include "show/PackageReader.h"
#include "show/ShowPackage.h"

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const ShowPackage show = ReadShowPackage(bytes);
    unsigned sum = 0;
    auto touch = [&](QByteArrayView view) {
        // Every view must lie inside the input.
        if (!view.isEmpty() && (view.data() < bytes.data() || view.data() + view.size() > bytes.data() + bytes.size()))
            std::abort();
        for (char c : view)
            sum += uchar(c);
    };
    touch(show.audio);
    for (const ShowSlide &slide : show.slides) {
        touch(slide.jpeg);
        if (slide.transition < 0 || slide.transition >= kTransitionCount || !(slide.duration >= 0))
            std::abort();
    }
    if (show.screenSize.isValid() && (show.screenSize.width() > 8192 || show.screenSize.height() > 8192))
        std::abort();

    const SectionListing listing = ListSections(bytes);
    qsizetype last = listing.templateSize;
    for (const ListedSection &section : listing.sections) {
        if (section.valueOffset < last || section.valueLength < 0)
            std::abort();
        touch(bytes.sliced(section.valueOffset, section.valueLength));
        last = section.valueOffset + section.valueLength;
        // The listed value is the one the section rule finds when its key
        // comes first.
        (void)FindSection(bytes, section.key);
    }
    const PackageIndex index(bytes);
    for (const char *key : {"dur1", "DUR10", "BGAUDIO", "bgaudioext", "", "x.y"}) {
        const SectionLookup a = index.Find(key);
        const SectionLookup b = FindSection(bytes, key);
        if (a.state != b.state || a.value.data() != b.value.data() || a.value.size() != b.value.size())
            std::abort();
    }
    return int(sum & 0);
}
