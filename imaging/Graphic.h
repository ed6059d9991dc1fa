#pragma once

#include "imaging/PictureScale.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

class TGraphic;

// A decoder class as the format registry knows it: its name (for the
// "formats" listing and messages) and a way to make an empty picture of it.
// Classes are compared by identity, so each class has exactly one of these.
struct TGraphicClass
{
    const char *name;
    std::unique_ptr<TGraphic> (*create)();
};

// A picture of some class: created empty, then loaded from a whole file.
// What it holds afterwards is a bitmap in whatever pixel format its decoder
// produces; picture loading brings that to 24 bits.
class TGraphic
{
public:
    virtual ~TGraphic() = default;

    virtual const TGraphicClass &Class() const = 0;

    // Reads the file and decodes it. Fails with the stream's or the
    // decoder's message; never reads outside the data.
    virtual void LoadFromFile(const QString &path);
    virtual void LoadFromBytes(const QByteArray &data) = 0;
    // Loads a smaller picture where the class can make one without
    // decoding the whole (TPictureScale); the others load the whole picture.
    virtual void LoadScaledFromFile(const QString &path, const TPictureScale &scale);

    // The bitmap form of the picture; a null image for classes that give no
    // bitmap (icons, metafiles, the framework JPEG class).
    virtual QImage Bitmap() const = 0;

    // The EXIF orientation (1 to 8) that the file gives its stored pixels:
    // 1, stored upright, for the classes whose files carry none or whose
    // decoder turns the pixels itself.
    virtual int Orientation() const { return 1; }
};
