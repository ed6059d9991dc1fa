#include "tests/support/PhotoFiles.h"

#include <QTransform>

namespace {

void Put16(QByteArray &out, unsigned value, bool bigEndian)
{
    if (bigEndian)
        out.append(char(value >> 8)).append(char(value));
    else
        out.append(char(value)).append(char(value >> 8));
}

void Put32(QByteArray &out, uint32_t value, bool bigEndian)
{
    Put16(out, bigEndian ? value >> 16 : value & 0xFFFF, bigEndian);
    Put16(out, bigEndian ? value & 0xFFFF : value >> 16, bigEndian);
}

QImage Turned(const QImage &picture, int degrees)
{
    return picture.transformed(QTransform().rotate(degrees));
}

} // namespace

QByteArray ExifOrientationBlock(int orientation, bool bigEndian)
{
    QByteArray tiff(bigEndian ? "MM" : "II");
    Put16(tiff, 42, bigEndian);
    Put32(tiff, 8, bigEndian);
    Put16(tiff, 1, bigEndian);     // one field
    Put16(tiff, 274, bigEndian);   // Orientation
    Put16(tiff, 3, bigEndian);     // SHORT
    Put32(tiff, 1, bigEndian);     // one value, in the field itself
    Put16(tiff, unsigned(orientation), bigEndian);
    Put16(tiff, 0, bigEndian);
    Put32(tiff, 0, bigEndian);     // no next directory
    return tiff;
}

QByteArray WithExifOrientation(const QByteArray &jpeg, int orientation, bool bigEndian)
{
    const QByteArray payload = QByteArray("Exif", 4) + QByteArray(2, '\0') + ExifOrientationBlock(orientation, bigEndian);
    QByteArray segment("\xFF\xE1", 2);
    Put16(segment, unsigned(payload.size() + 2), true);
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

QImage StoredForOrientation(const QImage &upright, int orientation)
{
    switch (orientation) {
    case 2: return upright.mirrored(true, false);
    case 3: return Turned(upright, 180);
    case 4: return upright.mirrored(false, true);
    case 5: return Turned(upright, 90).mirrored(true, false);  // transposed
    case 6: return Turned(upright, 270);
    case 7: return Turned(upright, 270).mirrored(true, false); // transposed the other way
    case 8: return Turned(upright, 90);
    default: return upright;
    }
}

QImage ShownForOrientation(const QImage &upright, int orientation)
{
    const bool mirrored = orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7;
    return mirrored ? upright.mirrored(true, false) : upright;
}

QImage QuadrantPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB888);
    const QRgb colours[4] = {qRgb(220, 30, 30), qRgb(30, 200, 40), qRgb(40, 50, 210), qRgb(230, 220, 40)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y, colours[(y * 2 / height) * 2 + x * 2 / width]);
    return picture;
}

::testing::AssertionResult SameQuadrants(const QImage &actual, const QImage &expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height() << " instead of "
                                             << expected.width() << "x" << expected.height();
    for (const int qy : {1, 3})
        for (const int qx : {1, 3}) {
            const QPoint at(actual.width() * qx / 4, actual.height() * qy / 4);
            const QColor a = actual.pixelColor(at), e = expected.pixelColor(at);
            if (std::abs(a.red() - e.red()) > 12 || std::abs(a.green() - e.green()) > 12
                || std::abs(a.blue() - e.blue()) > 12)
                return ::testing::AssertionFailure() << "at (" << at.x() << ", " << at.y() << ") " << a.name().toStdString()
                                                     << " instead of " << e.name().toStdString();
        }
    return ::testing::AssertionSuccess();
}
