#pragma once

#include <QStringList>

// vistrano-cli thumbnails FOLDER... [--threads N]: makes (or refreshes) the
// desktop thumbnail cache entries of every picture the file list offers in
// the folders, the entries the window makes, and prints one line a file in
// name order: "made PATH", "cached PATH" (a valid entry was there) or
// "failed PATH" (its failure is recorded; the reason goes to standard
// error). A folder that cannot be read, or a cache that cannot be written,
// is an error (exit status 1) after the other files are done; failed
// pictures are not.
int RunThumbnails(const QStringList &args);
