#include "imaging/decoders/CUTGraphic.h"

const TGraphicClass &TCUTGraphic::StaticClass()
{
    static const TGraphicClass cls{"TCUTGraphic", [] { return std::unique_ptr<TGraphic>(new TCUTGraphic); }};
    return cls;
}

void TCUTGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("CUT");
}
