#include "tests/imaging/RandomPictures.h"

#include <random>

QImage RandomPicture(int width, int height, uint32_t seed, bool extremes)
{
    QImage picture(width, height, QImage::Format_BGR888);
    std::mt19937 random(seed);
    for (int y = 0; y < height; ++y) {
        uint8_t *row = picture.scanLine(y);
        for (int x = 0; x < width * 3; ++x)
            row[x] = extremes ? ((random() & 1) ? 255 : 0) : uint8_t(random());
    }
    return picture;
}
