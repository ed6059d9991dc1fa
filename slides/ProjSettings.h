#pragma once

#include "project/SlideMaking.h"
#include "slides/TimingRow.h"

#include <QDialog>

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class TUpDown;

// The project settings dialog frmProjSettings: the default duration and
// transition that new slides take and the background audio file. Its
// controls are where these settings live; nothing else keeps a copy. There
// is no Cancel: whatever is changed stays, however the dialog is closed.
class TfrmProjSettings : public QDialog, public TTimingRow
{
    Q_OBJECT

public:
    explicit TfrmProjSettings(QWidget *parent = nullptr);

    // Project1Click: shows the dialog modally.
    void Execute();

    // The default duration: the number in txtDuration, which takes only
    // numbers in the arrows' range (a number still being typed counts as the
    // nearest one in range).
    int DefaultDuration() const;
    // The selected transition's code.
    int DefaultTransition() const;
    // The motion new slides take: None or Auto.
    SlideMotion DefaultMotion() const;
    // All three, as a new slide takes them.
    SlideDefaults Defaults() const;

    QString AudioFile() const;
    void SetAudioFile(const QString &path);

    // The transition names, in code order, as cbTransition lists them.
    QStringList TransitionItems() const;

    // btnSelectFileClick: the chosen audio file goes into txtBGAudioFile.
    void btnSelectFileClick();
    // BitBtn3Click: "Apply to all current slides".
    void BitBtn3Click();
    // btnFitAudioClick: "Fit durations to the audio".
    void btnFitAudioClick();

    // Label1, txtDuration, udDuration, Label2 and cbTransition: TTimingRow.
    QLabel *Label3;
    QLineEdit *txtBGAudioFile;
    QToolButton *btnSelectFile;
    QLabel *Label4;
    QComboBox *cbMotion;
    QPushButton *btnFitAudio;
    QPushButton *BitBtn1;
    QPushButton *BitBtn3;
    QFileDialog *BD1;

signals:
    // Every slide takes this duration, transition and motion; captions stay.
    void ApplyToAllSlides(int duration, int transition, SlideMotion motion);
    // The slides' durations are to be fitted to the audio file's length.
    void FitDurationsToAudio();
    // The background audio file's path changed (typed, chosen, opened).
    void AudioFileChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ArrangeForFont();

    QString m_lastAudio;
};
