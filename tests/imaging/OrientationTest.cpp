#include "imaging/decoders/ExifOrientation.h"
#include "tests/support/PhotoFiles.h"

#include <gtest/gtest.h>

namespace {

// The APP1 payload that WithExifOrientation puts into a file.
std::vector<uint8_t> PayloadOf(const QByteArray &file)
{
    const int length = (uchar(file[4]) << 8 | uchar(file[5])) - 2;
    return std::vector<uint8_t>(file.begin() + 6, file.begin() + 6 + length);
}

} // namespace

TEST(ExifOrientation, ReadsTheTagInEitherByteOrderAndTakesDamageAsUpright)
{
    const QByteArray soi("\xFF\xD8", 2);
    for (bool bigEndian : {true, false})
        for (int tag = 1; tag <= 8; ++tag)
            EXPECT_EQ(ExifOrientation(PayloadOf(WithExifOrientation(soi, tag, bigEndian))), tag) << tag;

    std::vector<uint8_t> payload = PayloadOf(WithExifOrientation(soi, 6));
    EXPECT_EQ(ExifOrientation(std::vector<uint8_t>(payload.begin(), payload.end() - 8)), 1) << "directory cut";
    std::vector<uint8_t> damaged = payload;
    damaged[0] = 'X';
    EXPECT_EQ(ExifOrientation(damaged), 1) << "not EXIF (XMP and others share APP1)";
    damaged = payload;
    damaged[6 + 2] = 43;
    EXPECT_EQ(ExifOrientation(damaged), 1) << "not a TIFF structure";
    damaged = payload;
    damaged[6 + 4 + 3] = 0xF0;
    EXPECT_EQ(ExifOrientation(damaged), 1) << "directory offset outside the block";
    damaged = payload;
    damaged[6 + 10 + 9] = 9;
    EXPECT_EQ(ExifOrientation(damaged), 1) << "a value outside 1..8";
    damaged = payload;
    damaged[6 + 10 + 1] = 0x13; // tag 275
    EXPECT_EQ(ExifOrientation(damaged), 1) << "no orientation field";
    EXPECT_EQ(ExifOrientation({}), 1);

    // The mirrored tags take their unmirrored neighbour's turn.
    const int turns[9] = {0, 0, 0, 180, 180, 90, 90, 270, 270};
    for (int tag = 0; tag <= 9; ++tag)
        EXPECT_EQ(OrientationTurn(tag), tag <= 8 ? turns[tag] : 0) << tag;
}
