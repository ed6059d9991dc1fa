#pragma once

#include "video/VideoOptions.h"

#include <QDialog>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The File menu's "Export Video..." dialog frmExportVideo: the video's size,
// frame rate and quality, and the file it goes to. Made once and reused, so
// its choices last while the program runs; the file name is proposed anew
// each time.
class TfrmExportVideo : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmExportVideo(QWidget *parent = nullptr);

    // Shows the dialog modally for a show of that many slides and that
    // length, proposing the file; true when it ended with "Export" (after
    // the user agreed to replace a file already there).
    bool Execute(int slideCount, double seconds, const QString &proposedFile);

    // The choices: size, frame rate and rate factor (the audio is the
    // project's, not the dialog's).
    VideoOptions Options() const;
    // The file the typed name means (VideoFileName); empty when none is typed.
    QString FileName() const;

    // btnBrowseClick: the save dialog SaveDialog3 picks the file.
    void btnBrowseClick();

    QLabel *Label1;
    QComboBox *cbSize;
    QComboBox *cbFrameRate;
    QSlider *tbQuality;
    QLabel *lblSmaller;
    QLabel *lblBetter;
    QLineEdit *txtFileName;
    QPushButton *btnBrowse;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QFileDialog *SaveDialog3;

private:
    void BitBtn1Click();

    QString m_proposed; // the file proposed by the last Execute
};
