#include "cli/CliCommand.h"
#include "common/FileNames.h"
#include "common/VistranoError.h"
#include "imaging/FormatRegistration.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>
#include <exception>

namespace {

void PrintUsage()
{
    int count = 0;
    const CliCommand *commands = CliCommands(count);
    std::fputs("usage:\n", stderr);
    for (int i = 0; i < count; ++i)
        std::fprintf(stderr, "  vistrano-cli %s\n", commands[i].usage);
}

} // namespace

int main(int argc, char *argv[])
{
    // Picture work needs Qt Gui (QImage, fonts) but never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const TFileFormatRegistration formats;

    // The arguments keep their bytes: a file name that is not UTF-8 must
    // still name its file (Qt's own decoding would replace those bytes).
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << DecodeFileName(argv[i]);
    if (args.isEmpty()) {
        PrintUsage();
        return 2;
    }
    int count = 0;
    const CliCommand *commands = CliCommands(count);
    for (int i = 0; i < count; ++i) {
        if (args[0] != QLatin1String(commands[i].name))
            continue;
        try {
            return commands[i].run(args.mid(1));
        } catch (const UsageError &) {
            std::fprintf(stderr, "usage: vistrano-cli %s\n", commands[i].usage);
            return 2;
        } catch (const VistranoError &error) {
            std::fprintf(stderr, "%s\n", error.message().toUtf8().constData());
            return 1;
        } catch (const std::bad_alloc &) {
            std::fputs("Out of memory\n", stderr);
            return 1;
        } catch (const std::exception &error) {
            std::fprintf(stderr, "%s\n", error.what());
            return 1;
        }
    }
    PrintUsage();
    return 2;
}
