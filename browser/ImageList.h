#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <vector>

// The thumbnails of the file list's icon view (ImageList2): equally sized
// cells, each remembered with the name of the file it was made from, so
// that a row can find its own cell again after the list was re-sorted or
// refilled. The list holds at most a fixed number of bytes; a cell past
// that is refused, as the window system refuses an image list that has run
// out of room.
class TImageList
{
public:
    static constexpr qint64 kDefaultByteLimit = qint64(768) << 20;

    explicit TImageList(qint64 byteLimit = kDefaultByteLimit) : m_byteLimit(byteLimit) {}

    void Clear();
    int Count() const { return int(m_images.size()); }

    // Adds a cell; returns its index, or -1 when the list has no room left.
    int Add(const QImage &cell, const QString &sourceName);

    const QImage &Image(int index) const;
    // The index of the cell made from the file of this name, or -1.
    int IndexOf(const QString &sourceName) const;

private:
    std::vector<QImage> m_images;
    QHash<QString, int> m_bySource;
    qint64 m_bytes = 0;
    qint64 m_byteLimit;
};
