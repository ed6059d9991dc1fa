#pragma once

#include "player/ShowPlayback.h"
#include "player/ShowRenderer.h"
#include "show/ShowPackage.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class BackgroundAudio;

// The full-screen window that plays a show: it asks the playback what to
// show and has the show's renderer paint it, keeping the frames of the slides
// around the current one. Escape or Q ends, Space pauses, Right or Page Down goes on, Left or
// Page Up goes back. A show that cannot play shows its message for a while.
class PlayerWindow : public QWidget
{
public:
    PlayerWindow(const ShowPackage &show, const QString &message, QWidget *parent = nullptr);

    void Start();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void Tick();
    void Schedule();
    int FrameMilliseconds() const;

    ShowPackage m_show;
    QString m_message;
    ShowPlayback m_playback;
    ShowRenderer m_renderer;
    QElapsedTimer m_clock;
    QTimer m_timer;
    BackgroundAudio *m_audio = nullptr;
};
