#pragma once

#include "imaging/Graphic.h"

// The framework's Windows bitmap class, registered for bmp, rle and dib.
class TBitmap : public TGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    void LoadFromBytes(const QByteArray &data) override;
    QImage Bitmap() const override { return m_bitmap; }

private:
    QImage m_bitmap;
};
