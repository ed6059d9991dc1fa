#pragma once

#include <QString>

// The program's own version values, set by the build: the file version
// (the project's version, e.g. "1.0.0.1") and the copyright line.
struct TVersionResource
{
    QString FileVersion;
    QString LegalCopyright;
};

TVersionResource ProgramVersionResource();
