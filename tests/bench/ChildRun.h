#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// What a program run to its end cost: wall time, processor time (user and
// system, its threads and children included) and its peak resident memory.
// All -1 when it could not run or did not exit with 0.
struct ChildRun
{
    double wall = -1;    // seconds
    double cpu = -1;     // seconds
    double peakMB = -1;  // megabytes
};

// Runs the program with the arguments (its output discarded) and waits for
// it; the environment is this process's unless one is given.
ChildRun RunChild(const QString &program, const QStringList &args,
                  const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment());
