#pragma once

#include <QString>
#include <QStringList>

// The File menu's "Recent Projects": the project files last opened or
// saved, the most recent first, each once, at most eight.
inline constexpr int kRecentProjectCount = 8;

// The list with the project put first (a path already in it moves up).
QStringList WithRecentProject(const QStringList &recent, const QString &path);

// The list without the project (without empty and repeated entries too,
// so that a list read from the settings can be tidied with an empty path).
QStringList WithoutRecentProject(const QStringList &recent, const QString &path);
