#include "cli/CliArguments.h"

#include "cli/CliCommand.h"
#include "show/ScreenSizes.h"

#include <cstdio>

CliArguments CliArguments::Parse(const QStringList &args, const QStringList &knownOptions, int minPositional,
                                 int maxPositional, const QStringList &knownFlags)
{
    CliArguments parsed;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (knownFlags.contains(arg)) {
            if (parsed.flags.contains(arg))
                throw UsageError();
            parsed.flags << arg;
        } else if (arg.startsWith(QLatin1String("--"))) {
            if (!knownOptions.contains(arg) || i + 1 >= args.size() || parsed.options.contains(arg))
                throw UsageError();
            parsed.options.insert(arg, args[++i]);
        } else {
            parsed.positional << arg;
        }
    }
    if (parsed.positional.size() < minPositional || parsed.positional.size() > maxPositional)
        throw UsageError();
    return parsed;
}

int ParseIntArgument(const QString &text, int minimum, int maximum)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok || value < minimum || value > maximum)
        throw UsageError();
    return value;
}

QSize SizeOption(const CliArguments &parsed, QSize fallback)
{
    const auto given = parsed.options.constFind(QStringLiteral("--size"));
    if (given == parsed.options.constEnd())
        return fallback;
    const QSize size = ParseSizeArgument(*given);
    if (!size.isValid())
        throw UsageError();
    return size;
}

void PrintStatusLine(const QString &status)
{
    if (status.isEmpty())
        return;
    std::fprintf(stderr, "%s\n", status.toUtf8().constData());
    std::fflush(stderr);
}
