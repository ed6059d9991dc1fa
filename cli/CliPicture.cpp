#include "cli/CliPicture.h"

#include "common/VistranoError.h"
#include "imaging/PictureLoading.h"

QImage LoadPictureForCli(const QString &path, JPEGReadScale scale)
{
    QImage bitmap = LoadPictureFile(path, scale);
    if (bitmap.isNull())
        throw EInvalidGraphic(QStringLiteral("No picture could be read from %1").arg(path));
    return bitmap;
}
