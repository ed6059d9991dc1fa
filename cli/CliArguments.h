#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The arguments of one subcommand: positional arguments in order and
// "--name value" options, which may stand anywhere. An unknown option, an
// option without its value, an option given twice or a positional count
// outside [minPositional, maxPositional] is wrong usage (UsageError).
struct CliArguments
{
    QStringList positional;
    QMap<QString, QString> options;

    static CliArguments Parse(const QStringList &args, const QStringList &knownOptions, int minPositional,
                              int maxPositional);
};

// A whole number in [minimum, maximum]; anything else is wrong usage.
int ParseIntArgument(const QString &text, int minimum, int maximum);
