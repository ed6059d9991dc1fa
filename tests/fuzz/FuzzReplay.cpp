// Replays the seed corpus and the regression inputs of a fuzz target in the
// normal build, without clang or libFuzzer, so that an input that once
// crashed, hung or tripped a check stays caught: each file goes once through
// the target's entry point. A crash or an abort ends the program with the
// file's name as the last line printed; an exception that escapes fails it.
//
//   vistrano-fuzz-replay <target> <folder or file>...
#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <vector>

struct FuzzTarget
{
    const char *name;
    int (*entry)(const uint8_t *data, size_t size);
};
extern const FuzzTarget kFuzzTargets[];
extern const size_t kFuzzTargetCount;

namespace {

const FuzzTarget *FindTarget(const char *name)
{
    for (size_t i = 0; i < kFuzzTargetCount; ++i)
        if (std::strcmp(kFuzzTargets[i].name, name) == 0)
            return &kFuzzTargets[i];
    return nullptr;
}

// The files of the arguments: a folder gives its files in name order, a
// folder that does not exist gives none.
QStringList InputFiles(int count, char **arguments)
{
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString path = QString::fromLocal8Bit(arguments[i]);
        const QFileInfo info(path);
        if (info.isDir()) {
            const QDir dir(path);
            for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
                files << dir.filePath(name);
        } else if (info.isFile()) {
            files << path;
        }
    }
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <target> <folder or file>...\n", argv[0]);
        return 2;
    }
    const FuzzTarget *target = FindTarget(argv[1]);
    if (!target) {
        std::fprintf(stderr, "no fuzz target %s\n", argv[1]);
        return 2;
    }
    const QStringList files = InputFiles(argc - 2, argv + 2);
    if (files.isEmpty()) {
        std::fprintf(stderr, "no inputs for %s\n", argv[1]);
        return 1;
    }
    qint64 slowest = 0;
    QString slowestFile;
    for (const QString &path : files) {
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
            return 1;
        }
        // A copy of its own, so that a read past the end is a read past a
        // heap block of exactly the input's size, as under libFuzzer.
        const QByteArray bytes = file.readAll();
        std::vector<uint8_t> input(bytes.begin(), bytes.end());
        QElapsedTimer timer;
        timer.start();
        try {
            target->entry(input.data(), input.size());
        } catch (const std::exception &error) {
            std::fprintf(stderr, "%s: an exception escaped: %s\n", qPrintable(path), error.what());
            return 1;
        } catch (...) {
            std::fprintf(stderr, "%s: an exception escaped\n", qPrintable(path));
            return 1;
        }
        if (timer.elapsed() >= slowest) {
            slowest = timer.elapsed();
            slowestFile = path;
        }
    }
    std::printf("%s: %lld inputs replayed; slowest %s, %lld ms\n", argv[1], static_cast<long long>(files.size()),
                qPrintable(QFileInfo(slowestFile).fileName()), static_cast<long long>(slowest));
    return 0;
}
