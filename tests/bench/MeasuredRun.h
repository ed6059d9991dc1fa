#pragma once

#include <QString>
#include <QStringList>

// Wall time, processor time and peak memory of one program run to its end.
struct Timing
{
    double wall = -1;          // seconds; -1 when the program failed
    double cpu = -1;           // user and system seconds
    double peakMegabytes = -1; // the largest resident set
};

// Runs the program with the environment (its output discarded) through a
// small helper process, this program started with kMeasuredRunOption. The
// kernel counts the memory a process had before it started another program
// into that program's peak; started from the benchmark itself, which holds
// hundreds of megabytes after the browser and strip cases, every program
// would seem to need as much.
Timing RunMeasured(const QString &program, const QStringList &args, const QStringList &environment);

// The helper's side: `vistrano-bench --measured-run PROGRAM ARGS...` runs the
// program and prints "wall cpu peak-kilobytes"; main() calls it before it
// makes anything.
inline constexpr const char *kMeasuredRunOption = "--measured-run";
int MeasuredRunMain(char **command);
