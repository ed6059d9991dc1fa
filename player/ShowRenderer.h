#pragma once

#include "player/ShowTimeline.h"
#include "project/SlideMotion.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

class QPainter;

// What the renderer draws for one slide: its picture (fitted on black when
// its size is not the screen's), its caption, and notes about what is wrong
// with it. A null picture leaves the screen black.
struct SlideContent
{
    QImage picture;
    QString caption;
    QStringList notes;
    MotionPath motion = MotionPath::Still; // how the picture moves over the slide's time
};

// Gives the content of slide `index` (counted from 0); called on the thread
// that renders, once for each slide frame the renderer makes. It may throw;
// the error reaches the caller of the renderer.
using SlideContentSource = std::function<SlideContent(int index)>;

// Paints a show at any moment of its timeline into an image or a painter of
// the screen's size, the same way for the player's window, its frame export
// and the video. Each slide's frame (picture, caption and notes on black) is
// made once and kept until it is let go; a transition composes the frames of
// its two slides. A slide that moves keeps its picture instead and paints its
// frame again for each moment; the slide a transition comes from stands where
// its motion ended.
class ShowRenderer
{
public:
    ShowRenderer(int slideCount, SlideContentSource source, QSize screen);

    int SlideCount() const { return m_count; }
    QSize ScreenSize() const { return m_screen; }
    // A new size lets go of every frame made so far.
    void SetScreenSize(QSize screen);

    // The slide fully shown, in Format_RGB32, with its motion at
    // `motionProgress` (0 to 1); a black screen for an index outside the show.
    // The reference is good until the next call for the same slide.
    const QImage &SlideFrame(int index, double motionProgress = 0);
    // Whether the slide's picture moves; known once its frame was made.
    bool SlideMoves(int index) const { return m_moving.count(index) != 0; }

    // The frame of the moment, in Format_RGB32. The reference is good until
    // the next call on the renderer.
    const QImage &Frame(const ShowMoment &moment);
    // Paints the frame of the moment over the painter's screen.
    void Paint(QPainter &painter, const ShowMoment &moment);

    // False when the two moments show the same picture, so that a frame
    // already made can stand for both: a slide standing still is the same
    // frame for its whole time.
    bool FrameChanges(const ShowMoment &before, const ShowMoment &after) const;

    // Lets go of the frames of the slides outside first..last.
    void KeepSlides(int first, int last);

private:
    bool InShow(int index) const { return index >= 0 && index < m_count; }

    int m_count;
    SlideContentSource m_source;
    QSize m_screen;
    struct MovingSlide
    {
        SlideContent content; // its picture brought to the size its closest view needs
        double paintedAt = -1; // the motion progress its frame shows
    };

    std::map<int, QImage> m_frames;
    std::map<int, MovingSlide> m_moving;
    QImage m_black;
    QImage m_mix; // the frame of a transition, painted again for each moment
};
