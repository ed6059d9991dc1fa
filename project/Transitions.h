#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The transitions a slide can have; a slide stores the index of its name
// (0 "Cut", 1 "Dissolve", 2 "Wipe From Left", 3 "Wipe From Right",
// 4 "Wipe From Top", 5 "Wipe From Bottom").
const QStringList &TransitionNames();

// The name of a transition code; empty for a code that names none.
QString TransitionName(double code);

// The code of a transition given by its name (letter case ignored) or by
// its code as a number.
std::optional<int> TransitionCode(const QString &nameOrCode);
