#pragma once

#include "shell/StatusBar.h"
#include "show/CreateVistrano.h"
#include "show/SlideshowBuild.h"
#include "show/StripWorkThread.h"
#include "slides/ProjSettings.h"
#include "slides/SlideStrip.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <exception>
#include <functional>
#include <memory>

class QFileDialog;
class QWidget;
class RectBoxProperties;

// What each slide contributes to a show, taken from the slides in the order
// given.
QList<BuildSlide> BuildSlidesOf(const QList<const RectBoxProperties *> &slides);

// The File menu's "Create Slideshow": the options dialog, SaveDialog2, then
// the build. The build renders and encodes on a worker thread from a copy of
// the slides' values, so the window stays usable; its progress reaches
// status panel 0 and the gauge on the window's thread, in the order the
// build reports it. While it runs the strip refuses the commands that would
// change it.
class TSlideshowCommand : public QObject
{
    Q_OBJECT

public:
    TSlideshowCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent = nullptr);
    // Stops a running build at its next slide and waits for it.
    ~TSlideshowCommand() override;

    // What the build's thread runs: BuildSlideshow, unless another is put
    // in (a test holds the build at a known point with one).
    using BuildFunction = std::function<void(const QString &outputPath, const QList<BuildSlide> &slides,
                                             const BuildOptions &options, const BuildProgressCallback &progress)>;
    void SetBuildFunction(BuildFunction build) { m_build = std::move(build); }

    void SetOptionsDialog(TfrmCreateVistrano *dialog) { m_options = dialog; }
    void SetProjectSettings(TfrmProjSettings *dialog) { m_projectSettings = dialog; }

    void CreateSlideshow1Click();
    // Whether a show can be built now: there are slides ("You need to add
    // some slides first!") and the strip is not busy (its message).
    bool MayBuild() const;
    // Lays the strip out and starts building the show at path from its
    // slides in slide order.
    void Build(const QString &path);

    bool Running() const { return m_work.Running(); }
    // Stops a running build after the slide it is working on and waits for
    // it; the output file stays as it was before the build, and nothing is
    // reported.
    void Stop();

    QFileDialog *SaveDialog2;

signals:
    // The build has ended; false when it failed or was stopped.
    void BuildFinished(bool succeeded);

private:
    void BuildEnded(const std::exception_ptr &error);

    QPointer<TSlideStrip> m_strip;
    QPointer<TStatusBar> m_status;
    QPointer<TfrmCreateVistrano> m_options;
    QPointer<TfrmProjSettings> m_projectSettings;
    QString m_lastName;

    BuildFunction m_build = [](const QString &outputPath, const QList<BuildSlide> &slides, const BuildOptions &options,
                               const BuildProgressCallback &progress) {
        BuildSlideshow(outputPath, slides, options, progress);
    };
    TStripWorkThread m_work;
};
