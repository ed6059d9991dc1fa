#pragma once

#include <QString>

// Every file path of the image browser is built as folder, separator, file
// name: the folder gets a "/" appended unless it already ends in one (an
// empty folder gives a lone "/").
QString WithTrailingSeparator(const QString &folder);

// A folder path as the folder tree takes it: without a trailing separator,
// except for the root "/" itself.
QString WithoutTrailingSeparator(const QString &folder);
