#include "show/PlayPackages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>

#include <sys/types.h>

namespace {

const QRegularExpression kPackageName(QStringLiteral("^show-(\\d+)-\\d+\\.exe$"));

bool ProcessRuns(qint64 pid)
{
    // Signal 0 only asks whether the process exists; EPERM says that it
    // does, under another user.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

QString PlayPackageFolder()
{
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("play"));
    QDir().mkpath(folder);
    return folder;
}

QString NewPlayPackagePath(const QString &folder)
{
    const qint64 pid = QCoreApplication::applicationPid();
    for (int n = 1;; ++n) {
        const QString path = QDir(folder).filePath(QStringLiteral("show-%1-%2.exe").arg(pid).arg(n));
        if (!QFileInfo::exists(path))
            return path;
    }
}

void RemoveStalePlayPackages(const QString &folder)
{
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = kPackageName.match(name);
        if (match.hasMatch() && !ProcessRuns(match.captured(1).toLongLong()))
            QFile::remove(dir.filePath(name));
    }
}
