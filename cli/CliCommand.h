#pragma once

#include <QStringList>

#include <stdexcept>

// One subcommand of vistrano-cli. run() gets the arguments after the
// subcommand's name and returns the exit status; it throws UsageError for
// wrong usage (exit 2) and VistranoError for failures (exit 1), which
// main() reports on standard error.
struct CliCommand
{
    const char *name;
    const char *usage;
    int (*run)(const QStringList &args);
};

class UsageError : public std::runtime_error
{
public:
    UsageError() : std::runtime_error("usage") {}
};

// Every subcommand, in the order the usage text lists them.
const CliCommand *CliCommands(int &count);
