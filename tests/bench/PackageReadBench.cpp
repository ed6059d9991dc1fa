// Reading a package, as the player does at start-up: the index of every
// section and the show's values, against one plain search through the whole
// file (the least any reader of the file can do) and against two searches per
// key from the start of the file. Also a file dense with marker bytes.

#include "show/PackageMarkers.h"
#include "show/PackageReader.h"
#include "show/ShowPackage.h"
#include "tests/bench/Bench.h"

#include <cstdio>
#include <random>

namespace {

QByteArray RandomBytes(std::mt19937 &random, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(random() & 0xFF);
    return bytes.replace(StartMarkerPrefix(), "so!#").replace(EndMarkerPrefix(), "eo!#");
}

// A show of 300 slides of 150 KB pictures with 5 MB of audio behind a 100 KB
// template: about 50 MB.
QByteArray LargeShow()
{
    std::mt19937 random(300);
    QByteArray show = RandomBytes(random, 100000);
    show += SectionBytes("OWidth", "1024") + SectionBytes("OHeight", "768");
    show += SectionBytes("BGAUDIO", RandomBytes(random, 5000000)) + SectionBytes("BGAUDIOEXT", ".mp3");
    for (int n = 1; n <= 300; ++n) {
        const QByteArray number = QByteArray::number(n);
        show += SectionBytes("dur" + number, "4.00") + SectionBytes("tran" + number, " 1")
                + SectionBytes("cap" + number, "2 figs on a red plate")
                + SectionBytes("jpg" + number, RandomBytes(random, 150000));
    }
    return show + SectionBytes("ImageCount", "300");
}

// The lookup of the format's first description: the value between the first
// start marker and the first end marker of the key.
QByteArrayView FirstOccurrence(QByteArrayView package, QByteArrayView key)
{
    const QByteArray start = SectionStartMarker(key);
    const qsizetype s = package.indexOf(start);
    const qsizetype e = package.indexOf(SectionEndMarker(key));
    return s < 0 || e < s + start.size() ? QByteArrayView() : package.sliced(s + start.size(), e - s - start.size());
}

} // namespace

VISTRANO_BENCH(package_read)
{
    const QByteArray show = LargeShow();
    const double megabytes = double(show.size()) / 1e6;
    volatile qsizetype sink = 0;
    const QByteArray absent = SectionStartMarker("NOSUCHKEY");
    const double scan = MedianMilliseconds(5, [&] { sink = QByteArrayView(show).indexOf(absent); });
    size_t slides = 0;
    const double read = MedianMilliseconds(5, [&] { slides = ReadShowPackage(show).slides.size(); });
    if (slides != 300)
        std::printf("the show read back with %zu slides\n", slides);
    PrintFigure(QStringLiteral("one search through a %1 MB show").arg(megabytes, 0, 'f', 0), scan, "ms");
    PrintFigure("reading the show (index of every section and all values)", read, "ms");
    PrintFigure("reading / one search", read / scan, "x", "goal: a few searches' worth");
    // Two searches for each of the 1203 keys would take that many scans of
    // up to the whole file; timed for the last slide's keys only.
    const double lastSlide = MedianMilliseconds(3, [&] {
        for (const char *key : {"dur300", "tran300", "cap300", "jpg300"})
            sink = FirstOccurrence(show, key).size();
    });
    PrintFigure("two searches per key, the last slide's four keys", lastSlide, "ms");

    // 16 MB of the shortest sections, back to back, and 16 MB of marker
    // prefixes alone: the reader stays in proportion to the size.
    QByteArray dense;
    for (int i = 0; dense.size() < 16000000; ++i)
        dense += SectionBytes("K" + QByteArray::number(i % 5000), "");
    const double denseRead = MedianMilliseconds(3, [&] { sink = PackageIndex(dense).SectionCount(); });
    QByteArray prefixes;
    for (int i = 0; prefixes.size() < 16000000; ++i)
        prefixes += i % 2 ? StartMarkerPrefix() : EndMarkerPrefix();
    const double prefixRead = MedianMilliseconds(3, [&] { sink = PackageIndex(prefixes).SectionCount(); });
    PrintFigure("16 MB of empty sections: reading", denseRead, "ms");
    PrintFigure("16 MB of marker prefixes: reading", prefixRead, "ms");
}
