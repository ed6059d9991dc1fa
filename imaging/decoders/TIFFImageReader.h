#pragma once

#include "imaging/decoders/ByteReader.h"
#include "imaging/decoders/Decoder.h"
#include "imaging/decoders/TIFFDirectory.h"
#include "imaging/decoders/TIFFGraphic.h"

#include <QImage>

#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

// Reads the first image of a TIFF file into a bitmap: checks the fields
// against each other, the file and the picture limits, decodes each strip or
// tile with the decompressor its compression asks for, and brings the
// samples into the bitmap's pixel format.
class TTIFFGraphic::ImageReader
{
public:
    ImageReader(std::span<const uint8_t> file, const char *formatName);
    QImage Read();

private:
    // How the samples become pixels, and the bitmap format that holds them.
    enum class Model { Mono, Grey, GreyAlpha, Palette, RGB, RGBA, CMYK };

    void ReadFormat();
    void ReadLayout();
    void CreateBitmap();
    QImage ZeroedBitmap(QImage::Format format, uint32_t width, uint32_t height) const;
    std::unique_ptr<TDecoder> MakeDecoder() const;
    void DecodeChunks();
    void EnsureChunk(size_t bytes);
    void DecodeIntoBitmap(TDecoder *decoder, std::span<const uint8_t> packed, uint64_t y0, size_t wanted);
    void UndoPredictor(uint8_t *data, size_t rows) const;
    void PlaceChunk(const uint8_t *data, size_t rows, uint64_t x0, uint64_t y0, unsigned plane);
    void PlaceMonoRow(const uint8_t *row, int y, uint64_t x0, size_t count);
    // The samples of a row of the chunk as 8-bit values.
    const uint8_t *Samples8(const uint8_t *row, size_t count);
    // Writes count pixels at (x0, y) from 8-bit samples, stride apart, the
    // colour samples first and the alpha sample after them.
    void PutPixels(int y, int x0, int count, const uint8_t *samples, int stride);
    void ApplyOrientation();

    [[noreturn]] void FormatError() const;
    [[noreturn]] void ColorFormatError() const;

    ByteReader m_file;
    const char *m_formatName;
    TIFFDirectory m_directory;

    // The picture's format.
    uint32_t m_width = 0, m_height = 0;
    uint32_t m_compression = 1;
    uint32_t m_photometric = 1;
    unsigned m_samples = 1;     // samples per pixel in the file
    unsigned m_bits = 1;        // bits per sample
    unsigned m_colorSamples = 1;
    bool m_alpha = false;
    bool m_associatedAlpha = false;
    bool m_planar = false;
    bool m_predictor = false;
    bool m_reverseBits = false;
    bool m_invert = false;      // WhiteIsZero grey
    uint32_t m_orientation = 1;
    Model m_model = Model::Grey;
    std::vector<uint32_t> m_colorMap;

    // Strips or tiles ("chunks"): each plane is cut into across x down
    // chunks of chunkWidth x chunkHeight pixels.
    bool m_tiled = false;
    uint64_t m_chunkWidth = 0, m_chunkHeight = 0;
    uint64_t m_across = 0, m_down = 0;
    unsigned m_chunkSamples = 1; // samples per pixel within one chunk
    uint64_t m_chunkRowBytes = 0;
    std::vector<uint32_t> m_offsets, m_counts;
    bool m_countsMissing = false;
    std::vector<unsigned> m_usedPlanes;

    QImage m_image;
    std::unique_ptr<uint8_t[]> m_chunk; // one decoded chunk
    size_t m_chunkCapacity = 0;
    std::vector<uint8_t> m_row8;    // one row of 8-bit samples
    struct FreeMemory { void operator()(void *memory) const { std::free(memory); } };
    std::unique_ptr<uint8_t[], FreeMemory> m_planes; // planar files: the used samples of every pixel
    std::vector<uint8_t> m_touched; // rows of the bitmap that data reached
};
