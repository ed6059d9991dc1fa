#include "project/ProjectFile.h"

#include "common/FileNames.h"
#include "common/FileReplacement.h"
#include "common/Text8Bit.h"
#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "imaging/decoders/ByteReader.h"
#include "project/RectBoxStream.h"

namespace {

void PutInt32(char *at, int32_t value)
{
    const auto v = uint32_t(value);
    for (int i = 0; i < 4; ++i)
        at[i] = char(v >> (8 * i));
}

} // namespace

namespace {

// A project stores paths as text. A name whose bytes are not text (kept as
// they are by DecodeFileName) would come back as another name, so it is
// refused rather than stored wrongly.
void RefuseNameThatIsNotText(const QString &path)
{
    if (!FileNameIsText(path))
        throw VistranoError(QStringLiteral("The file name %1 is not valid text, so a project cannot hold it. Rename "
                                           "the file (or its folder) and add it again.")
                                .arg(path));
}

// The header of a project; refuses what a project file cannot hold.
QByteArray ProjectHeaderBytes(std::span<const RectBoxProperties *const> slides, const QString &audioPath)
{
    if (slides.empty())
        throw VistranoError(QStringLiteral("There are no images to save!"));
    RefuseNameThatIsNotText(audioPath);
    for (const RectBoxProperties *slide : slides)
        RefuseNameThatIsNotText(slide->FileName());
    const QByteArray audio = EncodeText8(audioPath);
    if (audio.size() >= kAudioPathField)
        throw VistranoError(QStringLiteral("The background audio path is %1 bytes long; a project file holds at "
                                           "most %2. Choose an audio file with a shorter path.")
                                .arg(audio.size())
                                .arg(kAudioPathField - 1));
    QByteArray bytes(kProjectHeaderSize, '\0');
    PutInt32(bytes.data(), 1);
    PutInt32(bytes.data() + 4, int32_t(slides.size()));
    std::memcpy(bytes.data() + 8, audio.constData(), size_t(audio.size()));
    return bytes;
}

} // namespace

QByteArray ProjectBytes(std::span<const RectBoxProperties *const> slides, const QString &audioPath)
{
    QByteArray bytes = ProjectHeaderBytes(slides, audioPath);
    for (const RectBoxProperties *slide : slides)
        WriteRectBoxRecord(bytes, *slide);
    return bytes;
}

void SaveProject(const QString &path, std::span<const RectBoxProperties *const> slides, const QString &audioPath)
{
    QByteArray buffer = ProjectHeaderBytes(slides, audioPath);
    FileReplacement file(path);
    // Records are handed to the file in blocks; the old file is replaced
    // only by Commit, after the last byte has been written.
    constexpr qsizetype kBlock = qsizetype(1) << 20;
    const auto flush = [&] {
        file.Write(buffer);
        buffer.resize(0);
    };
    for (const RectBoxProperties *slide : slides) {
        WriteRectBoxRecord(buffer, *slide);
        if (buffer.size() >= kBlock)
            flush();
    }
    flush();
    file.Commit();
}

namespace {

// Where each slide read goes: into the project's list, or to a caller that
// looks at it and lets it go.
using TakeSlide = std::function<void(OpenedProject &, std::unique_ptr<RectBoxProperties>)>;

// Reads the header and the records. The slides kept in the project's list
// are the ones later records may refer to.
OpenedProject ReadRecords(std::span<const uint8_t> bytes, const RectBoxFactory &makeBox,
                          std::span<RectBoxProperties *const> existing, const TakeSlide &take)
{
    if (bytes.size() < size_t(kProjectHeaderSize))
        throw EReadError();
    ByteReader in(bytes);
    OpenedProject project;
    project.header.version = in.I32LE();
    project.header.slideCount = in.I32LE();
    const auto audio = in.Bytes(kAudioPathField);
    const auto end = std::find(audio.begin(), audio.end(), uint8_t(0));
    project.header.audioPath = DecodeText8(reinterpret_cast<const char *>(audio.data()), end - audio.begin());
    in.Skip(kProjectHeaderSize - 8 - kAudioPathField);

    const FindSlideBox findBox = [&](const QString &name) -> RectBoxProperties * {
        const auto named = [&](RectBoxProperties *box) { return box->Name().compare(name, Qt::CaseInsensitive) == 0; };
        for (RectBoxProperties *box : existing) {
            if (named(box))
                return box;
        }
        for (const auto &box : project.slides) {
            if (named(box.get()))
                return box.get();
        }
        return nullptr;
    };
    for (int32_t i = 0; i < project.header.slideCount; ++i) {
        std::unique_ptr<RectBoxProperties> box = makeBox ? makeBox() : std::make_unique<RectBoxProperties>();
        try {
            ReadRectBoxRecord(in, *box, findBox);
        } catch (const VistranoError &error) {
            project.error = error.message();
            break;
        }
        take(project, std::move(box));
    }
    return project;
}

OpenedProject ReadWholeProject(const QString &path, const RectBoxFactory &makeBox,
                               std::span<RectBoxProperties *const> existing, const TakeSlide &take)
{
    const QByteArray bytes = ReadWholeFile(path);
    return ReadRecords({reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())}, makeBox, existing,
                       take);
}

void KeepSlide(OpenedProject &project, std::unique_ptr<RectBoxProperties> slide)
{
    project.slides.push_back(std::move(slide));
}

} // namespace

OpenedProject ReadProject(std::span<const uint8_t> bytes, const RectBoxFactory &makeBox,
                          std::span<RectBoxProperties *const> existing)
{
    return ReadRecords(bytes, makeBox, existing, KeepSlide);
}

OpenedProject OpenProject(const QString &path, const RectBoxFactory &makeBox,
                          std::span<RectBoxProperties *const> existing)
{
    return ReadWholeProject(path, makeBox, existing, KeepSlide);
}

OpenedProject ListProject(const QString &path, const std::function<void(const ProjectHeader &)> &header,
                          const SlideVisitor &visit)
{
    bool headerGiven = false;
    OpenedProject project =
        ReadWholeProject(path, {}, {}, [&](OpenedProject &read, std::unique_ptr<RectBoxProperties> slide) {
            if (!headerGiven)
                header(read.header);
            headerGiven = true;
            visit(*slide);
        });
    if (!headerGiven)
        header(project.header);
    return project;
}
