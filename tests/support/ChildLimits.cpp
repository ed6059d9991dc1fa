#include "tests/support/ChildLimits.h"

#include <QFile>
#include <QProcess>

#include <csignal>
#include <new>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void SetLimit(int resource, qint64 value)
{
    if (value < 0)
        return;
    const rlimit limit = {rlim_t(value), rlim_t(value)};
    setrlimit(resource, &limit);
}

// The child's address space now, from /proc/self/status.
qint64 AddressSpace()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmSize:"))
            return line.mid(7).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

void ApplyLimits(const ChildLimits &limits, qint64 memoryBase)
{
    if (limits.memory >= 0)
        SetLimit(RLIMIT_AS, memoryBase + limits.memory);
    if (limits.fileSize >= 0) {
        // A write beyond the limit fails rather than ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        SetLimit(RLIMIT_FSIZE, limits.fileSize);
    }
    alarm(unsigned(limits.seconds));
}

} // namespace

int RunInChild(const ChildLimits &limits, const std::function<int()> &work)
{
    const pid_t child = fork();
    if (child < 0)
        return kChildKilled;
    if (child == 0) {
        ApplyLimits(limits, AddressSpace());
        int result = kChildThrew;
        try {
            result = work();
        } catch (const std::bad_alloc &) {
            result = kChildOutOfMemory;
        } catch (...) {
            result = kChildThrew;
        }
        _exit(result);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : kChildKilled;
}

int RunLimitedProgram(const ChildLimits &limits, const QString &program, const QStringList &args, QByteArray *out,
                      QByteArray *err)
{
    QProcess process;
    process.setChildProcessModifier([limits] { ApplyLimits(limits, 0); });
    process.start(program, args);
    if (!process.waitForStarted())
        return kChildKilled;
    process.closeWriteChannel();
    if (!process.waitForFinished((limits.seconds + 10) * 1000)) {
        process.kill();
        process.waitForFinished();
        return kChildKilled;
    }
    if (out)
        *out = process.readAllStandardOutput();
    if (err)
        *err = process.readAllStandardError();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : kChildKilled;
}
