#include "player/BackgroundAudio.h"

#include <QAudioOutput>
#include <QBuffer>
#include <QMediaPlayer>
#include <QUrl>

#include <cstdio>

BackgroundAudio::BackgroundAudio(QByteArrayView audio, const QString &extension, QObject *parent) : QObject(parent)
{
    m_buffer = new QBuffer(this);
    m_buffer->setData(QByteArray::fromRawData(audio.data(), audio.size()));
    if (!m_buffer->open(QIODevice::ReadOnly))
        return;
    m_output = new QAudioOutput(this);
    m_player = new QMediaPlayer(this);
    m_player->setAudioOutput(m_output);
    m_player->setLoops(QMediaPlayer::Infinite);
    QObject::connect(m_player, &QMediaPlayer::errorOccurred, this,
                     [this](QMediaPlayer::Error, const QString &text) {
                         if (m_failed)
                             return;
                         m_failed = true;
                         std::fprintf(stderr, "The background audio cannot be played: %s\n",
                                      text.toUtf8().constData());
                     });
    // The name only tells the media framework what kind of file it gets.
    m_player->setSourceDevice(m_buffer, QUrl(QStringLiteral("background") + extension));
}

void BackgroundAudio::Play()
{
    if (m_player)
        m_player->play();
}

void BackgroundAudio::Pause()
{
    if (m_player)
        m_player->pause();
}
