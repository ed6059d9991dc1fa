#include "show/PackageWriter.h"

#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "show/PackageMarkers.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray SerializeSections(const std::vector<PackageSection> &sections, qsizetype *lastStart)
{
    qsizetype total = 0;
    for (const PackageSection &section : sections) {
        // A reader could not tell where such a key ends.
        if (!IsSectionKey(UpperCaseAscii(section.key)))
            throw VistranoError(QStringLiteral("Invalid section key %1").arg(QString::fromLatin1(section.key)));
        if (ContainsMarkerPrefix(section.value))
            throw VistranoError(QStringLiteral("The value of the section %1 holds a section marker")
                                    .arg(QString::fromLatin1(section.key)));
        total += 2 * (StartMarkerPrefix().size() + section.key.size()) + section.value.size();
    }
    QByteArray bytes;
    bytes.reserve(total);
    for (const PackageSection &section : sections) {
        *lastStart = bytes.size();
        bytes.append(SectionStartMarker(section.key)).append(section.value).append(SectionEndMarker(section.key));
    }
    return bytes;
}

} // namespace

PackageWriter::PackageWriter(const QString &path, const QString &shownPath)
    : m_path(shownPath.isEmpty() ? path : shownPath)
{
    m_fd = ::open(EncodeFileName(path).constData(), O_RDWR | O_CLOEXEC);
    struct stat info = {};
    if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_fd < 0)
        throw VistranoError(QStringLiteral("Cannot open file %1").arg(m_path));
    m_size = info.st_size;
}

PackageWriter::~PackageWriter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void PackageWriter::Append(const std::vector<PackageSection> &sections)
{
    if (sections.empty())
        return;
    qsizetype lastStart = 0;
    const QByteArray bytes = SerializeSections(sections, &lastStart);
    WriteAt(bytes, 0, m_size);
    m_lastStart = m_size + lastStart;
    m_lastKey = UpperCaseAscii(sections.back().key);
    m_size += bytes.size();
}

void PackageWriter::AppendAndReplaceLast(const std::vector<PackageSection> &sections,
                                         const PackageSection &replacement)
{
    if (m_lastStart < 0 || UpperCaseAscii(replacement.key) != m_lastKey)
        throw std::logic_error("PackageWriter: the replaced section is not the last one");
    std::vector<PackageSection> all = sections;
    all.push_back(replacement);
    qsizetype lastStart = 0;
    const QByteArray bytes = SerializeSections(all, &lastStart);

    const qint64 oldSize = m_size;
    const qint64 oldLength = m_size - m_lastStart;
    const qsizetype head = qsizetype(std::min<qint64>(oldLength, bytes.size()));
    QByteArray oldHead(head, Qt::Uninitialized);
    if (::pread(m_fd, oldHead.data(), size_t(head), m_lastStart) != head)
        FailWrite(errno ? errno : EIO);

    // The tail first: until the head is written, readers still find the old
    // last section, and the package it ends stays whole.
    if (bytes.size() > head)
        WriteAt(bytes, head, m_size);
    try {
        WriteAt(bytes.first(head), 0, m_lastStart);
        if (bytes.size() < oldLength)
            Truncate(m_lastStart + bytes.size());
    } catch (...) {
        // Best effort to put the old section back.
        (void)!::pwrite(m_fd, oldHead.constData(), size_t(head), m_lastStart);
        (void)!::ftruncate(m_fd, oldSize);
        throw;
    }
    m_size = m_lastStart + bytes.size();
    m_lastStart += lastStart;
}

void PackageWriter::WriteAt(const QByteArray &bytes, qsizetype from, qint64 offset)
{
    const qint64 sizeBefore = m_size;
    qsizetype done = from;
    while (done < bytes.size()) {
        const ssize_t written =
            ::pwrite(m_fd, bytes.constData() + done, size_t(bytes.size() - done), offset + (done - from));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : ENOSPC;
            // Bytes beyond the old end are cut off again, so a failed write
            // leaves no half section behind.
            if (offset + (bytes.size() - from) > sizeBefore)
                (void)!::ftruncate(m_fd, std::max(sizeBefore, offset));
            FailWrite(error);
        }
        done += written;
    }
}

void PackageWriter::Truncate(qint64 size)
{
    if (::ftruncate(m_fd, size) != 0)
        FailWrite(errno);
}

void PackageWriter::FailWrite(int error)
{
    throw EWriteError(QStringLiteral("Cannot write file %1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(error))));
}
