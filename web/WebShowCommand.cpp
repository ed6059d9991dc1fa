#include "web/WebShowCommand.h"

#include "shell/FileDialogs.h"
#include "shell/Messages.h"
#include "show/SlideshowCommand.h"

#include <QFileDialog>
#include <QFileInfo>

TWebShowCommand::TWebShowCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent)
    : QObject(parent), SaveDialog4(new QFileDialog(window)), m_strip(strip), m_status(status), m_work(strip, status)
{
    connect(&m_work, &TStripWorkThread::Ended, this, &TWebShowCommand::ExportEnded);
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

    m_result = {};
    m_work.Start(TSlideStrip::Work::ExportingWebShow, QStringLiteral("WebShowExport"),
                 [this, path, slides, options](const std::atomic<bool> &stopRequested) {
                     m_result = ::ExportWebShow(
                         path, slides, options,
                         [this](const BuildProgress &progress) { m_work.ReportProgress(progress); },
                         &stopRequested);
                 });
}

void TWebShowCommand::Stop()
{
    m_work.Stop();
}

void TWebShowCommand::ExportEnded(const std::exception_ptr &error)
{
    if (!error) {
        if (m_status)
            m_status->SetPanelText(TStatusBar::FilesPanel, QStringLiteral("Done!"));
        if (!m_result.audioProblem.isEmpty())
            ShowMessage(m_result.audioProblem + QStringLiteral("\nThe web show was made without sound."));
        emit ExportFinished(true);
        return;
    }
    m_work.ReportFailure(error);
    emit ExportFinished(false);
}
