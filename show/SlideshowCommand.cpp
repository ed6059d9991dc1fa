#include "show/SlideshowCommand.h"

#include "common/VistranoError.h"
#include "project/RectBoxProperties.h"
#include "shell/FileDialogs.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"
#include "show/CreateVistrano.h"
#include "slides/ProjSettings.h"
#include "slides/SlideStrip.h"

#include <QDir>
#include <QFileDialog>

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
      m_lastName(QStringLiteral("MyShow1.exe")), m_work(strip, status)
{
    connect(&m_work, &TStripWorkThread::Ended, this, &TSlideshowCommand::BuildEnded);
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

    m_work.Start(TSlideStrip::Work::BuildingShow, QStringLiteral("SlideshowBuild"),
                 [this, build = m_build, path, slides, options](const std::atomic<bool> &stopRequested) {
                     build(path, slides, options, [this, &stopRequested](const BuildProgress &progress) {
                         if (stopRequested)
                             throw BuildStopped();
                         m_work.ReportProgress(progress);
                     });
                 });
}

void TSlideshowCommand::Stop()
{
    m_work.Stop();
}

void TSlideshowCommand::BuildEnded(const std::exception_ptr &error)
{
    if (!error) {
        emit BuildFinished(true);
        return;
    }
    m_work.ReportFailure(error);
    emit BuildFinished(false);
}
