#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// Lets a program replace its own file: a program writes a changed copy of
// itself as "temp0a0.exe" beside itself and starts it with its own path; the
// copy overwrites the first program's file, starts it again with "deltemp",
// and the restarted program deletes the copy. This program never makes the
// copy; the hook only acts when started in one of these two ways.
//
// Call it at start-up, after the application object exists and before any
// window; when it returns true the program ends at once:
//
//     QApplication app(argc, argv);
//     if (RunStartupHook())
//         return 0;
//
// Paths are taken in the folder of the running program; the current
// directory is not changed.
bool RunStartupHook();

// The same for a given program file and arguments (the first one is the
// first argument, not the program), starting programs through `start`.
using StartProgramFunction = std::function<bool(const QString &program, const QStringList &arguments)>;
bool RunStartupHook(const QString &programPath, const QStringList &arguments, const StartProgramFunction &start,
                    int retryMilliseconds = 5000);

// Deletes the file, retrying every 10 milliseconds while that fails (making a
// read-only file writable first, and letting pending events run) for at most
// `retryMilliseconds`. A file that does not exist counts as deleted. After a
// successful deletion one more is tried and its result ignored. Returns false
// when the file could not be deleted in time.
bool DeleteFileWithRetries(const QString &path, int retryMilliseconds = 5000);
