#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>

class QIODevice;
class ReplacementDevice;

// A file written beside its target and put in the target's place only when
// it is complete: until Commit the old file stays as it was, and a write that
// fails (a full disk, a file size limit) or a writer that gives up leaves it
// untouched, with the temporary file removed. The new file keeps the old
// one's permissions; a symbolic link is followed, so its target is replaced.
// Paths are the file system's bytes (EncodeFileName).
class FileReplacement
{
public:
    // Creates the temporary file. Fails with "Cannot create file %1: " and
    // the reason when the target is a folder or not a regular file, is there
    // but may not be written, has a name longer than its folder allows, or
    // when the temporary file cannot be made (a missing or read-only folder).
    explicit FileReplacement(const QString &target);
    // Removes the temporary file unless it was committed.
    ~FileReplacement();
    FileReplacement(const FileReplacement &) = delete;
    FileReplacement &operator=(const FileReplacement &) = delete;

    const QString &Target() const { return m_target; }
    // The temporary file, for writers that open a file by its path.
    const QString &TemporaryPath() const { return m_temporaryPath; }
    // The temporary file, open for writing. Every write failure is kept, so
    // Commit fails after it even when the writer (a PDF writer, say) pays no
    // attention to the results of its writes.
    QIODevice &Device();

    // Fails with "Cannot write file %1: " and the reason.
    void Write(QByteArrayView bytes);

    // Writes out what is buffered, makes it durable and renames the
    // temporary file over the target. Fails as Write, or with "Cannot create
    // file %1: " and the reason when the rename is refused.
    void Commit();

private:
    [[noreturn]] void FailWrite(const QString &reason) const;

    QString m_target;
    QByteArray m_destination; // the target's bytes, its link followed
    QByteArray m_temporary;
    QString m_temporaryPath;
    std::unique_ptr<ReplacementDevice> m_device;
    bool m_committed = false;
};
