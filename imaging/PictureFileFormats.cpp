#include "imaging/PictureFileFormats.h"

#include "common/VistranoError.h"
#include "imaging/Bitmap.h"
#include "imaging/Icon.h"
#include "imaging/JPEGImage.h"
#include "imaging/Metafile.h"

#include <algorithm>
#include <mutex>

namespace {

struct Table
{
    std::mutex mutex;
    std::vector<PictureFileFormat> entries;
};

std::vector<PictureFileFormat> FrameworkEntries()
{
    return {
        {QStringLiteral("wmf"), QStringLiteral("Metafiles"), &TMetafile::StaticClass()},
        {QStringLiteral("emf"), QStringLiteral("Enhanced Metafiles"), &TMetafile::StaticClass()},
        {QStringLiteral("ico"), QStringLiteral("Icons"), &TIcon::StaticClass()},
        {QStringLiteral("bmp"), QStringLiteral("Bitmaps"), &TBitmap::StaticClass()},
        {QStringLiteral("jpeg"), QStringLiteral("JPEG Image File"), &TJPEGImage::StaticClass()},
        {QStringLiteral("jpg"), QStringLiteral("JPEG Image File"), &TJPEGImage::StaticClass()},
    };
}

Table &TheTable()
{
    static Table table{{}, FrameworkEntries()};
    return table;
}

} // namespace

QString FoldAsciiLower(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}

QString PictureFileExtension(const QString &fileName)
{
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return {};
    return FoldAsciiLower(fileName.mid(dot + 1));
}

void RegisterPictureFileFormat(const QString &extension, const QString &description, const TGraphicClass &graphicClass)
{
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    table.entries.push_back({FoldAsciiLower(extension), description, &graphicClass});
}

void UnregisterPictureGraphicClass(const TGraphicClass &graphicClass)
{
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    std::erase_if(table.entries, [&](const PictureFileFormat &entry) { return entry.graphicClass == &graphicClass; });
}

const TGraphicClass &PictureGraphicClassFor(const QString &fileName)
{
    const QString extension = PictureFileExtension(fileName);
    Table &table = TheTable();
    {
        std::lock_guard lock(table.mutex);
        for (auto entry = table.entries.rbegin(); entry != table.entries.rend(); ++entry)
            if (entry->extension == extension)
                return *entry->graphicClass;
    }
    throw EInvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
}

std::unique_ptr<TGraphic> LoadPictureGraphic(const QString &path, const TPictureScale &scale)
{
    std::unique_ptr<TGraphic> graphic = PictureGraphicClassFor(path).create();
    if (scale.divisor > 1)
        graphic->LoadScaledFromFile(path, scale);
    else
        graphic->LoadFromFile(path);
    return graphic;
}

std::vector<PictureFileFormat> PictureFileFormats()
{
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    return table.entries;
}

void RestoreFrameworkPictureFormats()
{
    Table &table = TheTable();
    std::lock_guard lock(table.mutex);
    table.entries = FrameworkEntries();
}
