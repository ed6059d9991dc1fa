#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

struct PackageSection
{
    QByteArray key;
    QByteArray value;
};

// Writes sections onto the end of an existing package through one open file,
// so that a show costs I/O in proportion to its size. Every key and value is
// checked (IsSectionKey, no marker prefix in a value) before anything is
// written.
class PackageWriter
{
public:
    // Opens the package for reading and writing; fails with
    // "Cannot open file <path>". Messages name the file as shownPath when it
    // is given: the file the package will become, for a temporary one.
    explicit PackageWriter(const QString &path, const QString &shownPath = {});
    ~PackageWriter();
    PackageWriter(const PackageWriter &) = delete;
    PackageWriter &operator=(const PackageWriter &) = delete;

    // Appends the sections in one write. A failed write is cut back, so the
    // file is left as it was.
    void Append(const std::vector<PackageSection> &sections);

    // Gives the bytes of appending the sections and then replacing the
    // package's last section, which this writer wrote and whose key the
    // replacement has: the old section goes, and the replacement ends the file.
    // The file stays a complete package throughout: the bytes behind the old
    // section are written first, and only then its own few bytes are
    // overwritten with the head of the new ones.
    void AppendAndReplaceLast(const std::vector<PackageSection> &sections, const PackageSection &replacement);

    qint64 Size() const { return m_size; }

private:
    void WriteAt(const QByteArray &bytes, qsizetype from, qint64 offset);
    void Truncate(qint64 size);
    [[noreturn]] void FailWrite(int error);

    QString m_path;
    int m_fd = -1;
    qint64 m_size = 0;
    // The last section this writer wrote: where it starts and its key.
    qint64 m_lastStart = -1;
    QByteArray m_lastKey;
};
