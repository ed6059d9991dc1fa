#pragma once

#include <QStringList>

// vistrano-cli new PROJECT.vsw PICTURE... [--duration N]
// [--transition NAME|CODE] [--audio FILE]: makes each picture a slide as
// dropping it on the strip does, lays them out in the order given and saves
// the project.
int RunNew(const QStringList &args);
