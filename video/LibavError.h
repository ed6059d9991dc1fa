#pragma once

#include <QString>

// FFmpeg's text for one of its error codes ("No space left on device").
QString LibavErrorText(int code);

// Fails with "<what>: <FFmpeg's text>" when the code is an error (negative);
// returns it otherwise.
int CheckLibav(int code, const QString &what);

// An allocation that FFmpeg could not make.
[[noreturn]] void ThrowOutOfMemory();
