#pragma once

#include "project/RectBoxProperties.h"

#include <QByteArray>
#include <QImage>

// A short string as a stream holds it: length byte and bytes.
inline QByteArray Short(const QByteArray &text)
{
    return char(text.size()) + text;
}

// A property entry: its name, then the value bytes.
inline QByteArray Entry(const QByteArray &name, const QByteArray &value)
{
    return Short(name) + value;
}

inline QByteArray Int8(int value) { return QByteArray("\x02", 1) + char(value); }

// A bitmap with every pixel different, so that row order and padding show.
inline QImage PatternBitmap(int width, int height)
{
    QImage image(width, height, QImage::Format_BGR888);
    for (int y = 0; y < height; ++y) {
        uchar *row = image.scanLine(y);
        for (int x = 0; x < width * 3; ++x)
            row[x] = uchar(x * 7 + y * 13);
    }
    return image;
}

// A slide as dropping a 4:3 picture on an empty strip makes it.
inline void MakeDroppedSlide(RectBoxProperties &box, int duration = 4, int transition = 1)
{
    box.SetDrawBoxes(false);
    box.SetBoxType(TBoxType::btImage);
    box.SetLeft(10);
    box.SetTop(10);
    box.SetWidth(133);
    box.SetHeight(100);
    box.SetAbLeft(duration);
    box.SetAbTop(transition);
    box.SetPicture(PatternBitmap(200, 150));
    box.SetPictureWidth(200);
    box.SetPictureHeight(150);
    box.SetRatio(static_cast<long double>(200) / 150);
    box.SetFileName(QStringLiteral("/photos/holiday/beach.jpg"));
    box.SetPopupMenu(kSlidePopupMenu);
}
