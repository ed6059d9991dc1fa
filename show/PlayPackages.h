#pragma once

#include <QString>

// "Play Show" renders the strip into a package of its own in the user's
// cache folder, starts it, and deletes it when the show has ended. The
// packages carry the number of the process that made them, so that one
// left behind by a program that is no longer running (a crash, a power
// cut) can be told from one that is still playing.

// The folder of the packages, made when missing: "play" in the program's
// cache folder.
QString PlayPackageFolder();

// A name for a new package in the folder that no file has yet.
QString NewPlayPackagePath(const QString &folder);

// Deletes the packages in the folder whose program is no longer running.
void RemoveStalePlayPackages(const QString &folder);
