#include "imaging/decoders/PCDGraphic.h"

const TGraphicClass &TPCDGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPCDGraphic", [] { return std::unique_ptr<TGraphic>(new TPCDGraphic); }};
    return cls;
}

void TPCDGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("PCD");
}
