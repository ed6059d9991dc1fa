#pragma once

#include "imaging/ContributorWindows.h"
#include "imaging/Resampling.h"
#include "imaging/ResamplingPasses.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <vector>

// StretchBitmap of a picture that arrives row by row, top row first, so
// that the whole source never has to exist: each row is resampled across
// as it comes, into a ring that keeps only the rows that target rows still
// to be made need, and each target row is made as soon as its last source
// row is in. The contributor lists, the windows and the pixel passes are
// StretchBitmap's, so the target holds the same bytes as StretchBitmap of
// the whole picture. It runs on the calling thread.
class TStreamedResampler
{
public:
    // Both sizes at least 1 by 1; a radius of 0 (or no number) selects the
    // filter's default radius. Fails with the message of StretchBitmap for
    // an unknown filter or a target size beyond the picture limits.
    TStreamedResampler(QSize source, QSize target, ResamplingFilter filter, float radius,
                       PixelPath path = BestPixelPath());
    ~TStreamedResampler();
    TStreamedResampler(const TStreamedResampler &) = delete;
    TStreamedResampler &operator=(const TStreamedResampler &) = delete;

    // The next `count` source rows of 3-byte blue-green-red pixels, stride
    // bytes apart; more rows than the source has are ignored.
    void AddRows(const uint8_t *rows, ptrdiff_t stride, int count);
    // Source rows taken so far.
    int RowsTaken() const { return m_rowsTaken; }
    // Source rows the ring holds: its height.
    int RingRows() const { return m_ringRows; }

    // The target (Format_BGR888) once every source row is in; a null image
    // before.
    QImage Result() const;

private:
    void TakeRow(const uint8_t *acrossRow);

    QSize m_source;
    PixelPath m_path;
    WindowedContributors m_columns;
    WindowedContributors m_rows;
    // For target row y: the first source row it or a later target row
    // reads, and the last source row it or an earlier one reads.
    std::vector<int32_t> m_keepFrom;
    std::vector<int32_t> m_readyAt;
    int m_ringRows = 0;
    ptrdiff_t m_stride = 0;
    // Every ring row is stored twice, at slot r mod m_ringRows and that
    // plus m_ringRows, so that any m_ringRows consecutive source rows lie
    // one after the other.
    std::unique_ptr<uint8_t[]> m_ring;
    std::unique_ptr<uint8_t[]> m_across; // the rows of one AddRows, resampled across
    int m_acrossRows = 0;
    int m_rowsTaken = 0;
    int m_nextTarget = 0;
    QImage m_target;
};
