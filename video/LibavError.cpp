#include "video/LibavError.h"

#include "common/VistranoError.h"

extern "C" {
#include <libavutil/error.h>
}

QString LibavErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(code, text, sizeof text) < 0)
        return QStringLiteral("error %1").arg(code);
    return QString::fromLocal8Bit(text);
}

int CheckLibav(int code, const QString &what)
{
    if (code < 0)
        throw VistranoError(QStringLiteral("%1: %2").arg(what, LibavErrorText(code)));
    return code;
}

void ThrowOutOfMemory()
{
    throw VistranoError(QStringLiteral("Not enough memory to make the video"));
}
