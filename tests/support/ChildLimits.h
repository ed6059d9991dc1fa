#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Limits for code that a test expects to stay within bounds, run in a child
// process so that a fault (memory that grows without end, a hang, a full
// disk) fails the test instead of taking the machine down with it.
struct ChildLimits
{
    // For RunInChild: the bytes the child's address space may grow beyond
    // what it holds when it starts. For RunLimitedProgram: the program's
    // whole address space. -1: no limit.
    qint64 memory = -1;
    // The largest file the child may write, as on a disk that fills up:
    // writes beyond it fail (EFBIG). -1: no limit.
    qint64 fileSize = -1;
    // The child is ended after this long, so a hang fails the test.
    int seconds = 60;
};

// What RunInChild gives when the child did not return from `work`.
constexpr int kChildOutOfMemory = 200; // std::bad_alloc
constexpr int kChildThrew = 201;       // any other exception
constexpr int kChildKilled = -1;       // a signal (a crash, or the time ran out)

// Runs `work` in a forked child under the limits and gives what it returned
// (0 to 199), or one of the codes above.
int RunInChild(const ChildLimits &limits, const std::function<int()> &work);

// Runs a program under the limits; as RunProgram (TestFiles.h) otherwise.
int RunLimitedProgram(const ChildLimits &limits, const QString &program, const QStringList &args,
                      QByteArray *out = nullptr, QByteArray *err = nullptr);
