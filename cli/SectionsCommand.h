#pragma once

#include <QStringList>

// vistrano-cli sections PACKAGE [KEY]: without a key, one line per section
// in file order (the key as stored, a tab, the value's length in bytes); with
// a key, the value's bytes on standard output, found as the player finds it.
int RunSections(const QStringList &args);
