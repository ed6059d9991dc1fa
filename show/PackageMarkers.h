#pragma once

#include <QByteArray>
#include <QByteArrayView>

// A section is its start marker, its value and its end marker, back to back:
// the start marker is the prefix "SO!#" and the key, the end marker "EO!#"
// and the key, all in upper case. The prefixes are put together at run time
// and never stand as literals in the code: the player is a copy of this code,
// and a marker among its own bytes would be taken for a section.

// Turns only the ASCII letters a to z into A to Z.
QByteArray UpperCaseAscii(QByteArrayView text);

// "SO!#" and "EO!#".
const QByteArray &StartMarkerPrefix();
const QByteArray &EndMarkerPrefix();

QByteArray SectionStartMarker(QByteArrayView key);
QByteArray SectionEndMarker(QByteArrayView key);

// The bytes of a whole section: start marker, value, end marker.
QByteArray SectionBytes(QByteArrayView key, QByteArrayView value);

// Keys as stored are 1 to kMaxSectionKeyLength printable ASCII characters,
// without spaces and lower-case letters, that hold no marker prefix. A reader
// needs the limit to tell where a key that follows an end marker stops; every
// key of a show is far shorter.
constexpr qsizetype kMaxSectionKeyLength = 32;
bool IsSectionKeyCharacter(char c);
bool IsSectionKey(QByteArrayView key);

// True when the bytes hold either prefix anywhere. A value that does would
// end a section early or open a false one for a reader.
bool ContainsMarkerPrefix(QByteArrayView bytes);
