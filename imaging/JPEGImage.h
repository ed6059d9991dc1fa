#pragma once

#include "imaging/Graphic.h"

// The framework's JPEG picture class, registered for jfif, jpg, jpe and
// jpeg. It keeps the file's bytes but gives no bitmap; picture loading reads
// those extensions with the scaled JPEG reader instead (imaging/JPEG_IO.h).
class TJPEGImage : public TGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override { m_data = data; }
    QImage Bitmap() const override { return {}; }

    const QByteArray &Data() const { return m_data; }

private:
    QByteArray m_data;
};
