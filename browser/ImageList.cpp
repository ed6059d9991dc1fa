#include "browser/ImageList.h"

void TImageList::Clear()
{
    m_images.clear();
    m_bySource.clear();
    m_bytes = 0;
}

int TImageList::Add(const QImage &cell, const QString &sourceName)
{
    const qint64 bytes = cell.sizeInBytes();
    if (m_bytes + bytes > m_byteLimit)
        return -1;
    m_bytes += bytes;
    const int index = int(m_images.size());
    m_images.push_back(cell);
    m_bySource.insert(sourceName, index);
    return index;
}

const QImage &TImageList::Image(int index) const
{
    static const QImage none;
    if (index < 0 || index >= Count())
        return none;
    return m_images[size_t(index)];
}

int TImageList::IndexOf(const QString &sourceName) const
{
    return m_bySource.value(sourceName, -1);
}
