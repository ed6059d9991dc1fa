#include "imaging/decoders/PNGGraphic.h"

const TGraphicClass &TPNGGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPNGGraphic", [] { return std::unique_ptr<TGraphic>(new TPNGGraphic); }};
    return cls;
}

void TPNGGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("PNG");
}
