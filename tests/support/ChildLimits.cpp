#include "tests/support/ChildLimits.h"

#include <QFile>
#include <QProcess>

#include <csignal>
#include <new>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Under AddressSanitizer a program reserves terabytes of address space for
// its shadow memory at start: a limit on the whole address space would stop
// it before main. The programs a test runs come from the same build, so
// there they run without one (the sanitizer's own allocation limits hold).
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kWholeAddressSpaceLimits = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kWholeAddressSpaceLimits = false;
#else
constexpr bool kWholeAddressSpaceLimits = true;
#endif
#else
constexpr bool kWholeAddressSpaceLimits = true;
#endif

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
    ChildLimits applied = limits;
    if (!kWholeAddressSpaceLimits)
        applied.memory = -1;
    process.setChildProcessModifier([applied] { ApplyLimits(applied, 0); });
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
