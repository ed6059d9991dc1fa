#include "imaging/decoders/TargaGraphic.h"

const TGraphicClass &TTargaGraphic::StaticClass()
{
    static const TGraphicClass cls{"TTargaGraphic", [] { return std::unique_ptr<TGraphic>(new TTargaGraphic); }};
    return cls;
}

void TTargaGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("TGA");
}
