#include "video/VideoExportCommand.h"

#include "shell/Messages.h"
#include "show/SlideshowCommand.h"

#include <QFileInfo>
#include <QPushButton>

TVideoExportCommand::TVideoExportCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent)
    : QObject(parent), btnCancelExport(new QPushButton(tr("Cancel"), window)), m_strip(strip), m_status(status),
      m_work(strip, status)
{
    connect(&m_work, &TStripWorkThread::Ended, this, &TVideoExportCommand::ExportEnded);
    btnCancelExport->setObjectName(QStringLiteral("btnCancelExport"));
    btnCancelExport->setToolTip(tr("Stop the video export"));
    btnCancelExport->setFocusPolicy(Qt::NoFocus);
    btnCancelExport->hide();
    if (status) {
        btnCancelExport->setFixedHeight(status->height() - 4);
        status->addWidget(btnCancelExport);
        btnCancelExport->hide();
    }
    connect(btnCancelExport, &QPushButton::clicked, this, &TVideoExportCommand::Cancel);
}

TVideoExportCommand::~TVideoExportCommand()
{
    Stop();
}

void TVideoExportCommand::ExportVideo1Click()
{
    if (!m_strip || !m_dialog)
        return;
    if (m_strip->SlideCount() == 0) {
        ShowMessage(QStringLiteral("You need to add some slides first!"));
        return;
    }
    if (m_strip->RefuseWhileBusy())
        return;
    const QList<BuildSlide> slides = BuildSlidesOf(m_strip->SlidesInSlideOrder());
    const QString proposed = DefaultVideoPath(m_projectPath ? m_projectPath() : QString(), m_lastFolder);
    if (!m_dialog->Execute(int(slides.size()), VideoTimeline(slides).length, proposed))
        return;
    VideoOptions options = m_dialog->Options();
    Export(m_dialog->FileName(), options);
}

void TVideoExportCommand::Export(const QString &path, const VideoOptions &chosen)
{
    if (!m_strip || m_strip->RefuseWhileBusy())
        return;
    m_strip->LayoutSlides();
    const QList<BuildSlide> slides = BuildSlidesOf(m_strip->SlidesInSlideOrder());
    VideoOptions options = chosen;
    if (m_projectSettings)
        options.backgroundAudio = m_projectSettings->AudioFile();
    m_lastFolder = QFileInfo(path).absolutePath();

    m_quiet = false;
    m_result = {};
    btnCancelExport->show();
    m_work.Start(TSlideStrip::Work::ExportingVideo, QStringLiteral("VideoExport"),
                 [this, path, slides, options](const std::atomic<bool> &stopRequested) {
                     m_result = ::ExportVideo(
                         path, slides, options,
                         [this](const VideoProgress &progress) {
                             m_work.Report([this, progress] {
                                 if (m_status) {
                                     m_status->SetPanelText(TStatusBar::FilesPanel, progress.status);
                                     m_status->SetGauge(progress.gauge);
                                 }
                             });
                         },
                         &stopRequested);
                 });
}

void TVideoExportCommand::Cancel()
{
    m_work.RequestStop();
}

void TVideoExportCommand::Stop()
{
    if (!m_work.Running())
        return;
    m_quiet = true;
    m_work.Stop();
}

void TVideoExportCommand::ExportEnded(const std::exception_ptr &error)
{
    btnCancelExport->hide();
    if (!error) {
        if (!m_result.audioProblem.isEmpty() && !m_quiet)
            ShowMessage(m_result.audioProblem + QStringLiteral("\nThe video was made without sound."));
        emit ExportFinished(true);
        return;
    }
    if (!m_quiet) {
        try {
            std::rethrow_exception(error);
        } catch (const VideoExportStopped &stopped) {
            if (m_status)
                m_status->SetPanelText(TStatusBar::FilesPanel, stopped.message());
        } catch (const std::exception &failure) {
            if (m_status)
                m_status->SetPanelText(TStatusBar::FilesPanel, QString());
            ReportError(ErrorText(failure));
        }
    }
    emit ExportFinished(false);
}
