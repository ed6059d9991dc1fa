#include "cli/CliArguments.h"

#include "cli/CliCommand.h"

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
