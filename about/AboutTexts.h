#pragma once

#include "about/VersionResource.h"

#include <QString>

// The product name the about box shows in its title, in its large label and,
// when the version cannot be read, in its version line.
QString AboutProductName();
// The copyright line shown when the build gave none fit to show.
QString FallbackCopyright();

// The first three parts of a file version: its characters up to, not
// including, the third "."; the whole string when it has fewer than three.
QString ShortFileVersion(const QString &fileVersion);

// What the about box shows. A file version of 7 characters or more gives the
// version line "Version " and its short form, and its whole string for Ctrl+Q;
// a shorter one gives the product name in both. A copyright line of 9
// characters or more is shown as it is, a shorter one gives the fallback.
struct TAboutTexts
{
    QString VersionLine;
    QString FullVersion;
    QString CopyrightLine;
};
TAboutTexts AboutTexts(const TVersionResource &resource);

// The version line after a key event while the box is open: Ctrl+Q pressed
// shows the full version; any other key pressed, and any key released,
// shows the version line again.
QString VersionLineAfterKey(const TAboutTexts &texts, bool pressed, int key, bool control);
