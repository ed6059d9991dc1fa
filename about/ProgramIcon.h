#pragma once

#include <QIcon>

// The program's icon: the installed one of the desktop's icon theme, else the
// copy built into the program.
QIcon ProgramIcon();
