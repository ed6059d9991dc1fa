#pragma once

#include <QMap>
#include <QSize>
#include <QString>
#include <QStringList>

// The arguments of one subcommand: positional arguments in order,
// "--name value" options and "--name" flags, which may stand anywhere. An
// unknown option, an option without its value, an option or flag given twice
// or a positional count outside [minPositional, maxPositional] is wrong usage
// (UsageError).
struct CliArguments
{
    QStringList positional;
    QMap<QString, QString> options;
    QStringList flags;

    static CliArguments Parse(const QStringList &args, const QStringList &knownOptions, int minPositional,
                              int maxPositional, const QStringList &knownFlags = {});
};

// A whole number in [minimum, maximum]; anything else is wrong usage.
int ParseIntArgument(const QString &text, int minimum, int maximum);

// The value of "--size WxH" when given (any valid size; callers that allow
// only some check it), else `fallback`; a malformed size is wrong usage.
QSize SizeOption(const CliArguments &parsed, QSize fallback);

// A long command's progress line on standard error; empty statuses print
// nothing.
void PrintStatusLine(const QString &status);
