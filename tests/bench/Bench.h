#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The benchmark program prints figures; it asserts nothing about time.
struct BenchContext
{
    QString photoDir;   // 4000 by 3000 photos made by make-photos.sh
    QString binDir;     // the build's bin/ folder (vistrano-cli, kv.dll)
    QString workDir;    // scratch space for files a benchmark writes
    QStringList photos; // the JPEG files of photoDir, sorted
};

struct BenchCase
{
    const char *name;
    void (*run)(const BenchContext &);
};

// Registers a benchmark; cases run in the order of their file names and
// lines, and a command line filter picks cases by name.
struct BenchRegistration
{
    BenchRegistration(const char *name, void (*run)(const BenchContext &));
};

#define VISTRANO_BENCH(name)                                                   \
    static void name(const BenchContext &);                                    \
    static BenchRegistration name##_registration(#name, name);                 \
    static void name(const BenchContext &context)

// Median wall time in milliseconds of `repeats` runs of the work.
double MedianMilliseconds(int repeats, const std::function<void()> &work);

// Median wall time of an external command (its output discarded); -1 when it
// cannot run.
double MedianCommandMilliseconds(int repeats, const QString &program, const QStringList &args);

// `count` photos in a folder of the work space named `folder`: the bench
// photos linked over and over (photo000.jpg, photo001.jpg...).
QStringList LinkedPhotos(const BenchContext &context, int count, const QString &folder);

// Prints one figure line: "name: value unit" with optional comment.
void PrintFigure(const QString &name, double value, const char *unit, const QString &comment = {});
