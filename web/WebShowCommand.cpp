#include "web/WebShowCommand.h"

#include "shell/FileDialogs.h"
#include "shell/Messages.h"
#include "show/SlideshowCommand.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QThread>

TWebShowCommand::TWebShowCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent)
    : QObject(parent), SaveDialog4(new QFileDialog(window)), m_strip(strip), m_status(status)
{
    SaveDialog4->setObjectName(QStringLiteral("SaveDialog4"));
    SaveDialog4->setWindowTitle(tr("Export Web Show"));
    SaveDialog4->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog4->setFileMode(QFileDialog::AnyFile);
    SaveDialog4->setDefaultSuffix(QStringLiteral("html"));
    SaveDialog4->setNameFilter(tr("Web Page (*.html *.htm)"));
}

TWebShowCommand::~TWebShowCommand()
{
    Stop();
}

void TWebShowCommand::ExportWebShow1Click()
{
    if (!m_strip)
        return;
    if (m_strip->SlideCount() == 0) {
        ShowMessage(QStringLiteral("You need to add some slides first!"));
        return;
    }
    if (m_strip->RefuseWhileBusy())
        return;
    if (m_options && !m_options->Execute(m_strip->SlideCount()))
        return;
    QString proposed = DefaultWebShowPath(m_projectPath ? m_projectPath() : QString(), m_lastFolder);
    const QString path = RunFileDialog(SaveDialog4, proposed);
    if (path.isEmpty())
        return;
    WebShowOptions options;
    if (m_options) {
        options.size = QSize(m_options->OutputWidth(), m_options->OutputHeight());
        options.compression = m_options->Compression();
    }
    Export(path, options);
}

void TWebShowCommand::Export(const QString &path, const WebShowOptions &chosen)
{
    if (!m_strip || m_strip->RefuseWhileBusy())
        return;
    m_strip->LayoutSlides();
    const QList<BuildSlide> slides = BuildSlidesOf(m_strip->SlidesInSlideOrder());
    WebShowOptions options = chosen;
    if (m_projectSettings)
        options.backgroundAudio = m_projectSettings->AudioFile();
    m_lastFolder = QFileInfo(path).absolutePath();

    m_strip->BeginWork(TSlideStrip::Work::ExportingWebShow);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_cursorShown = true;
    if (m_status)
        m_status->SetGauge(0);
    m_stopRequested = false;
    m_error = nullptr;
    m_result = {};
    m_thread = QThread::create([this, path, slides, options] {
        try {
            m_result = ::ExportWebShow(
                path, slides, options,
                [this](const BuildProgress &progress) {
                    QMetaObject::invokeMethod(
                        this, [this, progress] { ShowProgress(progress); }, Qt::QueuedConnection);
                },
                &m_stopRequested);
        } catch (...) {
            m_error = std::current_exception();
        }
    });
    m_thread->setObjectName(QStringLiteral("WebShowExport"));
    connect(m_thread, &QThread::finished, this, &TWebShowCommand::ExportEnded);
    m_thread->start();
}

void TWebShowCommand::ShowProgress(const BuildProgress &progress)
{
    if (!m_status || !m_thread)
        return;
    if (!progress.status.isEmpty())
        m_status->SetPanelText(TStatusBar::FilesPanel, progress.status);
    if (progress.gauge >= 0)
        m_status->SetGauge(progress.gauge);
}

void TWebShowCommand::Stop()
{
    if (!m_thread)
        return;
    m_stopRequested = true;
    m_thread->wait();
    ExportEnded();
}

void TWebShowCommand::ExportEnded()
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
    if (m_strip)
        m_strip->EndWork();
    const std::exception_ptr error = m_error;
    m_error = nullptr;
    if (m_status)
        m_status->SetGauge(0);
    if (!error) {
        if (m_status)
            m_status->SetPanelText(TStatusBar::FilesPanel, QStringLiteral("Done!"));
        if (!m_result.audioProblem.isEmpty())
            ShowMessage(m_result.audioProblem + QStringLiteral("\nThe web show was made without sound."));
        emit ExportFinished(true);
        return;
    }
    if (!m_stopRequested) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception &failure) {
            ReportError(ErrorText(failure));
        }
    }
    emit ExportFinished(false);
}
