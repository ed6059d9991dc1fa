#include "tests/bench/Bench.h"
#include "tests/bench/MeasuredRun.h"

#include <QDir>
#include <QFile>
#include <QElapsedTimer>
#if VISTRANO_BENCH_WIDGETS
#include <QApplication>
#else
#include <QGuiApplication>
#endif
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

std::vector<BenchCase> &Cases()
{
    static std::vector<BenchCase> cases;
    return cases;
}

} // namespace

BenchRegistration::BenchRegistration(const char *name, void (*run)(const BenchContext &))
{
    Cases().push_back({name, run});
}

double MedianMilliseconds(int repeats, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < std::max(1, repeats); ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double MedianCommandMilliseconds(int repeats, const QString &program, const QStringList &args)
{
    bool failed = false;
    const double ms = MedianMilliseconds(repeats, [&] {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(program, args);
        if (!process.waitForStarted() || !process.waitForFinished(-1) || process.exitCode() != 0)
            failed = true;
    });
    return failed ? -1 : ms;
}

QStringList LinkedPhotos(const BenchContext &context, int count, const QString &folder)
{
    const QString path = context.workDir + QLatin1Char('/') + folder;
    QDir().mkpath(path);
    QStringList photos;
    for (int i = 0; i < count && !context.photos.isEmpty(); ++i) {
        const QString source = context.photos[i % context.photos.size()];
        const QString photo = QStringLiteral("%1/photo%2.jpg").arg(path).arg(i, 3, 10, QLatin1Char('0'));
        if (!QFile::exists(photo) && !QFile::link(source, photo))
            QFile::copy(source, photo);
        photos << photo;
    }
    return photos;
}

void PrintFigure(const QString &name, double value, const char *unit, const QString &comment)
{
    std::printf("%-58s %10.2f %s%s%s\n", name.toUtf8().constData(), value, unit, comment.isEmpty() ? "" : "  ",
                comment.toUtf8().constData());
    std::fflush(stdout);
}

int main(int argc, char **argv)
{
    if (argc >= 3 && std::strcmp(argv[1], kMeasuredRunOption) == 0)
        return MeasuredRunMain(argv + 2);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#if VISTRANO_BENCH_WIDGETS
    QApplication app(argc, argv);
#else
    QGuiApplication app(argc, argv);
#endif
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: vistrano-bench PHOTO_DIR BIN_DIR [CASE...]\n");
        return 2;
    }
    QTemporaryDir work;
    BenchContext context;
    context.photoDir = args[1];
    context.binDir = args[2];
    context.workDir = work.path();
    for (const QString &name : QDir(context.photoDir).entryList({QStringLiteral("*.jpg")}, QDir::Files, QDir::Name))
        context.photos << QDir(context.photoDir).filePath(name);
    const QStringList filters = args.mid(3);
    for (const BenchCase &bench : Cases()) {
        if (!filters.isEmpty() && !filters.contains(QLatin1String(bench.name)))
            continue;
        std::printf("== %s\n", bench.name);
        bench.run(context);
    }
    return 0;
}
