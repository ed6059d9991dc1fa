#include "imaging/decoders/EPSGraphic.h"

const TGraphicClass &TEPSGraphic::StaticClass()
{
    static const TGraphicClass cls{"TEPSGraphic", [] { return std::unique_ptr<TGraphic>(new TEPSGraphic); }};
    return cls;
}

void TEPSGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("EPS");
}
