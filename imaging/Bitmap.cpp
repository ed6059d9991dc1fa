#include "imaging/Bitmap.h"

#include "imaging/WindowsBitmapReader.h"

const TGraphicClass &TBitmap::StaticClass()
{
    static const TGraphicClass cls{"TBitmap", [] { return std::unique_ptr<TGraphic>(new TBitmap); }};
    return cls;
}

void TBitmap::LoadFromBytes(const QByteArray &data)
{
    m_bitmap = ReadWindowsBitmap(data);
}
