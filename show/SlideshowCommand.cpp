#include "show/SlideshowCommand.h"

#include "common/VistranoError.h"
#include "project/RectBoxProperties.h"
#include "shell/FileDialogs.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"
#include "show/CreateVistrano.h"
#include "slides/ProjSettings.h"
#include "slides/SlideStrip.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QThread>

namespace {

// Thrown into the build from its progress report when it is to stop.
class BuildStopped : public VistranoError
{
public:
    BuildStopped() : VistranoError(QStringLiteral("The slideshow build was stopped.")) {}
};

} // namespace

QList<BuildSlide> BuildSlidesOf(const QList<const RectBoxProperties *> &slides)
{
    QList<BuildSlide> build;
    build.reserve(slides.size());
    for (const RectBoxProperties *slide : slides)
        build.append(BuildSlideOf(*slide));
    return build;
}

TSlideshowCommand::TSlideshowCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent)
    : QObject(parent), SaveDialog2(new QFileDialog(window)), m_strip(strip), m_status(status),
      m_lastName(QStringLiteral("MyShow1.exe"))
{
    SaveDialog2->setObjectName(QStringLiteral("SaveDialog2"));
    SaveDialog2->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog2->setFileMode(QFileDialog::AnyFile);
    SaveDialog2->setDefaultSuffix(QStringLiteral("exe"));
    SaveDialog2->setNameFilter(tr("Vistrano Slideshow File (*.exe)"));
    SaveDialog2->setDirectory(QDir::homePath());
    SaveDialog2->selectFile(m_lastName);
}

TSlideshowCommand::~TSlideshowCommand()
{
    Stop();
}

bool TSlideshowCommand::MayBuild() const
{
    if (!m_strip)
        return false;
    if (m_strip->SlideCount() == 0) {
        ShowMessage(QStringLiteral("You need to add some slides first!"));
        return false;
    }
    return !m_strip->RefuseWhileBusy();
}

void TSlideshowCommand::CreateSlideshow1Click()
{
    if (!MayBuild())
        return;
    if (m_options && !m_options->Execute(m_strip->SlideCount()))
        return;
    const QString path = RunFileDialog(SaveDialog2, m_lastName, QLatin1String(kShowFolderSetting));
    if (path.isEmpty())
        return;
    Build(path);
}

void TSlideshowCommand::Build(const QString &path)
{
    if (!m_strip || m_strip->RefuseWhileBusy())
        return;
    m_strip->LayoutSlides();
    const QList<BuildSlide> slides = BuildSlidesOf(m_strip->SlidesInSlideOrder());
    BuildOptions options;
    if (m_options) {
        options.OutputWidth = m_options->OutputWidth();
        options.OutputHeight = m_options->OutputHeight();
        options.Compression = m_options->Compression();
    }
    if (m_projectSettings)
        options.BackgroundAudio = m_projectSettings->AudioFile();
    options.TemplatePath = DefaultTemplatePath();

    m_strip->BeginWork(TSlideStrip::Work::BuildingShow);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_cursorShown = true;
    if (m_status)
        m_status->SetGauge(0);
    m_stopRequested = false;
    m_error = nullptr;
    m_thread = QThread::create([this, build = m_build, path, slides, options] {
        try {
            build(path, slides, options, [this](const BuildProgress &progress) {
                if (m_stopRequested)
                    throw BuildStopped();
                QMetaObject::invokeMethod(
                    this, [this, progress] { ShowProgress(progress); }, Qt::QueuedConnection);
            });
        } catch (...) {
            m_error = std::current_exception();
        }
    });
    m_thread->setObjectName(QStringLiteral("SlideshowBuild"));
    connect(m_thread, &QThread::finished, this, &TSlideshowCommand::BuildEnded);
    m_thread->start();
}

void TSlideshowCommand::ShowProgress(const BuildProgress &progress)
{
    if (!m_status)
        return;
    if (!progress.status.isEmpty())
        m_status->SetPanelText(TStatusBar::FilesPanel, progress.status);
    if (progress.gauge >= 0)
        m_status->SetGauge(progress.gauge);
}

void TSlideshowCommand::Stop()
{
    if (!m_thread)
        return;
    m_stopRequested = true;
    m_thread->wait();
    // The progress already on its way is of no use now.
    BuildEnded();
}

void TSlideshowCommand::BuildEnded()
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
    if (!error) {
        emit BuildFinished(true);
        return;
    }
    if (m_status)
        m_status->SetGauge(0);
    if (!m_stopRequested) {
        try {
            std::rethrow_exception(error);
        } catch (const std::exception &failure) {
            ReportError(ErrorText(failure));
        }
    }
    emit BuildFinished(false);
}
