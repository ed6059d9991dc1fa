#include "video/VideoExportCommand.h"

#include "shell/Messages.h"
#include "show/SlideshowCommand.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QThread>

TVideoExportCommand::TVideoExportCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent)
    : QObject(parent), btnCancelExport(new QPushButton(tr("Cancel"), window)), m_strip(strip), m_status(status)
{
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

    m_strip->BeginWork(TSlideStrip::Work::ExportingVideo);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_cursorShown = true;
    if (m_status)
        m_status->SetGauge(0);
    btnCancelExport->show();
    m_stopRequested = false;
    m_quiet = false;
    m_error = nullptr;
    m_result = {};
    m_thread = QThread::create([this, path, slides, options] {
        try {
            m_result = ::ExportVideo(
                path, slides, options,
                [this](const VideoProgress &progress) {
                    QMetaObject::invokeMethod(
                        this, [this, progress] { ShowProgress(progress); }, Qt::QueuedConnection);
                },
                &m_stopRequested);
        } catch (...) {
            m_error = std::current_exception();
        }
    });
    m_thread->setObjectName(QStringLiteral("VideoExport"));
    connect(m_thread, &QThread::finished, this, &TVideoExportCommand::ExportEnded);
    m_thread->start();
}

void TVideoExportCommand::ShowProgress(const VideoProgress &progress)
{
    if (!m_status || !m_thread)
        return;
    m_status->SetPanelText(TStatusBar::FilesPanel, progress.status);
    m_status->SetGauge(progress.gauge);
}

void TVideoExportCommand::Cancel()
{
    if (m_thread)
        m_stopRequested = true;
}

void TVideoExportCommand::Stop()
{
    if (!m_thread)
        return;
    m_quiet = true;
    m_stopRequested = true;
    m_thread->wait();
    ExportEnded();
}

void TVideoExportCommand::ExportEnded()
{
    if (!m_thread)
        return;
    QThread *thread = m_thread;
    m_thread = nullptr;
    thread->wait();
    thread->deleteLater();
    if (m_cursorShown) {
        QApplication::restoreOverrideCursor();
        m_cursorShown = false;
    }
    btnCancelExport->hide();
    if (m_strip)
        m_strip->EndWork();
    const std::exception_ptr error = m_error;
    m_error = nullptr;
    if (m_status)
        m_status->SetGauge(0);
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
