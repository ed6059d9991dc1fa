#pragma once

#include "shell/StatusBar.h"
#include "show/CreateVistrano.h"
#include "slides/ProjSettings.h"
#include "show/StripWorkThread.h"
#include "slides/SlideStrip.h"
#include "web/WebShowExport.h"

#include <QObject>
#include <QPointer>

#include <exception>
#include <functional>

class QFileDialog;
class QWidget;

// The File menu's "Export Web Show...": the build's options dialog (screen
// size and compression), the save dialog SaveDialog4 proposing the
// project's name with ".html", then the export of the strip's slides in slide
// order on a worker thread, so that the window stays usable. Its progress
// shows in status panel 0 and the gauge as the build's does; while it runs
// the strip refuses the commands that would change it.
class TWebShowCommand : public QObject
{
    Q_OBJECT

public:
    TWebShowCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent = nullptr);
    // Stops a running export and waits for it.
    ~TWebShowCommand() override;

    void SetOptionsDialog(TfrmCreateVistrano *dialog) { m_options = dialog; }
    void SetProjectSettings(TfrmProjSettings *dialog) { m_projectSettings = dialog; }
    // Where the project was last opened or saved, for the proposed name.
    void SetProjectPath(std::function<QString()> projectPath) { m_projectPath = std::move(projectPath); }

    void ExportWebShow1Click();
    // Lays the strip out and starts exporting its slides to path.
    void Export(const QString &path, const WebShowOptions &options);

    bool Running() const { return m_work.Running(); }
    // Stops a running export before its next slide and waits for it; the
    // partial file goes and nothing is reported.
    void Stop();

    QFileDialog *SaveDialog4;

signals:
    // The export has ended; false when it failed or was stopped.
    void ExportFinished(bool succeeded);

private:
    void ExportEnded(const std::exception_ptr &error);

    QPointer<TSlideStrip> m_strip;
    QPointer<TStatusBar> m_status;
    QPointer<TfrmCreateVistrano> m_options;
    QPointer<TfrmProjSettings> m_projectSettings;
    std::function<QString()> m_projectPath;
    QString m_lastFolder; // where the last web show went

    WebShowResult m_result;
    TStripWorkThread m_work;
};
