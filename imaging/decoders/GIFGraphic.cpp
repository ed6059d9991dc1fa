#include "imaging/decoders/GIFGraphic.h"

const TGraphicClass &TGIFGraphic::StaticClass()
{
    static const TGraphicClass cls{"TGIFGraphic", [] { return std::unique_ptr<TGraphic>(new TGIFGraphic); }};
    return cls;
}

void TGIFGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("GIF");
}
