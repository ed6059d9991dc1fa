#pragma once

// The reference tools the tests compare with (independent readers and
// writers: ImageMagick, netpbm, libjpeg's and libtiff's tools, Python's
// imaging library, poppler, the HEIF and WebP tools). scripts/test.sh
// installs them and sets VISTRANO_REQUIRE_TOOLS: there a test whose tool is
// missing fails, so that a comparison never turns into a pass unseen;
// elsewhere it is skipped with a message that names what is missing.

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

// The real ImageMagick convert (not a stand-in earlier on the PATH), or an
// empty string when none is installed.
QString ConvertProgram();
// Debian's python3 when it has PIL (python3-pil), else a python3 on the PATH
// that has it, or an empty string. The first python3 on the PATH may be
// another installation without it.
QString PillowPython();
// True when a program of that name (or path) can be run.
bool ToolAvailable(const QString &name);

// The tools of the list that are missing, joined by ", "; empty when all are
// there. A name is a program on the PATH, except "convert" (ConvertProgram)
// and "PIL" (PillowPython).
QString MissingTools(const QStringList &tools);
// True where a missing tool fails the test (VISTRANO_REQUIRE_TOOLS is set).
bool ToolsRequired();

// In a test's body (or a helper checked with ASSERT_NO_FATAL_FAILURE): skips
// the test, or fails it where the tools are required, when one is missing.
#define REQUIRE_TOOLS(...)                                                                    \
    do {                                                                                      \
        const QString missingTools = MissingTools({__VA_ARGS__});                             \
        if (!missingTools.isEmpty()) {                                                        \
            if (ToolsRequired())                                                              \
                FAIL() << "missing reference tools: " << missingTools.toStdString();          \
            GTEST_SKIP() << "missing reference tools: " << missingTools.toStdString();        \
        }                                                                                     \
    } while (false)
