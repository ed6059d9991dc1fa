#include "imaging/decoders/PSDGraphic.h"

const TGraphicClass &TPSDGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPSDGraphic", [] { return std::unique_ptr<TGraphic>(new TPSDGraphic); }};
    return cls;
}

void TPSDGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("PSD");
}
