#include "imaging/decoders/RLAGraphic.h"

const TGraphicClass &TRLAGraphic::StaticClass()
{
    static const TGraphicClass cls{"TRLAGraphic", [] { return std::unique_ptr<TGraphic>(new TRLAGraphic); }};
    return cls;
}

void TRLAGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("RLA");
}
