#include "imaging/FormatRegistration.h"

#include "common/VistranoError.h"
#include "imaging/Bitmap.h"
#include "imaging/FileFormatList.h"
#include "imaging/Icon.h"
#include "imaging/JPEGImage.h"
#include "imaging/Metafile.h"
#include "imaging/PictureFileFormats.h"
#include "imaging/decoders/AutodeskGraphic.h"
#include "imaging/decoders/CUTGraphic.h"
#include "imaging/decoders/EPSGraphic.h"
#include "imaging/decoders/GIFGraphic.h"
#include "imaging/decoders/HEIFGraphic.h"
#include "imaging/decoders/PCDGraphic.h"
#include "imaging/decoders/PCXGraphic.h"
#include "imaging/decoders/PNGGraphic.h"
#include "imaging/decoders/PPMGraphic.h"
#include "imaging/decoders/PSDGraphic.h"
#include "imaging/decoders/PSPGraphic.h"
#include "imaging/decoders/RLAGraphic.h"
#include "imaging/decoders/SGIGraphic.h"
#include "imaging/decoders/TIFFGraphic.h"
#include "imaging/decoders/TargaGraphic.h"
#include "imaging/decoders/WebPGraphic.h"

#include <QCoreApplication>

#include <memory>

namespace {

std::unique_ptr<TFileFormatList> &TheList()
{
    static std::unique_ptr<TFileFormatList> list;
    return list;
}

struct Registration
{
    const char *extension;
    const char *commonDescription;
    const char *ownDescription;
    TFormatKinds kinds;
    const TGraphicClass &(*graphicClass)();
};

constexpr TFormatKinds R = fkRaster, V = fkVector, M = fkMultiImage, L = fkLayered, A = fkAnimation;

// The descriptions are user-visible texts, translated in the
// "FileFormats" context.
const Registration kRegistrations[] = {
    {"bmp", QT_TRANSLATE_NOOP("FileFormats", "Windows bitmaps"), "", R, TBitmap::StaticClass},
    {"ico", QT_TRANSLATE_NOOP("FileFormats", "Windows icons"), "", R, TIcon::StaticClass},
    {"wmf", QT_TRANSLATE_NOOP("FileFormats", "Windows metafiles"), "", V, TMetafile::StaticClass},
    {"emf", QT_TRANSLATE_NOOP("FileFormats", "Windows metafiles"),
     QT_TRANSLATE_NOOP("FileFormats", "Windows enhanced meta files"), V, TMetafile::StaticClass},
    {"jfif", QT_TRANSLATE_NOOP("FileFormats", "JPG images"), QT_TRANSLATE_NOOP("FileFormats", "JFIF images"), R,
     TJPEGImage::StaticClass},
    {"jpg", "", QT_TRANSLATE_NOOP("FileFormats", "JPG images"), R, TJPEGImage::StaticClass},
    {"jpe", "", QT_TRANSLATE_NOOP("FileFormats", "JPE images"), R, TJPEGImage::StaticClass},
    {"jpeg", "", QT_TRANSLATE_NOOP("FileFormats", "JPEG images"), R, TJPEGImage::StaticClass},
    {"rle", QT_TRANSLATE_NOOP("FileFormats", "Windows bitmaps"),
     QT_TRANSLATE_NOOP("FileFormats", "Run length encoded Windows bitmaps"), R, TBitmap::StaticClass},
    {"dib", "", QT_TRANSLATE_NOOP("FileFormats", "Device independant Windows bitmaps"), R, TBitmap::StaticClass},
    {"win", QT_TRANSLATE_NOOP("FileFormats", "Truevision images"), "", R, TTargaGraphic::StaticClass},
    {"vst", "", "", R, TTargaGraphic::StaticClass},
    {"vda", "", "", R, TTargaGraphic::StaticClass},
    {"tga", "", "", R, TTargaGraphic::StaticClass},
    {"icb", "", "", R, TTargaGraphic::StaticClass},
    {"tiff", QT_TRANSLATE_NOOP("FileFormats", "Tagged image file format images"),
     QT_TRANSLATE_NOOP("FileFormats", "Macintosh TIFF images"), M | R, TTIFFGraphic::StaticClass},
    {"tif", "", QT_TRANSLATE_NOOP("FileFormats", "PC TIF images"), M | R, TTIFFGraphic::StaticClass},
    {"fax", "", QT_TRANSLATE_NOOP("FileFormats", "GFI fax images"), M | R, TTIFFGraphic::StaticClass},
    {"eps", QT_TRANSLATE_NOOP("FileFormats", "Encapsulated Postscript images"), "", R, TEPSGraphic::StaticClass},
    {"pcx", QT_TRANSLATE_NOOP("FileFormats", "ZSoft Paintbrush images"), "", R, TPCXGraphic::StaticClass},
    {"pcc", "", "", R, TPCXGraphic::StaticClass},
    {"scr", "", QT_TRANSLATE_NOOP("FileFormats", "Word 5.x screen capture images"), R, TPCXGraphic::StaticClass},
    {"rpf", QT_TRANSLATE_NOOP("FileFormats", "Alias/Wavefront images"), "", R, TRLAGraphic::StaticClass},
    {"rla", "", "", R, TRLAGraphic::StaticClass},
    {"sgi", QT_TRANSLATE_NOOP("FileFormats", "SGI images"), QT_TRANSLATE_NOOP("FileFormats", "SGI true color images"),
     R, TSGIGraphic::StaticClass},
    {"rgba", "", QT_TRANSLATE_NOOP("FileFormats", "SGI true color images with alpha"), R, TSGIGraphic::StaticClass},
    {"rgb", "", QT_TRANSLATE_NOOP("FileFormats", "SGI true color images"), R, TSGIGraphic::StaticClass},
    {"bw", "", QT_TRANSLATE_NOOP("FileFormats", "SGI black/white images"), R, TSGIGraphic::StaticClass},
    {"psd", QT_TRANSLATE_NOOP("FileFormats", "Photoshop images"), "", L | R, TPSDGraphic::StaticClass},
    {"pdd", "", "", L | R, TPSDGraphic::StaticClass},
    {"ppm", QT_TRANSLATE_NOOP("FileFormats", "Portable map images"),
     QT_TRANSLATE_NOOP("FileFormats", "Portable pixel map images"), R, TPPMGraphic::StaticClass},
    {"pgm", "", QT_TRANSLATE_NOOP("FileFormats", "Portable gray map images"), R, TPPMGraphic::StaticClass},
    {"pbm", "", QT_TRANSLATE_NOOP("FileFormats", "Portable bitmap images"), R, TPPMGraphic::StaticClass},
    {"cel", QT_TRANSLATE_NOOP("FileFormats", "Autodesk images"), "", R, TAutodeskGraphic::StaticClass},
    {"pic", QT_TRANSLATE_NOOP("FileFormats", "Autodesk images"), "", R, TAutodeskGraphic::StaticClass},
    {"pcd", QT_TRANSLATE_NOOP("FileFormats", "Kodak Photo-CD images"), "", R, TPCDGraphic::StaticClass},
    {"gif", QT_TRANSLATE_NOOP("FileFormats", "CompuServe images"), "", A | M | R, TGIFGraphic::StaticClass},
    {"cut", QT_TRANSLATE_NOOP("FileFormats", "Dr. Halo images"), "", R, TCUTGraphic::StaticClass},
    {"psp", QT_TRANSLATE_NOOP("FileFormats", "Paintshop Pro images"), "", R | V, TPSPGraphic::StaticClass},
    {"png", QT_TRANSLATE_NOOP("FileFormats", "Portable network graphic images"), "", R, TPNGGraphic::StaticClass},
    // The pictures of today's phones and of the web.
    {"heic", QT_TRANSLATE_NOOP("FileFormats", "High efficiency images"), QT_TRANSLATE_NOOP("FileFormats", "HEIC images"),
     M | R, THEIFGraphic::StaticClass},
    {"heif", "", QT_TRANSLATE_NOOP("FileFormats", "HEIF images"), M | R, THEIFGraphic::StaticClass},
    {"avif", QT_TRANSLATE_NOOP("FileFormats", "AV1 images"), "", M | R, TAVIFGraphic::StaticClass},
    {"webp", QT_TRANSLATE_NOOP("FileFormats", "WebP images"), "", A | R, TWebPGraphic::StaticClass},
};

struct Unregistration
{
    const char *extension;
    const TGraphicClass &(*graphicClass)();
};

const Unregistration kUnregistrations[] = {
    {"", TPSPGraphic::StaticClass},  {"", TPSDGraphic::StaticClass},      {"", TTargaGraphic::StaticClass},
    {"", TTIFFGraphic::StaticClass}, {"", TSGIGraphic::StaticClass},      {"", TPCXGraphic::StaticClass},
    {"", TAutodeskGraphic::StaticClass}, {"", TPCDGraphic::StaticClass},  {"", TPPMGraphic::StaticClass},
    {"", TCUTGraphic::StaticClass},  {"", TGIFGraphic::StaticClass},      {"", TRLAGraphic::StaticClass},
    {"rle", TBitmap::StaticClass},   {"dib", TBitmap::StaticClass},       {"", TPNGGraphic::StaticClass},
    {"", THEIFGraphic::StaticClass}, {"", TAVIFGraphic::StaticClass},     {"", TWebPGraphic::StaticClass},
};

QString Translated(const char *text)
{
    return *text ? QCoreApplication::translate("FileFormats", text) : QString();
}

} // namespace

void RegisterFileFormats()
{
    std::unique_ptr<TFileFormatList> &list = TheList();
    if (list)
        throw VistranoError(QStringLiteral("The picture formats are registered already."));
    RestoreFrameworkPictureFormats();
    auto registry = std::make_unique<TFileFormatList>();
    for (const Registration &r : kRegistrations)
        registry->RegisterFileFormat(QLatin1String(r.extension), Translated(r.commonDescription),
                                     Translated(r.ownDescription), r.kinds, r.graphicClass());
    list = std::move(registry);
}

void UnregisterFileFormats()
{
    std::unique_ptr<TFileFormatList> &list = TheList();
    if (!list)
        return;
    for (const Unregistration &u : kUnregistrations)
        list->UnregisterFileFormat(QLatin1String(u.extension), u.graphicClass());
    list.reset();
}

const TFileFormatList *FileFormatList()
{
    return TheList().get();
}
