#include "about/ProgramIcon.h"

QIcon ProgramIcon()
{
    QIcon builtIn;
    for (int size : {32, 48, 256})
        builtIn.addFile(QStringLiteral(":/icons/vistrano-%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QStringLiteral("vistrano"), builtIn);
}
