#include "show/StartupHook.h"

#include "common/VistranoError.h"
#include "common/WholeFile.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QThread>

namespace {

const char kTempProgram[] = "temp0a0.exe";

bool DeleteOnce(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return true;
    return QFile::remove(path);
}

void MakeWritable(const QString &path)
{
    const QFile::Permissions permissions = QFile::permissions(path);
    if (!(permissions & QFile::WriteOwner))
        QFile::setPermissions(path, permissions | QFile::WriteOwner);
}

bool WriteProgram(const QString &path, const QByteArray &bytes, QFile::Permissions permissions)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return false;
    return QFile::setPermissions(path, permissions);
}

} // namespace

bool DeleteFileWithRetries(const QString &path, int retryMilliseconds)
{
    const QDeadlineTimer deadline(retryMilliseconds);
    while (!DeleteOnce(path)) {
        if (deadline.hasExpired())
            return false;
        MakeWritable(path);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    DeleteOnce(path);
    return true;
}

bool RunStartupHook(const QString &programPath, const QStringList &arguments, const StartProgramFunction &start,
                    int retryMilliseconds)
{
    const QFileInfo program(programPath);
    const QDir folder = program.absoluteDir();
    const QString first = arguments.value(0);

    if (!arguments.isEmpty() && first == QLatin1String("deltemp"))
        DeleteFileWithRetries(folder.filePath(QLatin1String(kTempProgram)), retryMilliseconds);

    if (program.fileName().toUpper() != QString::fromLatin1(kTempProgram).toUpper())
        return false;
    // The copy exists only to put itself in place of the program named by its
    // argument; without one, or when that fails, it just ends.
    if (first.isEmpty())
        return true;
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(program.absoluteFilePath());
    } catch (const VistranoError &) {
        return true;
    }
    const QString target = folder.absoluteFilePath(first);
    if (!DeleteFileWithRetries(target, retryMilliseconds))
        return true;
    if (WriteProgram(target, bytes, QFile::permissions(program.absoluteFilePath())))
        start(target, {QStringLiteral("deltemp")});
    return true;
}

bool RunStartupHook()
{
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    return RunStartupHook(QCoreApplication::applicationFilePath(), arguments,
                          [](const QString &program, const QStringList &args) {
                              return QProcess::startDetached(program, args);
                          });
}
