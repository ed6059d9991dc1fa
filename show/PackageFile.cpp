#include "show/PackageFile.h"

#include "common/FileReplacement.h"
#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "show/PackageReader.h"
#include "show/PackageWriter.h"

QByteArray LoadFileAsBytes(const QString &path)
{
    return ReadWholeFile(path);
}

void SaveBytesAsFile(QByteArrayView bytes, const QString &path)
{
    // Written beside the file and renamed over it, so a failure leaves the
    // old file whole; the old file's permissions (the run bit) are kept.
    FileReplacement file(path);
    file.Write(bytes);
    file.Commit();
}

void AppendSection(QByteArrayView key, const QString &file, QByteArrayView value)
{
    PackageWriter writer(file);
    writer.Append({{key.toByteArray(), value.toByteArray()}});
}

void RemoveSection(QByteArrayView key, const QString &file)
{
    QByteArray bytes = LoadFileAsBytes(file);
    const SectionLookup found = FindSection(bytes, key);
    if (found.state != SectionState::Found)
        return;
    bytes.remove(found.start, found.end - found.start);
    SaveBytesAsFile(bytes, file);
}

void ReplaceSection(QByteArrayView key, const QString &file, QByteArrayView value)
{
    RemoveSection(key, file);
    AppendSection(key, file, value);
}
