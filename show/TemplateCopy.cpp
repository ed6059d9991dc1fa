#include "show/TemplateCopy.h"

#include "common/FileIdentity.h"
#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "common/WholeFile.h"
#include "show/PackageMarkers.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The system's reason follows when there is one (a full disk).
[[noreturn]] void FailCopy(int error = 0)
{
    const QString message = QStringLiteral("Error copying needed file!");
    throw VistranoError(error ? message + QLatin1Char(' ') + SystemErrorText(error) : message);
}

bool WriteAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        done += written;
    }
    return true;
}

} // namespace

void CopyTemplate(const QString &templatePath, const QString &targetPath)
{
    // The same file under another name (a hard link, a symbolic link) is the
    // template too: copying over it would destroy it.
    if (SameFile(templatePath, targetPath))
        FailCopy();
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(templatePath);
    } catch (const VistranoError &) {
        FailCopy();
    }
    if (bytes.isEmpty())
        FailCopy();
    if (ContainsMarkerPrefix(bytes))
        throw VistranoError(QStringLiteral("The player template %1 already holds slideshow sections; "
                                           "it cannot be used to build a show.")
                                .arg(templatePath));

    struct stat info = {};
    if (::stat(EncodeFileName(templatePath).constData(), &info) != 0)
        FailCopy();
    const mode_t mode = (info.st_mode & 0777) | S_IRUSR | S_IWUSR;
    const int fd = ::open(EncodeFileName(targetPath).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (fd < 0)
        FailCopy(errno);
    const bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0;
    const int error = ok ? 0 : errno;
    if (::close(fd) != 0 || !ok)
        FailCopy(error ? error : errno);
}
