#pragma once

#include <QByteArray>
#include <QString>

// The page template (WebShowPage.html, built into the program as a Qt
// resource) cut at the places the export fills in: the page is written as
// head, the slides, middle, the audio, beforeData, the data block, tail.
// The head carries the title and a Content-Security-Policy that allows the
// template's own style and script (by their SHA-256) and data: pictures and
// sound, and nothing else: no network request, no other script.
struct WebShowTemplate
{
    QByteArray head;
    QByteArray middle;
    QByteArray beforeData;
    QByteArray tail;
};

// The script and style that move pictures are in the page only with
// `motion`; the page of a show standing still is the same without them.
// Fails with "The web page template is damaged" when the built-in template
// lacks one of its places.
WebShowTemplate LoadWebShowTemplate(const QString &title, bool motion);

// The policy for a page whose inline style and script are these texts.
QByteArray WebShowPolicy(const QByteArray &style, const QByteArray &script);
