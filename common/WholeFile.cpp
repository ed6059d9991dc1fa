#include "common/WholeFile.h"

#include "common/FileNames.h"
#include "common/VistranoError.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

QString CannotOpenFileText(const QString &path)
{
    return QStringLiteral("Cannot open file %1").arg(path);
}

QString SystemErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool IsRegularFile(const QString &path)
{
    struct stat info = {};
    const QByteArray name = EncodeFileName(path);
    return !name.isEmpty() && ::stat(name.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

QByteArray ReadWholeFile(const QString &path)
{
    const QByteArray name = EncodeFileName(path);
    // A device or FIFO is refused before it is opened: opening one can
    // block (a FIFO without a writer) or act on the device.
    struct stat info = {};
    if (name.isEmpty() || ::stat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        throw VistranoError(CannotOpenFileText(path));
    const Descriptor file(::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    // The name may have been given to another file in between.
    if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw VistranoError(CannotOpenFileText(path));

    QByteArray bytes;
    try {
        bytes = QByteArray(qsizetype(info.st_size), Qt::Uninitialized);
    } catch (const std::bad_alloc &) {
        throw VistranoError(QStringLiteral("Not enough memory to read file %1").arg(path));
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(file.Get(), bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw EReadError();
        done += got;
    }
    return bytes;
}
