#include "imaging/decoders/TIFFGraphic.h"

const TGraphicClass &TTIFFGraphic::StaticClass()
{
    static const TGraphicClass cls{"TTIFFGraphic", [] { return std::unique_ptr<TGraphic>(new TTIFFGraphic); }};
    return cls;
}

void TTIFFGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("TIFF");
}
