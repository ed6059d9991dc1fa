#include "video/PendingFile.h"

#include "common/VistranoError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kAttempts = 100;

QString SystemText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

PendingFile::PendingFile(const QString &target) : m_target(QFileInfo(target).absoluteFilePath())
{
    const QFileInfo info(m_target);
    if (info.isDir())
        throw VistranoError(QStringLiteral("Cannot write file %1: it is a folder").arg(m_target));
    const QDir folder = info.absoluteDir();
    int error = EEXIST;
    for (int attempt = 0; attempt < kAttempts && error == EEXIST; ++attempt) {
        // Hidden, and named for its target, so that a file left behind by a
        // crash tells what it was.
        const QString name = QStringLiteral(".%1.%2.part")
                                 .arg(info.fileName())
                                 .arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        const QString path = folder.filePath(name);
        // A new file only, never one already there or a link planted under
        // the name; the user's umask gives its permissions.
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            m_path = path;
            return;
        }
        error = errno;
    }
    throw VistranoError(QStringLiteral("Cannot write file %1: %2").arg(m_target, SystemText(error)));
}

PendingFile::~PendingFile()
{
    if (!m_committed && !m_path.isEmpty())
        QFile::remove(m_path);
}

void PendingFile::Commit()
{
    // rename() replaces the target in one step.
    if (std::rename(QFile::encodeName(m_path).constData(), QFile::encodeName(m_target).constData()) != 0)
        throw VistranoError(QStringLiteral("Cannot write file %1: %2").arg(m_target, SystemText(errno)));
    m_committed = true;
}
