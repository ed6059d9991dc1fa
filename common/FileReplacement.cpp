#include "common/FileReplacement.h"

#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "common/WholeFile.h"

#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void FailCreate(const QString &target, const QString &reason)
{
    throw VistranoError(QStringLiteral("Cannot create file %1: %2").arg(target, reason));
}

QByteArray FolderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray NameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

// A symbolic link is written through: its target is the file replaced. A
// link that leads nowhere is itself replaced.
QByteArray FollowLink(const QByteArray &path)
{
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (!::realpath(path.constData(), resolved))
        return path;
    return QByteArray(resolved);
}

QByteArray RandomSuffix()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray suffix(6, Qt::Uninitialized);
    for (char &c : suffix)
        c = kLetters[QRandomGenerator::global()->bounded(int(sizeof(kLetters) - 1))];
    return suffix;
}

} // namespace

// The temporary file as a device: writes are gathered in a buffer and handed
// to the file in blocks, and the first failure is kept.
class ReplacementDevice : public QIODevice
{
public:
    explicit ReplacementDevice(int fd) : m_fd(fd) { open(QIODevice::WriteOnly); }
    ~ReplacementDevice() override { ::close(m_fd); }

    int Descriptor() const { return m_fd; }
    // 0 while every write went through, otherwise the first error.
    int Error() const { return m_error; }

    bool Flush()
    {
        const char *data = m_buffer.constData();
        qsizetype left = m_buffer.size();
        while (left > 0 && m_error == 0) {
            const ssize_t written = ::write(m_fd, data, size_t(left));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                m_error = written < 0 ? errno : ENOSPC;
            else {
                data += written;
                left -= written;
            }
        }
        m_buffer.clear();
        return m_error == 0;
    }

    void close() override
    {
        Flush();
        QIODevice::close();
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_error != 0)
            return -1;
        m_buffer.append(data, qsizetype(size));
        if (m_buffer.size() >= kBlock && !Flush())
            return -1;
        return size;
    }

private:
    static constexpr qsizetype kBlock = qsizetype(1) << 16;
    int m_fd;
    int m_error = 0;
    QByteArray m_buffer;
};

FileReplacement::FileReplacement(const QString &target) : m_target(target)
{
    const QByteArray path = EncodeFileName(target);
    if (path.isEmpty() || path.endsWith('/'))
        FailCreate(target, SystemErrorText(path.isEmpty() ? ENOENT : EISDIR));
    m_destination = FollowLink(path);
    const QByteArray folder = FolderOf(m_destination);
    const QByteArray name = NameOf(m_destination);

    struct stat existing = {};
    const bool exists = ::stat(m_destination.constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        FailCreate(target, SystemErrorText(EISDIR));
    if (exists && !S_ISREG(existing.st_mode))
        FailCreate(target, QStringLiteral("it is not a regular file"));
    // A read-only file is refused, although the folder would let it be
    // replaced: whoever made it read-only meant to keep it. A file without
    // any write permission counts as read-only for the administrator too.
    if (exists && (existing.st_mode & 0222) == 0)
        FailCreate(target, SystemErrorText(EACCES));
    if (exists && ::access(m_destination.constData(), W_OK) != 0)
        FailCreate(target, SystemErrorText(errno));
    long nameMax = ::pathconf(folder.constData(), _PC_NAME_MAX);
    if (nameMax <= 0)
        nameMax = NAME_MAX;
    if (name.size() > nameMax)
        FailCreate(target, SystemErrorText(ENAMETOOLONG));

    // The temporary name is the target's, shortened so that it fits too,
    // hidden, with a random ending.
    const QByteArray stem = "." + name.left(std::max<qsizetype>(1, qsizetype(nameMax) - 8)) + ".";
    const QByteArray base = (folder == "/" ? QByteArray("/") : folder + "/") + stem;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        m_temporary = base + RandomSuffix();
        fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        FailCreate(target, SystemErrorText(errno));
    if (exists)
        (void)::fchmod(fd, existing.st_mode & 0777);
    m_temporaryPath = DecodeFileName(m_temporary);
    m_device = std::make_unique<ReplacementDevice>(fd);
}

FileReplacement::~FileReplacement()
{
    if (!m_committed)
        ::unlink(m_temporary.constData());
}

QIODevice &FileReplacement::Device()
{
    return *m_device;
}

void FileReplacement::FailWrite(const QString &reason) const
{
    throw EWriteError(QStringLiteral("Cannot write file %1: %2").arg(m_target, reason));
}

void FileReplacement::Write(QByteArrayView bytes)
{
    if (m_device->write(bytes.data(), bytes.size()) != bytes.size())
        FailWrite(SystemErrorText(m_device->Error()));
}

void FileReplacement::Commit()
{
    if (m_committed)
        return;
    if (!m_device->Flush())
        FailWrite(SystemErrorText(m_device->Error()));
    if (::fsync(m_device->Descriptor()) != 0)
        FailWrite(SystemErrorText(errno));
    m_device->close();
    if (::rename(m_temporary.constData(), m_destination.constData()) != 0)
        FailCreate(m_target, SystemErrorText(errno));
    m_committed = true;
    // The new name lasts once the folder is on disk too.
    const int folder = ::open(FolderOf(m_destination).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
}
