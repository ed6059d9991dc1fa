#pragma once

#include "video/LibavHandles.h"

#include <QString>

// Opens a sound file with FFmpeg's demuxers, for reading only the containers
// background audio comes in and only from the file itself (no playlists or
// addresses), and reads its stream information. Fails with
// VistranoError(why) when it does not open.
InputPtr OpenAudioInput(const QString &path);

// The length of the audio in a sound file (WAV, MP3, ...), in seconds, from
// its header and stream information; nothing is played or decoded. Fails with
// "The audio file FILE cannot be read: why".
double AudioFileSeconds(const QString &path);
