#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QString>

class QAudioOutput;
class QMediaPlayer;
class QTemporaryFile;

// The show's background audio, played from the start and again whenever it
// ends. Audio that cannot be played (no device, a format nothing decodes)
// leaves the show silent and is reported once on standard error.
class BackgroundAudio : public QObject
{
public:
    BackgroundAudio(QByteArrayView audio, const QString &extension, QObject *parent = nullptr);

    void Play();
    void Pause();

private:
    void Fail(const QString &why);

    QTemporaryFile *m_file = nullptr;
    QMediaPlayer *m_player = nullptr;
    QAudioOutput *m_output = nullptr;
    bool m_failed = false;
};
