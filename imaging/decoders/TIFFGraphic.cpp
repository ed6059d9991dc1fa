#include "imaging/decoders/TIFFGraphic.h"

#include "imaging/decoders/TIFFImageReader.h"

const TGraphicClass &TTIFFGraphic::StaticClass()
{
    static const TGraphicClass cls{"TTIFFGraphic", [] { return std::unique_ptr<TGraphic>(new TTIFFGraphic); }};
    return cls;
}

void TTIFFGraphic::LoadFromBytes(const QByteArray &data)
{
    LoadTIFF({reinterpret_cast<const uint8_t *>(data.constData()), size_t(data.size())}, "TIFF");
}

void TTIFFGraphic::LoadTIFF(std::span<const uint8_t> bytes, const char *formatName)
{
    m_bitmap = QImage();
    m_bitmap = ImageReader(bytes, formatName).Read();
}
