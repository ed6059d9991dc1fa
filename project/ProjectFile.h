#pragma once

#include "project/RectBoxProperties.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <vector>

// A project file: a 1544-byte header (version, slide count, the background
// audio path in 512 bytes, 1024 reserved bytes), then one component stream
// record per slide, back to back.
constexpr qsizetype kProjectHeaderSize = 1544;
constexpr qsizetype kAudioPathField = 512;

struct ProjectHeader
{
    int32_t version = 1;
    int32_t slideCount = 0;
    QString audioPath;
};

// What opening a project gives: the header, the slides that were read, in
// record order, and the message of the record that could not be read
// (empty when every record was read). The slides before a failing record
// are kept, as is the audio path; the failing slide is discarded.
struct OpenedProject
{
    ProjectHeader header;
    std::vector<std::unique_ptr<RectBoxProperties>> slides;
    QString error;

    bool Complete() const { return error.isEmpty(); }
};

// Creates the box a record is read into. A window passes one that makes its
// slide box widget (with the values a new box starts with).
using RectBoxFactory = std::function<std::unique_ptr<RectBoxProperties>()>;

// The bytes of a project: the header, then each slide's record in the order
// given. Refuses an empty slide list ("There are no images to save!") and an
// audio path longer than the 511 bytes its field holds.
QByteArray ProjectBytes(std::span<const RectBoxProperties *const> slides, const QString &audioPath);

// Save As: writes the project to a temporary file in the same folder and
// puts it in place of the old file only when every byte has been written,
// so a failed save leaves the old project as it was. Fails with "Cannot
// create file %s: " or "Cannot write file %s: " and the system's reason;
// refuses as ProjectBytes does, and a slide or audio file name that is not
// valid text (FileNameIsText), before touching the disk.
void SaveProject(const QString &path, std::span<const RectBoxProperties *const> slides, const QString &audioPath);

// Reads the header and the records of a project held in memory. A buffer
// shorter than the header fails with "Stream read error" before anything
// is read from it. `existing` are the slides already on the strip, which
// references in the records may name.
OpenedProject ReadProject(std::span<const uint8_t> bytes, const RectBoxFactory &makeBox = {},
                          std::span<RectBoxProperties *const> existing = {});

// For callers that only list the slides: reads the project file as
// OpenProject does, hands the header to `header` first, then each slide to
// `visit`, letting it go before the next record is read, so a project of
// thousands of slides is held one slide at a time. The result carries the
// header and the error; its slide list is empty.
using SlideVisitor = std::function<void(const RectBoxProperties &slide)>;
OpenedProject ListProject(const QString &path, const std::function<void(const ProjectHeader &)> &header,
                          const SlideVisitor &visit);

// Open: reads the project file (opened for reading only, so a read-only file
// opens). Fails with "Cannot open file %s" when it cannot be read, and as
// ReadProject for a file shorter than its header; record errors are
// returned in OpenedProject::error.
OpenedProject OpenProject(const QString &path, const RectBoxFactory &makeBox = {},
                          std::span<RectBoxProperties *const> existing = {});
