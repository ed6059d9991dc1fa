#include "imaging/JPEGDecompressor.h"

#include "imaging/PictureLimits.h"

#include <cstring>

// Each step runs its libjpeg call under a setjmp of its own, so that an error
// exit jumps back into the step's frame. The steps hold no objects with
// destructors, and the only frames the jump leaves are libjpeg's and the
// callbacks below, so nothing is skipped that would need cleaning up.

namespace {

// Enough for a progressive picture at the largest picture size with full
// colour resolution (two bytes per coefficient, three components).
constexpr long kMaxLibraryMemory = long(kMaxPicturePixels * 8);

} // namespace

JPEGDecompressor::JPEGDecompressor()
{
    m_info.err = jpeg_std_error(&m_error.pub);
    m_error.pub.error_exit = ErrorExit;
    m_error.pub.emit_message = EmitMessage;
    m_error.pub.output_message = OutputMessage;
    if (setjmp(m_error.jump))
        return;
    jpeg_create_decompress(&m_info);
    m_created = true;
    m_info.mem->max_memory_to_use = kMaxLibraryMemory;
    m_progress.progress_monitor = Progress;
    m_info.progress = &m_progress;
}

JPEGDecompressor::~JPEGDecompressor()
{
    if (m_created)
        jpeg_destroy_decompress(&m_info);
}

bool JPEGDecompressor::ReadHeader(const uint8_t *data, size_t size)
{
    if (!m_created || size == 0)
        return false;
    if (setjmp(m_error.jump))
        return false;
    jpeg_mem_src(&m_info, data, static_cast<unsigned long>(size));
    // An APP1 segment holds at most 65533 bytes, so the longest length
    // keeps every one whole.
    jpeg_save_markers(&m_info, JPEG_APP0 + 1, 0xFFFF);
    return jpeg_read_header(&m_info, TRUE) == JPEG_HEADER_OK;
}

std::span<const uint8_t> JPEGDecompressor::ExifPayload() const
{
    for (jpeg_saved_marker_ptr marker = m_info.marker_list; marker; marker = marker->next)
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length >= 6 && std::memcmp(marker->data, "Exif\0", 6) == 0)
            return {marker->data, marker->data_length};
    return {};
}

bool JPEGDecompressor::CalcOutputDimensions()
{
    if (setjmp(m_error.jump))
        return false;
    jpeg_calc_output_dimensions(&m_info);
    return true;
}

bool JPEGDecompressor::Start()
{
    if (setjmp(m_error.jump))
        return false;
    return jpeg_start_decompress(&m_info) == TRUE;
}

bool JPEGDecompressor::ReadRows(JSAMPARRAY rows, JDIMENSION maxRows, JDIMENSION &rowsRead)
{
    if (setjmp(m_error.jump))
        return false;
    rowsRead = jpeg_read_scanlines(&m_info, rows, maxRows);
    return true;
}

void JPEGDecompressor::ErrorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
}

void JPEGDecompressor::EmitMessage(j_common_ptr info, int level)
{
    // Warnings about damaged data are counted by the library; the picture is
    // still delivered as far as it goes.
    if (level < 0)
        ++info->err->num_warnings;
}

void JPEGDecompressor::OutputMessage(j_common_ptr) {}

void JPEGDecompressor::Progress(j_common_ptr info)
{
    // A file can hold any number of tiny scans, each of which makes the
    // library walk the whole picture again: refuse files with absurdly many.
    if (info->is_decompressor) {
        auto *decompress = reinterpret_cast<j_decompress_ptr>(info);
        if (decompress->input_scan_number > kMaxScans)
            std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1);
    }
}
