#pragma once

#include <QImage>
#include <QString>

#include <functional>

class TThumbnailCache;

// A file's thumbnail picture from the cache, or made and put there.
struct TThumbnailOutcome
{
    enum class Kind { Made, Cached, Failed };
    Kind kind = Kind::Made;
    // What the cell shows (ThumbnailPicture); null for a blank cell.
    QImage picture;
    // For a failure: the reason when loading raised an error, empty when the
    // picture read as nothing (a JPEG without a readable header), which the
    // window shows as a blank cell without a message.
    QString error;
    // Made: the entry was written. False when the cache cannot be written,
    // or the picture fits into no pixels.
    bool stored = false;
};

// Turns a file into a picture; throws on a file that cannot be loaded.
using ThumbnailLoader = std::function<QImage(const QString &path)>;

// How the window and vistrano-cli load a picture for a thumbnail cell: JPEG
// files at one eighth of their size (small pictures without full decodes
// where the format has them), turned upright as the file's orientation says.
QImage LoadThumbnailPicture(const QString &path, int cellSize);

// The thumbnail of the file for a square cell: a valid entry of the cache
// (also one another program wrote, also a failure entry), or else the
// picture loaded, shrunk for the cell and stored, or its failure stored.
// Cells of up to 128 pixels use the "normal" entries, up to 256 the "large"
// ones. Without a cache, or for a cell larger than 256 pixels, the picture
// is only made. Safe on several threads.
TThumbnailOutcome FetchThumbnail(const TThumbnailCache *cache, const QString &path, const ThumbnailLoader &load,
                                 int cellSize);
