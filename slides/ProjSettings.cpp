#include "slides/ProjSettings.h"

#include "project/Transitions.h"
#include "shell/FileDialogs.h"
#include "shell/DialogRows.h"
#include "slides/UpDown.h"

#include <QApplication>

#include <algorithm>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

TfrmProjSettings::TfrmProjSettings(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmProjSettings"));
    setWindowTitle(tr("Project Settings"));
    setFixedSize(492, 191);
    setSizeGripEnabled(false);

    MakeTimingRow(this, *this,
                  {tr("Default Slide Duration (seconds)"), {24, 24 + 3}, {184, 24, 41, 21}, kDefaultDurationRange, 4,
                   tr("Default Slide Transition"), {256, 24 + 3}, {376, 20, 97, 21 + 4}},
                  TransitionNames());
    // FormCreate selects "Cut".
    cbTransition->setCurrentIndex(0);

    Label3 = MakeLabel(this, "Label3", tr("Audio file"), {24, 56});
    txtBGAudioFile = new QLineEdit(this);
    txtBGAudioFile->setObjectName(QStringLiteral("txtBGAudioFile"));
    txtBGAudioFile->setGeometry(24, 76, 425, 21);
    btnSelectFile = new QToolButton(this);
    btnSelectFile->setObjectName(QStringLiteral("btnSelectFile"));
    btnSelectFile->setGeometry(456, 72, 25, 25);
    btnSelectFile->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    btnSelectFile->setToolTip(tr("Audio file"));

    Label4 = MakeLabel(this, "Label4", tr("Motion"), {24, 112});
    cbMotion = new QComboBox(this);
    cbMotion->setObjectName(QStringLiteral("cbMotion"));
    cbMotion->setGeometry(72, 108, 97, 25);
    // A project's default is still or Auto; the other motions are chosen
    // slide by slide.
    cbMotion->addItems(SlideMotionNames().mid(0, 2));
    cbMotion->setCurrentIndex(0);
    btnFitAudio = new QPushButton(tr("Fit durations to the audio"), this);
    btnFitAudio->setObjectName(QStringLiteral("btnFitAudio"));
    btnFitAudio->setGeometry(256, 108, 160, 25);
    btnFitAudio->setAutoDefault(false);

    BitBtn1 = new QPushButton(tr("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(232, 150, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn3 = new QPushButton(tr("Apply to all current slides"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(344, 150, 137, 25);
    BitBtn3->setAutoDefault(false);

    BD1 = new QFileDialog(this);
    BD1->setObjectName(QStringLiteral("BD1"));
    BD1->setAcceptMode(QFileDialog::AcceptOpen);
    BD1->setFileMode(QFileDialog::ExistingFile);
    BD1->setNameFilters({tr("Wave files (*.wav)"), tr("MP3 files (*.mp3)")});
    BD1->setDirectory(QDir::homePath());

    ArrangeForFont();

    connect(btnSelectFile, &QToolButton::clicked, this, &TfrmProjSettings::btnSelectFileClick);
    connect(txtBGAudioFile, &QLineEdit::textChanged, this, &TfrmProjSettings::AudioFileChanged);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmProjSettings::BitBtn3Click);
    connect(btnFitAudio, &QPushButton::clicked, this, &TfrmProjSettings::btnFitAudioClick);
}

void TfrmProjSettings::ArrangeForFont()
{
    for (QWidget *text : {static_cast<QWidget *>(Label3), static_cast<QWidget *>(txtBGAudioFile),
                          static_cast<QWidget *>(BitBtn1), static_cast<QWidget *>(BitBtn3),
                          static_cast<QWidget *>(Label4), static_cast<QWidget *>(cbMotion),
                          static_cast<QWidget *>(btnFitAudio)})
        FitText(text);
    FlowRow({{Label4}, {cbMotion}, {btnFitAudio, 12}});
    const int right = FlowTimingRow(*this);
    // The room beside the transition box, the audio row and the buttons
    // keep their distance from the right edge as the dialog widens.
    const int width = std::max(492, right + 19);
    const int grown = width - 492;
    txtBGAudioFile->resize(425 + grown, txtBGAudioFile->height());
    btnSelectFile->move(456 + grown, btnSelectFile->y());
    BitBtn3->move(width - 11 - BitBtn3->width(), BitBtn3->y());
    BitBtn1->move(std::min(232 + grown, BitBtn3->x() - 37 - BitBtn1->width()), BitBtn1->y());
    // Taller fonts move the rows down; the chooser stays as high as the
    // audio file's edit.
    btnSelectFile->resize(btnSelectFile->width(), std::max(btnSelectFile->height(), txtBGAudioFile->height() + 4));
    const int bottom = FlowColumn(
        {{TimingRowWidgets(*this)}, {{Label3}, 6}, {{txtBGAudioFile, btnSelectFile}, 0},
                                   {{Label4, cbMotion, btnFitAudio}, 8}, {{BitBtn1, BitBtn3}, 16}});
    setFixedSize(width, std::max(191, bottom + 16));
}

void TfrmProjSettings::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrmProjSettings::Execute()
{
    exec();
}

int TfrmProjSettings::DefaultDuration() const
{
    return udDuration->Position();
}

int TfrmProjSettings::DefaultTransition() const
{
    return cbTransition->currentIndex();
}

SlideDefaults TfrmProjSettings::Defaults() const
{
    return SlideDefaults{DefaultDuration(), DefaultTransition(), DefaultMotion()};
}

SlideMotion TfrmProjSettings::DefaultMotion() const
{
    return SlideMotionFromCode(cbMotion->currentIndex());
}

QString TfrmProjSettings::AudioFile() const
{
    return txtBGAudioFile->text();
}

void TfrmProjSettings::SetAudioFile(const QString &path)
{
    txtBGAudioFile->setText(path);
}

QStringList TfrmProjSettings::TransitionItems() const
{
    QStringList items;
    for (int i = 0; i < cbTransition->count(); ++i)
        items << cbTransition->itemText(i);
    return items;
}

void TfrmProjSettings::btnSelectFileClick()
{
    const QString chosen = RunFileDialog(BD1, m_lastAudio, QLatin1String(kAudioFolderSetting));
    if (!chosen.isEmpty())
        txtBGAudioFile->setText(chosen);
}

void TfrmProjSettings::BitBtn3Click()
{
    emit ApplyToAllSlides(udDuration->Position(), cbTransition->currentIndex(), DefaultMotion());
}

void TfrmProjSettings::btnFitAudioClick()
{
    emit FitDurationsToAudio();
}
