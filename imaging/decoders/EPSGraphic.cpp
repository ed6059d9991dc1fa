#include "imaging/decoders/EPSGraphic.h"

#include "imaging/decoders/ByteReader.h"

const TGraphicClass &TEPSGraphic::StaticClass()
{
    static const TGraphicClass cls{"TEPSGraphic", [] { return std::unique_ptr<TGraphic>(new TEPSGraphic); }};
    return cls;
}

void TEPSGraphic::LoadFromBytes(const QByteArray &data)
{
    // The 30-byte little-endian header: magic, PostScript offset and
    // length, metafile offset and length, TIFF offset and length, checksum.
    ByteReader reader(data);
    if (reader.Size() < 30 || reader.U32LE() != 0xC6D3D0C5)
        FormatError("EPS");
    reader.Skip(16);
    const uint32_t tiffOffset = reader.U32LE();
    const uint32_t tiffLength = reader.U32LE();
    if (tiffOffset == 0 || tiffLength == 0)
        FormatError("EPS"); // no TIFF preview to show
    // A preview that runs past the end of the file means the file ends early.
    const ByteReader preview = reader.Sub(tiffOffset, tiffLength);
    LoadTIFF(preview.Rest(), "EPS");
}
