#include "imaging/JPEGImage.h"

const TGraphicClass &TJPEGImage::StaticClass()
{
    static const TGraphicClass cls{"TJPEGImage", [] { return std::unique_ptr<TGraphic>(new TJPEGImage); }};
    return cls;
}
