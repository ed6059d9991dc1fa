#include "imaging/Graphic.h"

#include "common/WholeFile.h"

void TGraphic::LoadFromFile(const QString &path)
{
    LoadFromBytes(ReadWholeFile(path));
}

void TGraphic::LoadScaledFromFile(const QString &path, const TPictureScale &)
{
    LoadFromFile(path);
}
