#pragma once

#include "player/ShowTimeline.h"
#include "project/SlideMotion.h"
#include "show/SlideshowBuild.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

// The timeline of the slides as the built show plays them: each duration as
// the show stores it (two decimals; one the player cannot read counts as its
// default of five seconds), a transition code the player does not know as a
// cut.
ShowTimeline WebShowTimeline(const QList<BuildSlide> &slides);

// What the page's script reads about one slide besides its picture.
struct WebSlide
{
    QSize pictureSize; // the JPEG's size, for placing the caption before it decodes
    QString caption;
    MotionPath motion = MotionPath::Still; // how the picture moves over the slide's time
};

// The page's data block: the timeline (start, length and transition of each
// slide, taken from the player's rules, so the page only looks moments up),
// picture sizes and captions. A moving slide also carries its motion as the
// view at its start and at its end ("motion": x, y, width, height of each, in
// fractions of the picture): every path runs straight between the two on the
// eased progress, so the script shows the renderer's view at every moment. A
// slide standing still carries nothing more, so its page keeps its bytes. It is JSON written in ASCII only, with "<", ">"
// and "&" as \u escapes, so no text of a caption can end the block or be
// read as markup.
QByteArray WebShowDataJson(const ShowTimeline &timeline, const QList<WebSlide> &slides, bool audioFadesOut);

// A JSON string literal of the text in that form.
QByteArray JsonString(const QString &text);

// Text for an HTML element or attribute value: &, <, >, " and ' escaped.
QByteArray EscapeHtml(const QString &text);
