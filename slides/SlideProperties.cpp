#include "slides/SlideProperties.h"

#include "project/Transitions.h"
#include "shell/DialogRows.h"
#include "shell/WindowPlacement.h"
#include "slides/IntegerText.h"
#include "slides/PathLabel.h"
#include "slides/PictureView.h"
#include "slides/ProjSettings.h"
#include "slides/RectBox.h"
#include "slides/TimingRow.h"
#include "slides/UpDown.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

TfrmSlideProperties::TfrmSlideProperties(const TfrmProjSettings *projectSettings, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmSlideProperties"));
    setWindowTitle(tr("Slide Properties"));
    setFixedSize(495, 246);
    setSizeGripEnabled(false);
    move(306, 260);

    IV2 = new TPictureView(this);
    IV2->setObjectName(QStringLiteral("IV2"));
    IV2->setGeometry(8, 24, 160, 160);
    Label4 = MakeLabel(this, "Label4", tr("Filename"), {184, 24});
    lblFileName = new TPathLabel(this);
    lblFileName->setObjectName(QStringLiteral("lblFileName"));
    lblFileName->setText(tr("File:"));
    lblFileName->setGeometry(184, 40, 305, 20);
    lblFileName->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // FormCreate: the transition names come from the project settings dialog.
    MakeTimingRow(this, *this,
                  {tr("Duration"), {184, 80 + 2}, {232, 78, 41, 21}, kSlideDurationRange, 1, tr("Transition"), {312, 80 + 2},
                   {368, 78, 121, 21 + 4}},
                  projectSettings ? projectSettings->TransitionItems() : TransitionNames());

    Label3 = MakeLabel(this, "Label3", tr("Caption"), {184, 120});
    txtCaption = new QLineEdit(this);
    txtCaption->setObjectName(QStringLiteral("txtCaption"));
    txtCaption->setGeometry(184, 136, 305, 21);

    Label5 = MakeLabel(this, "Label5", tr("Motion"), {184, 170});
    cbMotion = new QComboBox(this);
    cbMotion->setObjectName(QStringLiteral("cbMotion"));
    cbMotion->setGeometry(232, 166, 121, 25);
    cbMotion->addItems(SlideMotionNames());

    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(248, 206, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(tr("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(344, 206, 75, 25);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    // A font wider than the designed one moves the row along and widens the
    // dialog; the file name and the caption widen with it. A taller one
    // moves the rows down and makes the dialog higher.
    for (QWidget *text : {static_cast<QWidget *>(Label4), static_cast<QWidget *>(lblFileName),
                          static_cast<QWidget *>(Label3), static_cast<QWidget *>(txtCaption),
                          static_cast<QWidget *>(BitBtn1), static_cast<QWidget *>(BitBtn2),
                          static_cast<QWidget *>(Label5), static_cast<QWidget *>(cbMotion)})
        FitText(text);
    FlowRow({{Label5}, {cbMotion}});
    const int right = FlowTimingRow(*this);
    const int width = std::max(495, right + 6);
    const int grown = width - 495;
    txtCaption->resize(305 + grown, txtCaption->height());
    lblFileName->resize(305 + grown, lblFileName->height());
    FlowRow({{BitBtn1}, {BitBtn2, 12}});
    const int bottom = FlowColumn({{{Label4}}, {{lblFileName}, 0}, {TimingRowWidgets(*this), 6}, {{Label3}, 6},
                                   {{txtCaption}, 0}, {{Label5, cbMotion}, 8}, {{BitBtn1, BitBtn2}, 8}});
    setFixedSize(width, std::max(246, bottom + 15));
}

void TfrmSlideProperties::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // At its designed place, as long as all of it is on the screen.
    if (const QScreen *screen = this->screen()) {
        const QRect frame = frameGeometry();
        const QRect kept = KeptOnScreen(frame, screen->availableGeometry());
        if (kept.topLeft() != frame.topLeft())
            move(pos() + (kept.topLeft() - frame.topLeft()));
    }
}

bool TfrmSlideProperties::EditSlideProperties(TRectBox *box)
{
    if (!box)
        return false;
    IV2->SetPicture(box->Picture());
    udDuration->SetPosition(UpDownPosition(box->AbLeft(), udDuration->Min(), udDuration->Max()));
    cbTransition->setCurrentIndex(ListIndexForCode(box->AbTop(), cbTransition->count()));
    txtCaption->setText(box->Caption());
    cbMotion->setCurrentIndex(int(box->Motion()));
    lblFileName->SetPath(box->FileName());

    const QPointer<TRectBox> slide(box);
    const bool ok = exec() == QDialog::Accepted;
    // The dialog holds no copy of the thumbnail once it is closed.
    IV2->SetPicture(QImage());
    if (!ok || !slide)
        return false;
    slide->SetAbLeft(udDuration->Position());
    // A slide whose stored code names no transition keeps it unless one
    // was chosen.
    if (cbTransition->currentIndex() >= 0)
        slide->SetAbTop(cbTransition->currentIndex());
    slide->SetCaption(txtCaption->text());
    slide->SetMotion(SlideMotionFromCode(cbMotion->currentIndex()));
    return true;
}
