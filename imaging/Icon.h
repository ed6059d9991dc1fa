#pragma once

#include "imaging/Graphic.h"

// Windows icon files (ico). The picture checks the icon directory but gives
// no bitmap: loading an icon results in an empty picture.
class TIcon : public TGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    // Fails with "Icon image is not valid" when the directory is broken.
    void LoadFromBytes(const QByteArray &data) override;
    QImage Bitmap() const override { return {}; }

    int ImageCount() const { return m_imageCount; }

private:
    int m_imageCount = 0;
};
