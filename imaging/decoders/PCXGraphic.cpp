#include "imaging/decoders/PCXGraphic.h"

const TGraphicClass &TPCXGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPCXGraphic", [] { return std::unique_ptr<TGraphic>(new TPCXGraphic); }};
    return cls;
}

void TPCXGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("PCX");
}
