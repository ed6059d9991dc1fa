#include "imaging/decoders/SGIGraphic.h"

const TGraphicClass &TSGIGraphic::StaticClass()
{
    static const TGraphicClass cls{"TSGIGraphic", [] { return std::unique_ptr<TGraphic>(new TSGIGraphic); }};
    return cls;
}

void TSGIGraphic::LoadFromBytes(const QByteArray &)
{
    FormatError("SGI");
}
