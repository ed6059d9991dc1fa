#pragma once

#include "show/SlideshowBuild.h"
#include "tests/support/TestFiles.h"

#include <QByteArray>
#include <QColor>
#include <QList>

// Three slides of one colour each (red, green, blue; 320 X 240): two seconds
// of red cut in, three of green dissolving in over a second, three of blue
// wiping in from the left over a second. The middle slide carries the
// caption given.
QList<BuildSlide> ColourSlides(const TestFolder &folder, const QString &middleCaption);

// The pictures of a page, decoded from its data: URLs, in page order.
QList<QByteArray> PageJpegs(const QByteArray &page);
