#pragma once

#include "player/ShowPlayback.h"
#include "show/ShowPackage.h"

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <map>

class BackgroundAudio;

// The full-screen window that plays a show: it keeps the frames of the
// slides around the current one, asks the playback what to show, and paints
// it. Escape or Q ends, Space pauses, Right or Page Down goes on, Left or
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
    const QImage &Frame(int index);
    void KeepFramesAround(int index);
    QSize ScreenSize() const;

    ShowPackage m_show;
    QString m_message;
    ShowPlayback m_playback;
    QElapsedTimer m_clock;
    QTimer m_timer;
    std::map<int, QImage> m_frames;
    QImage m_black;
    BackgroundAudio *m_audio = nullptr;
};
