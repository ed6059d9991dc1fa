#pragma once

#include "project/SlideMotion.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

// What the player finds in its own file: the screen size, the background
// audio and each slide's duration, transition, caption and picture. Whatever
// is missing or damaged is replaced by a harmless default and described in the
// problems, so a damaged show still plays what it holds.

struct ShowSlide
{
    int number = 0;          // counted from 1
    double duration = 5.0;   // seconds
    int transition = 0;      // 0 Cut, 1 Dissolve, 2..5 the wipes
    QString caption;
    QByteArrayView jpeg;     // the JPEG file's bytes; empty when missing
    MotionPath motion = MotionPath::Still;
    QStringList problems;
};

struct ShowPackage
{
    bool hasSections = false; // false for the bare template
    QSize screenSize;         // OWidth by OHeight; invalid when unusable
    QByteArrayView audio;     // the background audio file's bytes, if any
    QString audioExtension;   // for instance ".mp3"
    std::vector<ShowSlide> slides;
    QStringList problems;     // about the package as a whole
};

// Reads the sections of a package; the views point into `bytes`, which must
// outlive the result.
ShowPackage ReadShowPackage(QByteArrayView bytes);
// A temporary would be gone before the views are read.
ShowPackage ReadShowPackage(QByteArray &&) = delete;

// Transition codes run from 0 to 5.
constexpr int kTransitionCount = 6;
