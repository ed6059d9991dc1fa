#include "video/ExportVideoDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>

namespace {

QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

TfrmExportVideo::TfrmExportVideo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmExportVideo"));
    setWindowTitle(tr("Export Video"));

    Label1 = MakeLabel(this, "Label1", QString());
    cbSize = new QComboBox(this);
    cbSize->setObjectName(QStringLiteral("cbSize"));
    for (const QSize size : VideoSizes())
        cbSize->addItem(VideoSizeText(size), size);
    cbSize->setCurrentIndex(cbSize->findData(VideoOptions().size));

    cbFrameRate = new QComboBox(this);
    cbFrameRate->setObjectName(QStringLiteral("cbFrameRate"));
    for (const int fps : VideoFrameRates())
        cbFrameRate->addItem(tr("%1 frames a second").arg(fps), fps);
    cbFrameRate->setCurrentIndex(cbFrameRate->findData(VideoOptions().fps));

    tbQuality = new QSlider(Qt::Horizontal, this);
    tbQuality->setObjectName(QStringLiteral("tbQuality"));
    tbQuality->setRange(0, kQualitySteps);
    tbQuality->setPageStep(2);
    tbQuality->setValue(kDefaultQualityStep);
    tbQuality->setTickPosition(QSlider::TicksBelow);
    lblSmaller = MakeLabel(this, "lblSmaller", tr("Smaller file"));
    lblBetter = MakeLabel(this, "lblBetter", tr("Better picture"));
    lblBetter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    txtFileName = new QLineEdit(this);
    txtFileName->setObjectName(QStringLiteral("txtFileName"));
    txtFileName->setMinimumWidth(320);
    btnBrowse = new QPushButton(tr("Browse..."), this);
    btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
    btnBrowse->setAutoDefault(false);

    BitBtn1 = new QPushButton(tr("Export"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(tr("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);

    SaveDialog3 = new QFileDialog(this);
    SaveDialog3->setObjectName(QStringLiteral("SaveDialog3"));
    SaveDialog3->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog3->setFileMode(QFileDialog::AnyFile);
    SaveDialog3->setDefaultSuffix(QStringLiteral("mp4"));
    SaveDialog3->setNameFilter(tr("MP4 Video (*.mp4)"));
    // The dialog asks about replacing a file when "Export" is pressed.
    SaveDialog3->setOption(QFileDialog::DontConfirmOverwrite);

    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    grid->addWidget(Label1, 0, 0, 1, 3);
    grid->addWidget(MakeLabel(this, "Label2", tr("Size")), 1, 0);
    grid->addWidget(cbSize, 1, 1, 1, 2);
    grid->addWidget(MakeLabel(this, "Label3", tr("Frame rate")), 2, 0);
    grid->addWidget(cbFrameRate, 2, 1, 1, 2);
    grid->addWidget(MakeLabel(this, "Label4", tr("Quality")), 3, 0);
    grid->addWidget(tbQuality, 3, 1, 1, 2);
    auto *ends = new QHBoxLayout;
    ends->addWidget(lblSmaller);
    ends->addStretch();
    ends->addWidget(lblBetter);
    grid->addLayout(ends, 4, 1, 1, 2);
    grid->addWidget(MakeLabel(this, "Label5", tr("File")), 5, 0);
    grid->addWidget(txtFileName, 5, 1);
    grid->addWidget(btnBrowse, 5, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    setSizeGripEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnBrowse, &QPushButton::clicked, this, &TfrmExportVideo::btnBrowseClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmExportVideo::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmExportVideo::Execute(int slideCount, double seconds, const QString &proposedFile)
{
    Label1->setText(tr("Number Of Slides : %1, length %2").arg(slideCount).arg(DurationText(seconds)));
    m_proposed = proposedFile;
    txtFileName->setText(QDir::toNativeSeparators(proposedFile));
    txtFileName->setFocus();
    return exec() == QDialog::Accepted;
}

VideoOptions TfrmExportVideo::Options() const
{
    VideoOptions options;
    options.size = cbSize->currentData().toSize();
    options.fps = cbFrameRate->currentData().toInt();
    options.crf = CrfOfQualityStep(tbQuality->value());
    return options;
}

QString TfrmExportVideo::FileName() const
{
    return VideoFileName(txtFileName->text(), m_proposed);
}

void TfrmExportVideo::btnBrowseClick()
{
    const QFileInfo current(FileName());
    if (!current.filePath().isEmpty()) {
        SaveDialog3->setDirectory(current.absolutePath());
        SaveDialog3->selectFile(current.fileName());
    }
    if (SaveDialog3->exec() != QDialog::Accepted || SaveDialog3->selectedFiles().isEmpty())
        return;
    txtFileName->setText(QDir::toNativeSeparators(SaveDialog3->selectedFiles().first()));
}

void TfrmExportVideo::BitBtn1Click()
{
    const QString name = FileName();
    if (name.isEmpty()) {
        txtFileName->setFocus();
        return;
    }
    const QFileInfo file(name);
    txtFileName->setText(QDir::toNativeSeparators(name));
    if (file.exists()
        && QMessageBox::question(this, tr("Export Video"),
                                 tr("%1 already exists.\nDo you want to replace it?").arg(file.fileName()))
               != QMessageBox::Yes)
        return;
    accept();
}
