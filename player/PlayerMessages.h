#pragma once

#include <QString>

struct ShowPackage;

// What the player says instead of playing, or an empty text when the show
// has slides to play.
QString ShowMessage(const ShowPackage &show);
