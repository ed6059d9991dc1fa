#include "player/PlayerWindow.h"

#ifdef VISTRANO_PLAYER_AUDIO
#include "player/BackgroundAudio.h"
#endif
#include "player/CaptionLayout.h"
#include "player/PackageSlides.h"
#include "player/SlideFrame.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace {

constexpr int kMessageMilliseconds = 4000;
constexpr int kFrameMilliseconds = 15;

} // namespace

PlayerWindow::PlayerWindow(const ShowPackage &show, const QString &message, QWidget *parent)
    : QWidget(parent), m_show(show), m_message(message), m_playback(PackageTimeline(m_show)),
      m_renderer(int(m_show.slides.size()), PackageSlideSource(m_show), size())
{
    setWindowTitle(QStringLiteral("Slideshow"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::BlankCursor);
    setFocusPolicy(Qt::StrongFocus);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
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
    // Frames far from the current slide are let go, so a long show does not
    // hold every picture at screen size.
    const int index = m_playback.Index();
    m_renderer.KeepSlides(index - 1, index + 1);
    // The slide's frame is made now, so that whether it moves is known.
    m_renderer.SlideFrame(index, m_playback.Moment().MotionProgress());
    if (m_playback.InTransition()) {
        m_timer.start(FrameMilliseconds());
        return;
    }
    // While a slide is fully shown, the next one is made ready.
    m_renderer.SlideFrame(index + 1);
    if (m_renderer.SlideMoves(index)) {
        m_timer.start(FrameMilliseconds());
        return;
    }
    const double left = m_playback.SecondsToNextChange();
    m_timer.start(std::clamp(int(left * 1000.0 + 0.5), 1, 1000));
}

int PlayerWindow::FrameMilliseconds() const
{
    // A frame for each refresh of the screen, so a moving picture glides
    // rather than jumps now and then.
    const QScreen *shown = screen();
    const double rate = shown ? shown->refreshRate() : 0;
    return rate >= 20 && rate <= 500 ? std::max(1, int(1000.0 / rate)) : kFrameMilliseconds;
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
    m_renderer.Paint(painter, m_playback.Moment());
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
    m_renderer.SetScreenSize(size());
    update();
}
