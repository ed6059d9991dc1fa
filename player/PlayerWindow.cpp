#include "player/PlayerWindow.h"

#ifdef VISTRANO_PLAYER_AUDIO
#include "player/BackgroundAudio.h"
#endif
#include "player/CaptionLayout.h"
#include "player/FrameExport.h"
#include "player/SlideFrame.h"
#include "player/TransitionFrame.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int kMessageMilliseconds = 4000;
constexpr int kFrameMilliseconds = 15;

std::vector<PlaybackSlide> PlaybackSlides(const ShowPackage &show)
{
    std::vector<PlaybackSlide> slides;
    for (const ShowSlide &slide : show.slides)
        slides.push_back({slide.duration, slide.transition});
    return slides;
}

} // namespace

PlayerWindow::PlayerWindow(const ShowPackage &show, const QString &message, QWidget *parent)
    : QWidget(parent), m_show(show), m_message(message), m_playback(PlaybackSlides(show))
{
    setWindowTitle(QStringLiteral("Slideshow"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::StrongFocus);
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}

void PlayerWindow::Start()
{
    if (!m_message.isEmpty()) {
        QTimer::singleShot(kMessageMilliseconds, this, [this] { close(); });
        return;
    }
#ifdef VISTRANO_PLAYER_AUDIO
    if (!m_show.audio.isEmpty()) {
        m_audio = new BackgroundAudio(m_show.audio, m_show.audioExtension, this);
        m_audio->Play();
    }
#endif
    m_clock.start();
    Schedule();
}

QSize PlayerWindow::ScreenSize() const
{
    return size();
}

const QImage &PlayerWindow::Frame(int index)
{
    if (index < 0 || index >= int(m_show.slides.size())) {
        if (m_black.size() != ScreenSize()) {
            m_black = QImage(ScreenSize(), QImage::Format_RGB32);
            m_black.fill(Qt::black);
        }
        return m_black;
    }
    auto found = m_frames.find(index);
    if (found == m_frames.end()) {
        const ShowSlide &slide = m_show.slides[size_t(index)];
        const QImage picture = DecodeSlidePicture(slide.jpeg);
        found = m_frames
                    .emplace(index, RenderSlideFrame(picture, slide.caption,
                                                     SlideNotes(m_show, index, !picture.isNull()), ScreenSize()))
                    .first;
    }
    return found->second;
}

// Frames far from the current slide are let go, so a long show does not hold
// every picture at screen size.
void PlayerWindow::KeepFramesAround(int index)
{
    for (auto it = m_frames.begin(); it != m_frames.end();)
        it = std::abs(it->first - index) > 1 ? m_frames.erase(it) : std::next(it);
}

void PlayerWindow::Tick()
{
    const double seconds = double(m_clock.restart()) / 1000.0;
    m_playback.Advance(seconds);
    if (m_playback.Finished()) {
        close();
        return;
    }
    update();
    Schedule();
}

void PlayerWindow::Schedule()
{
    if (m_playback.Paused() || m_playback.Finished())
        return;
    KeepFramesAround(m_playback.Index());
    if (m_playback.InTransition()) {
        m_timer.start(kFrameMilliseconds);
        return;
    }
    // While a slide stands still, the next one is made ready.
    Frame(m_playback.Index() + 1);
    const double left = m_playback.SecondsToNextChange();
    m_timer.start(std::clamp(int(left * 1000.0 + 0.5), 1, 1000));
}

void PlayerWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QSize screen = size();
    if (!m_message.isEmpty()) {
        PaintMessage(painter, m_message, screen);
        return;
    }
    if (m_playback.Finished()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const int index = m_playback.Index();
    if (m_playback.InTransition()) {
        const QImage &to = Frame(index);
        const QImage &from = Frame(m_playback.FromIndex());
        PaintTransition(painter, from, to, m_show.slides[size_t(index)].transition, m_playback.TransitionProgress());
    } else {
        painter.drawImage(0, 0, Frame(index));
    }
    if (m_playback.Paused()) {
        CaptionLayout layout = LayoutNotes(QStringLiteral("Paused"), screen);
        DrawCaption(painter, layout);
    }
}

void PlayerWindow::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Q) {
        close();
        return;
    }
    if (!m_message.isEmpty() || m_playback.Finished())
        return;
    // The time since the last tick counts before the key takes effect.
    m_playback.Advance(double(m_clock.restart()) / 1000.0);
    if (m_playback.Finished()) {
        close();
        return;
    }
    if (key == Qt::Key_Space) {
        m_playback.TogglePause();
#ifdef VISTRANO_PLAYER_AUDIO
        if (m_audio)
            m_playback.Paused() ? m_audio->Pause() : m_audio->Play();
#endif
    } else if (key == Qt::Key_Right || key == Qt::Key_PageDown) {
        m_playback.Next();
    } else if (key == Qt::Key_Left || key == Qt::Key_PageUp) {
        m_playback.Previous();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    if (m_playback.Finished()) {
        close();
        return;
    }
    update();
    m_timer.stop();
    Schedule();
}

void PlayerWindow::resizeEvent(QResizeEvent *)
{
    m_frames.clear();
    update();
}
