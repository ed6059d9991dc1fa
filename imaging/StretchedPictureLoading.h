#pragma once

#include "imaging/Resampling.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// The size a picture of the given size is resampled to.
using PictureSizeFit = std::function<QSize(QSize picture)>;

// The whole picture of the file resampled to fit(its size): the same pixels
// as LoadPictureFile at the whole scale followed by StretchBitmap, and the
// same errors. JPEG files are decoded in strips that are resampled as they
// arrive, so no full-size bitmap of them exists; other files are decoded
// whole. A null image when the picture loads empty (LoadPictureFile's null
// image); fit must give a size of at least 1 by 1. `threads` is
// StretchBitmap's for the whole decodes (0: as many as pay off); the
// streamed resampling runs on the calling thread.
QImage LoadStretchedPicture(const QString &path, const PictureSizeFit &fit, ResamplingFilter filter, float radius,
                            int threads = 0);
