#include "imaging/decoders/AutodeskGraphic.h"

const TGraphicClass &TAutodeskGraphic::StaticClass()
{
    static const TGraphicClass cls{"TAutodeskGraphic", [] { return std::unique_ptr<TGraphic>(new TAutodeskGraphic); }};
    return cls;
}

void TAutodeskGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("Autodesk");
}
