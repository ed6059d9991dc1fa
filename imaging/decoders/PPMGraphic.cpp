#include "imaging/decoders/PPMGraphic.h"

const TGraphicClass &TPPMGraphic::StaticClass()
{
    static const TGraphicClass cls{"TPPMGraphic", [] { return std::unique_ptr<TGraphic>(new TPPMGraphic); }};
    return cls;
}

void TPPMGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("PPM");
}
