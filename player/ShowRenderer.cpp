#include "player/ShowRenderer.h"

#include "player/SlideFrame.h"
#include "player/TransitionFrame.h"

#include <QPainter>

#include <cmath>
#include <utility>

ShowRenderer::ShowRenderer(int slideCount, SlideContentSource source, QSize screen)
    : m_count(std::max(0, slideCount)), m_source(std::move(source)), m_screen(screen)
{
}

void ShowRenderer::SetScreenSize(QSize screen)
{
    if (screen == m_screen)
        return;
    m_screen = screen;
    m_frames.clear();
    m_moving.clear();
    m_black = QImage();
    m_mix = QImage();
}

namespace {

// A moving slide's picture as large as its closest view needs it on this
// screen and no larger: one good reduction for the whole slide, so that each
// moment is drawn at nearly a pixel per pixel and fine detail does not
// shimmer as it glides.
QImage MotionPicture(const QImage &picture, QSize screen)
{
    const QSize place = FitPictureRect(picture.size(), screen).size();
    const QSize needed(int(std::ceil(place.width() * kMotionZoom)), int(std::ceil(place.height() * kMotionZoom)));
    if (picture.width() <= needed.width() || picture.height() <= needed.height())
        return picture;
    return picture.scaled(needed, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

const QImage &ShowRenderer::SlideFrame(int index, double motionProgress)
{
    if (!InShow(index)) {
        if (m_black.size() != m_screen) {
            m_black = QImage(m_screen, QImage::Format_RGB32);
            m_black.fill(Qt::black);
        }
        return m_black;
    }
    auto found = m_frames.find(index);
    if (found == m_frames.end()) {
        SlideContent content = m_source ? m_source(index) : SlideContent();
        if (content.motion == MotionPath::Still || content.picture.isNull()) {
            found = m_frames
                        .emplace(index, RenderSlideFrame(content.picture, content.caption, content.notes, m_screen))
                        .first;
            return found->second;
        }
        content.picture = MotionPicture(content.picture, m_screen);
        m_moving[index] = MovingSlide{std::move(content), -1};
        found = m_frames.emplace(index, QImage(m_screen, QImage::Format_RGB32)).first;
    }
    const auto moving = m_moving.find(index);
    if (moving != m_moving.end() && moving->second.paintedAt != motionProgress) {
        const SlideContent &content = moving->second.content;
        PaintMovingSlideFrame(found->second, content.picture, MotionRect(content.motion, motionProgress),
                              content.caption, content.notes);
        moving->second.paintedAt = motionProgress;
    }
    return found->second;
}

const QImage &ShowRenderer::Frame(const ShowMoment &moment)
{
    if (!InShow(moment.index) || !moment.InTransition())
        return SlideFrame(moment.index, moment.MotionProgress());
    // Both frames are made before the mix is painted, so that neither is made
    // while a painter is open on it.
    const QImage &to = SlideFrame(moment.index, moment.MotionProgress());
    const QImage &from = SlideFrame(moment.from, 1);
    if (m_mix.size() != m_screen || m_mix.format() != QImage::Format_RGB32)
        m_mix = QImage(m_screen, QImage::Format_RGB32);
    QPainter painter(&m_mix);
    PaintTransition(painter, from, to, moment.transition, moment.progress);
    return m_mix;
}

void ShowRenderer::Paint(QPainter &painter, const ShowMoment &moment)
{
    painter.drawImage(0, 0, Frame(moment));
}

namespace {

// The first moment of a transition shows the slide it comes from, fully.
ShowMoment Visible(ShowMoment moment)
{
    if (moment.InTransition() && moment.progress <= 0) {
        moment.index = moment.from;
        moment.progress = 1;
    }
    return moment;
}

} // namespace

bool ShowRenderer::FrameChanges(const ShowMoment &beforeMoment, const ShowMoment &afterMoment) const
{
    const ShowMoment before = Visible(beforeMoment);
    const ShowMoment after = Visible(afterMoment);
    const bool beforeShown = !InShow(before.index) || !before.InTransition();
    const bool afterShown = !InShow(after.index) || !after.InTransition();
    if (beforeShown && afterShown) {
        // Every moment outside the show is the same black screen.
        if (!InShow(before.index) && !InShow(after.index))
            return false;
        if (before.index == after.index && SlideMoves(after.index))
            return before.MotionProgress() != after.MotionProgress();
        return before.index != after.index;
    }
    if (beforeShown != afterShown)
        return true;
    return before.index != after.index || before.from != after.from || before.transition != after.transition
           || before.progress != after.progress;
}

void ShowRenderer::KeepSlides(int first, int last)
{
    for (auto it = m_frames.begin(); it != m_frames.end();)
        it = it->first < first || it->first > last ? m_frames.erase(it) : std::next(it);
    for (auto it = m_moving.begin(); it != m_moving.end();)
        it = it->first < first || it->first > last ? m_moving.erase(it) : std::next(it);
}
