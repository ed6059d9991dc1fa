#pragma once

#include "slides/TimingRow.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TPathLabel;
class TPictureView;
class TRectBox;
class TUpDown;
class TfrmProjSettings;

// The slide properties dialog frmSlideProperties: one slide's duration,
// transition and caption, with its thumbnail and file.
class TfrmSlideProperties : public QDialog, public TTimingRow
{
    Q_OBJECT

public:
    // The transition names are copied from the project settings dialog
    // (the list of every transition when there is none).
    explicit TfrmSlideProperties(const TfrmProjSettings *projectSettings, QWidget *parent = nullptr);

    // The round trip between a slide and the dialog: the dialog shows the
    // slide's values; OK stores the duration, transition and caption back,
    // Cancel or the close box store nothing. True when OK stored them. A
    // slide that is gone by the time the dialog closes is left alone.
    bool EditSlideProperties(TRectBox *box);

    TPictureView *IV2;
    QLabel *Label4;
    TPathLabel *lblFileName;
    // Label1, txtDuration, udDuration, Label2 and cbTransition: TTimingRow.
    QLabel *Label3;
    QLineEdit *txtCaption;
    QLabel *Label5;
    QComboBox *cbMotion;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;

protected:
    void showEvent(QShowEvent *event) override;
};
