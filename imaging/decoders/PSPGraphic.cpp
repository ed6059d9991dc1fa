#include "imaging/decoders/PSPGraphic.h"

const TGraphicClass &TPSPGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPSPGraphic", [] { return std::unique_ptr<TGraphic>(new TPSPGraphic); }};
    return cls;
}

void TPSPGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("PSP");
}
