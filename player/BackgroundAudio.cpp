#include "player/BackgroundAudio.h"

#include <QAudioOutput>
#include <QDir>
#include <QMediaPlayer>
#include <QTemporaryFile>
#include <QUrl>

#include <cstdio>

namespace {

// The extension tells the media framework what kind of file it gets; only
// letters and digits of it are kept for the file name.
QString SafeExtension(const QString &extension)
{
    QString safe;
    for (QChar c : extension.mid(1, 8)) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            safe += c;
    }
    return safe.isEmpty() ? QString() : QLatin1Char('.') + safe;
}

} // namespace

BackgroundAudio::BackgroundAudio(QByteArrayView audio, const QString &extension, QObject *parent) : QObject(parent)
{
    // The media framework reads a file more reliably than a stream (WAV from
    // a stream does not play with GStreamer), so the audio goes to a
    // temporary file that is removed when the show ends.
    m_file = new QTemporaryFile(QDir(QDir::tempPath()).filePath(QStringLiteral("slideshow-audio-XXXXXX"))
                                    + SafeExtension(extension),
                                this);
    if (!m_file->open() || m_file->write(audio.data(), audio.size()) != audio.size() || !m_file->flush()) {
        Fail(QStringLiteral("no room for a temporary file"));
        return;
    }
    m_output = new QAudioOutput(this);
    m_player = new QMediaPlayer(this);
    m_player->setAudioOutput(m_output);
    m_player->setLoops(QMediaPlayer::Infinite);
    QObject::connect(m_player, &QMediaPlayer::errorOccurred, this,
                     [this](QMediaPlayer::Error, const QString &text) { Fail(text); });
    m_player->setSource(QUrl::fromLocalFile(m_file->fileName()));
}

void BackgroundAudio::Fail(const QString &why)
{
    if (m_failed)
        return;
    m_failed = true;
    std::fprintf(stderr, "The background audio cannot be played: %s\n", why.toUtf8().constData());
}

void BackgroundAudio::Play()
{
    if (m_player && !m_failed)
        m_player->play();
}

void BackgroundAudio::Pause()
{
    if (m_player && !m_failed)
        m_player->pause();
}
