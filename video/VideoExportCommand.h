#pragma once

#include "shell/StatusBar.h"
#include "slides/ProjSettings.h"
#include "show/StripWorkThread.h"
#include "slides/SlideStrip.h"
#include "video/ExportVideoDialog.h"
#include "video/VideoExport.h"

#include <QObject>
#include <QPointer>

#include <exception>
#include <functional>

class QPushButton;
class QWidget;

// The File menu's "Export Video...": the export dialog, then the export of
// the strip's slides in slide order on a worker thread, so that the window
// stays usable. Its progress shows in status panel 0 and the gauge; a
// "Cancel" button beside the gauge stops it before its next frame, and the
// partial file goes. While it runs the strip refuses the commands that would
// change it.
class TVideoExportCommand : public QObject
{
    Q_OBJECT

public:
    TVideoExportCommand(TSlideStrip *strip, TStatusBar *status, QWidget *window, QObject *parent = nullptr);
    // Stops a running export and waits for it.
    ~TVideoExportCommand() override;

    void SetDialog(TfrmExportVideo *dialog) { m_dialog = dialog; }
    void SetProjectSettings(TfrmProjSettings *dialog) { m_projectSettings = dialog; }
    // Where the project was last opened or saved, for the proposed name.
    void SetProjectPath(std::function<QString()> projectPath) { m_projectPath = std::move(projectPath); }

    void ExportVideo1Click();
    // Lays the strip out and starts exporting its slides to path.
    void Export(const QString &path, const VideoOptions &options);

    bool Running() const { return m_work.Running(); }
    // Asks a running export to stop before its next frame; it then reports
    // that it was cancelled.
    void Cancel();
    // Stops a running export and waits for it; nothing is reported.
    void Stop();

    QPushButton *btnCancelExport;

signals:
    // The export has ended; false when it failed or was cancelled.
    void ExportFinished(bool succeeded);

private:
    void ExportEnded(const std::exception_ptr &error);

    QPointer<TSlideStrip> m_strip;
    QPointer<TStatusBar> m_status;
    QPointer<TfrmExportVideo> m_dialog;
    QPointer<TfrmProjSettings> m_projectSettings;
    std::function<QString()> m_projectPath;
    QString m_lastFolder; // where the last video went

    bool m_quiet = false; // stopped by Stop(): nothing is reported
    VideoExportResult m_result;
    TStripWorkThread m_work;
};
