#pragma once

#include <QStatusBar>

#include <array>

class QLabel;
class QProgressBar;

// The main window's status bar SB1: three text panels of 200 pixels and a
// progress gauge of 50, none of them sized by its text.
//   panel 0: the file count of the list; the slideshow build's progress
//   panel 1: the thumbnail run's texts; "Printing..."
//   panel 2: "Slide count: " and the number of slides
//   gauge:   0 to 100, driven by every long command and set back to 0 at its end
class TStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    enum Panel : int { FilesPanel = 0, ThumbnailsPanel = 1, SlidesPanel = 2, TextPanelCount = 3 };

    explicit TStatusBar(QWidget *parent = nullptr);

    void SetPanelText(int panel, const QString &text);
    QString PanelText(int panel) const;

    void SetGauge(int percent);
    int Gauge() const;

private:
    std::array<QLabel *, TextPanelCount> m_panels{};
    QProgressBar *m_gauge = nullptr;
};
