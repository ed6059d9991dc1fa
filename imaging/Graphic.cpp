#include "imaging/Graphic.h"

#include "common/VistranoError.h"

#include <QFile>

QByteArray ReadWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw VistranoError(QStringLiteral("Cannot open file %1").arg(path));
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EReadError();
    return data;
}

void TGraphic::LoadFromFile(const QString &path)
{
    LoadFromBytes(ReadWholeFile(path));
}

void TGraphic::LoadScaledFromFile(const QString &path, const TPictureScale &)
{
    LoadFromFile(path);
}
