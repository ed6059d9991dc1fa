#include "imaging/StreamedResampling.h"

#include "imaging/Contributors.h"
#include "imaging/PictureLimits.h"
#include "imaging/ResamplingFilters.h"

#include <algorithm>
#include <cstring>

namespace {

// Rows resampled across in one go: even, so that the vector code takes
// them in pairs, and few, so that the scratch rows stay in the cache.
constexpr int kAcrossRows = 16;

struct RowSpan
{
    int32_t first;
    int32_t last; // first > last: the row reads nothing
};

// The source rows target row y reads: its contributors and, where the
// vector code takes it, the whole window, whose padding rows it loads too.
RowSpan ReadSpan(const WindowedContributors &rows, size_t y)
{
    RowSpan span{INT32_MAX, -1};
    for (const Contributor &c : rows.entries[y]) {
        span.first = std::min(span.first, c.index);
        span.last = std::max(span.last, c.index);
    }
    const ContributorWindow &window = rows.windows[y];
    if (window.packed) {
        span.first = std::min(span.first, window.start);
        span.last = std::max(span.last, window.start + window.length - 1);
    }
    return span;
}

} // namespace

TStreamedResampler::TStreamedResampler(QSize source, QSize target, ResamplingFilter filter, float radius,
                                       PixelPath path)
    : m_source(source), m_path(PixelPathAvailable(path) ? path : PixelPath::Scalar)
{
    radius = EffectiveFilterRadius(filter, radius);
    CheckPictureSize(source.width(), source.height());
    m_target = NewPictureImage(target.width(), target.height(), QImage::Format_BGR888);
    const int sourceHeight = source.height();
    const int targetHeight = target.height();
    m_columns = MakeContributorWindows(BuildContributors(target.width(), source.width(), filter, radius),
                                       source.width(), kHorizontalGranule);
    m_rows = MakeContributorWindows(BuildContributors(targetHeight, sourceHeight, filter, radius), sourceHeight,
                                    kVerticalGranule);

    // Target rows are made in order, each once the last row it or an
    // earlier one reads is in; the ring must then still hold the first row
    // that it or any later one reads.
    m_keepFrom.resize(size_t(targetHeight));
    m_readyAt.resize(size_t(targetHeight));
    int32_t last = -1;
    for (size_t y = 0; y < size_t(targetHeight); ++y) {
        last = std::max(last, ReadSpan(m_rows, y).last);
        m_readyAt[y] = last;
    }
    int32_t first = sourceHeight - 1;
    for (size_t y = size_t(targetHeight); y-- > 0;) {
        first = std::min(first, ReadSpan(m_rows, y).first);
        m_keepFrom[y] = first;
    }
    m_ringRows = 1;
    for (size_t y = 0; y < size_t(targetHeight); ++y)
        m_ringRows = std::max(m_ringRows, m_readyAt[y] - m_keepFrom[y] + 1);

    m_stride = IntermediateStride(target.width());
    m_acrossRows = std::min(kAcrossRows, sourceHeight);
    m_ring = std::make_unique_for_overwrite<uint8_t[]>(size_t(m_stride) * size_t(2 * m_ringRows));
    m_across = std::make_unique_for_overwrite<uint8_t[]>(size_t(m_stride) * size_t(m_acrossRows));
}

TStreamedResampler::~TStreamedResampler() = default;

void TStreamedResampler::AddRows(const uint8_t *rows, ptrdiff_t stride, int count)
{
    count = std::min(count, m_source.height() - m_rowsTaken);
    const PassTarget across{m_across.get(), m_stride, m_target.width()};
    for (int done = 0; done < count;) {
        const int part = std::min(m_acrossRows, count - done);
        const PassSource source{rows + ptrdiff_t(done) * stride, stride, m_source.width()};
        HorizontalPass(source, across, 0, part, m_columns, m_path);
        for (int i = 0; i < part; ++i)
            TakeRow(m_across.get() + ptrdiff_t(i) * m_stride);
        done += part;
    }
}

void TStreamedResampler::TakeRow(const uint8_t *acrossRow)
{
    const int32_t row = m_rowsTaken++;
    const ptrdiff_t slot = row % m_ringRows;
    std::memcpy(m_ring.get() + slot * m_stride, acrossRow, size_t(m_stride));
    std::memcpy(m_ring.get() + (slot + m_ringRows) * m_stride, acrossRow, size_t(m_stride));

    const PassTarget target{m_target.bits(), m_target.bytesPerLine(), m_target.width()};
    for (; m_nextTarget < m_target.height() && m_readyAt[size_t(m_nextTarget)] <= row; ++m_nextTarget) {
        const int32_t first = m_keepFrom[size_t(m_nextTarget)];
        const PassSource ring{m_ring.get() + ptrdiff_t(first % m_ringRows) * m_stride, m_stride, m_target.width(),
                              first};
        VerticalPass(ring, target, m_nextTarget, m_nextTarget + 1, m_rows, m_path);
    }
}

QImage TStreamedResampler::Result() const
{
    if (m_rowsTaken < m_source.height())
        return {};
    return m_target;
}
