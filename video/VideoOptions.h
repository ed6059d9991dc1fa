#pragma once

#include <QList>
#include <QSize>
#include <QString>

// What a video is made at. The picture is H.264 (High profile, 4:2:0) in an
// MP4 file; the constant rate factor sets its quality (lower is better and
// larger, 0 to 51).
struct VideoOptions
{
    QSize size{1920, 1080};
    int fps = 30;
    int crf = 20;
    QString backgroundAudio; // WAV or MP3; empty for a video without sound
};

// The sizes the video can be made at, as the export dialog lists them: the
// widescreen and portrait sizes first, then the show sizes.
QList<QSize> VideoSizes();
// "1920 X 1080", and "1080 X 1920 (portrait)" for a portrait size.
QString VideoSizeText(QSize size);
QList<int> VideoFrameRates();

// The quality slider runs from "Smaller file" (0) to "Better picture"
// (kQualitySteps); its default is a setting whose picture looks clean.
constexpr int kQualitySteps = 12;
constexpr int kDefaultQualityStep = 8;
int CrfOfQualityStep(int step);

// High-definition sizes (as many pixels as 1280 X 720 or more) are converted
// with the BT.709 colours that players assume for them; smaller ones with
// BT.601.
bool UsesBt709(QSize size);

// Fails with a message when the options cannot make a video: an odd or
// unusable size, a frame rate or rate factor out of range.
void CheckVideoOptions(const VideoOptions &options);

// A length as the export dialog shows it: "0:12", "1:20", "1:02:03".
QString DurationText(double seconds);

// The file a name typed into the export dialog means: a relative name is
// taken in the folder of the file proposed, and a name without an extension
// gets ".mp4".
QString VideoFileName(const QString &typed, const QString &proposedFile);

// Where an export proposes to write: the project's name (or "MyShow1") with
// the extension, in the folder the export last wrote to, else the project's
// folder, else the home folder.
QString DefaultExportPath(const QString &projectPath, const QString &lastFolder, const QString &extension);
// The same with ".mp4".
QString DefaultVideoPath(const QString &projectPath, const QString &lastFolder);
