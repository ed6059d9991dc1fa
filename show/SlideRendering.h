#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

// How a turned picture is fitted: the show fits the picture as it is stored
// and turns it afterwards, so a quarter-turned slide comes out with its sides
// swapped (and the player fits it again); a video fits it as it is seen.
enum class SlideFit { BeforeRotation, AsShown };

// A slide's picture as the show carries it: the whole picture fitted into the
// screen size (enlarged when smaller), resampled with the three-lobe Lanczos
// filter, then turned by the slide's rotation. Fails with a message that
// names the slide and the file: "Slide n (file): " and the loader's message,
// or the slide's message when the picture loads empty. JPEG files are
// streamed through the resampler; `threads` is the resampler's for the other
// formats (0: as many as pay off).
//
// A slide that moves is rendered larger, up to `oversize` times the screen,
// so that its close views are as sharp as a still slide; a picture smaller
// than that is enlarged no further than a still slide would be.
QImage RenderSlidePicture(const QString &fileName, int rotation, QSize screen, int slideNumber,
                          SlideFit fit = SlideFit::BeforeRotation, int threads = 0, double oversize = 1.0);

// The size a picture of `picture` pixels is rendered at for a screen (or a
// screen turned with the picture), as above.
QSize RenderedSlideSize(QSize picture, QSize box, double oversize);

// The picture as a JPEG at the quality, or lower: a JPEG whose bytes happen
// to hold a section marker would cut its section short, so it is encoded again
// one quality step lower until it does not.
using JpegEncoder = std::function<QByteArray(const QImage &picture, int quality)>;
QByteArray EncodeSlideJpeg(const QImage &picture, int quality, const JpegEncoder &encode = {});
