#include "tests/show/ShowTestSupport.h"

#include <QDir>

QImage TestPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool corner = x < width / 4 && y < height / 4;
            picture.setPixel(x, y, corner ? qRgb(250, 250, 250) : qRgb(x * 255 / width, y * 255 / height, 90));
        }
    }
    return picture;
}

QString WriteTestPicture(const QString &folder, const QString &name, int width, int height)
{
    const QString path = QDir(folder).filePath(name);
    TestPicture(width, height).save(path);
    return path;
}
