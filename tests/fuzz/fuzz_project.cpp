// The project file reader on arbitrary bytes, and the component stream
// reader on one record. The program's own errors are the expected outcome
// for bad input; a crash, a sanitizer report or another exception is a
// finding. What was read is written again, so the writer sees every value
// the reader can produce.
#include "common/VistranoError.h"
#include "imaging/decoders/ByteReader.h"
#include "project/ProjectFile.h"
#include "project/RectBoxStream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first byte picks the reader, so one corpus serves both.
    if (size == 0)
        return 0;
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    if (data[0] & 1) {
        try {
            const OpenedProject project = ReadProject(bytes);
            std::vector<const RectBoxProperties *> slides;
            for (const auto &slide : project.slides)
                slides.push_back(slide.get());
            if (!slides.empty())
                ProjectBytes(slides, project.header.audioPath);
        } catch (const VistranoError &) {
        }
    } else {
        ByteReader in(bytes.data(), bytes.size());
        RectBoxProperties box;
        try {
            ReadRectBoxRecord(in, box, [&](const QString &) { return &box; });
            RectBoxRecord(box);
        } catch (const VistranoError &) {
        }
    }
    return 0;
}
