#include "tests/bench/MeasuredRun.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

double Seconds(const timeval &time)
{
    return double(time.tv_sec) + double(time.tv_usec) / 1e6;
}

// Starts argv[0] (searched on PATH) with stdout going to `out`, or to
// /dev/null when out is -1, and stderr to /dev/null; 0 when it cannot start.
pid_t Spawn(char *const *argv, char *const *envp, int out)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out >= 0)
        posix_spawn_file_actions_adddup2(&actions, out, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv, envp);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : 0;
}

bool Reap(pid_t pid, rusage *usage)
{
    int status = 0;
    pid_t done = 0;
    do {
        done = wait4(pid, &status, 0, usage);
    } while (done < 0 && errno == EINTR);
    return done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int MeasuredRunMain(char **command)
{
    timespec start = {}, end = {};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const pid_t pid = Spawn(command, environ, -1);
    rusage usage = {};
    if (pid == 0 || !Reap(pid, &usage))
        return 1;
    clock_gettime(CLOCK_MONOTONIC, &end);
    const double wall = double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) / 1e9;
    std::printf("%.6f %.6f %ld\n", wall, Seconds(usage.ru_utime) + Seconds(usage.ru_stime), usage.ru_maxrss);
    return 0;
}

Timing RunMeasured(const QString &program, const QStringList &args, const QStringList &environment)
{
    std::vector<QByteArray> storage = {QCoreApplication::applicationFilePath().toLocal8Bit(), kMeasuredRunOption,
                                       program.toLocal8Bit()};
    for (const QString &arg : args)
        storage.push_back(arg.toLocal8Bit());
    const size_t argCount = storage.size();
    for (const QString &variable : environment)
        storage.push_back(variable.toLocal8Bit());
    std::vector<char *> argv, envp;
    for (size_t i = 0; i < storage.size(); ++i)
        (i < argCount ? argv : envp).push_back(storage[i].data());
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return {};
    const pid_t pid = Spawn(argv.data(), envp.data(), pipeEnds[1]);
    close(pipeEnds[1]);
    QByteArray report;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break;
        report.append(buffer, n);
    }
    close(pipeEnds[0]);
    rusage usage = {};
    if (pid == 0 || !Reap(pid, &usage))
        return {};
    const QList<QByteArray> fields = report.trimmed().split(' ');
    if (fields.size() != 3)
        return {};
    return {fields[0].toDouble(), fields[1].toDouble(), fields[2].toDouble() / 1024.0}; // kilobytes on Linux
}
