#pragma once

#include "imaging/Graphic.h"

// Windows metafiles: enhanced (emf) and placeable (wmf). The picture checks
// the file's header but gives no bitmap: loading a metafile results in an
// empty picture.
class TMetafile : public TGraphic
{
public:
    static const TGraphicClass &StaticClass();
    const TGraphicClass &Class() const override { return StaticClass(); }
    // Fails with "Metafile is not valid" when the header is not one of the two.
    void LoadFromBytes(const QByteArray &data) override;
    QImage Bitmap() const override { return {}; }

    bool Enhanced() const { return m_enhanced; }

private:
    bool m_enhanced = false;
};
