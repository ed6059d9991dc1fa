#pragma once

#include <QStringList>

// vistrano-cli new PROJECT.vsw PICTURE... [--duration N]
// [--transition NAME|CODE] [--audio FILE [--fit-audio]] [--motion none|auto]:
// makes each picture a slide as dropping it on the strip does, with the
// motion given (none by default), lays them out in the order given and saves
// the project. --fit-audio fits the slides' durations to the audio's length
// as the project settings do, and says the result; a refusal fails with its
// message.
int RunNew(const QStringList &args);
