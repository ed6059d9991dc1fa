#include "app/Application.h"
#include "app/MainWindow.h"
#include "browser/BookmarkEditor.h"
#include "browser/BookmarksFile.h"
#include "imaging/FormatRegistration.h"
#include "show/CreateVistrano.h"
#include "show/StartupHook.h"
#include "slides/ProjSettings.h"
#include "slides/SlideProperties.h"
#include "slides/Viewer.h"
#include "video/ExportVideoDialog.h"

#include <QTimer>

int main(int argc, char *argv[])
{
    TVistranoApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vistrano"));
    QApplication::setOrganizationName(QStringLiteral("Halvenor"));
    // The main window's closing ends the program, also while the preview
    // window is open.
    QApplication::setQuitOnLastWindowClosed(false);

    // The picture formats are registered before any window exists and
    // withdrawn when the loop has ended.
    const TFileFormatRegistration formats;
    // The slideshow package's start-up hook: a program started to replace or
    // to clean up after a copy of itself ends here.
    if (RunStartupHook())
        return 0;

    // The windows, in this order, live until the program ends.
    TfrmVistrano frmVistrano(BookmarksFilePath());
    TfrmViewer frmViewer;
    frmVistrano.SetViewer(&frmViewer);
    // The slideshow options, project settings and slide properties dialogs,
    // in this order: the slide properties take the transition names from
    // the project settings.
    auto *frmCreateVistrano = new TfrmCreateVistrano(&frmVistrano);
    frmVistrano.SetSlideshowOptions(frmCreateVistrano);
    auto *frmExportVideo = new TfrmExportVideo(&frmVistrano);
    frmVistrano.SetVideoExportDialog(frmExportVideo);
    auto *frmProjSettings = new TfrmProjSettings(&frmVistrano);
    frmVistrano.SetProjectSettings(frmProjSettings);
    auto *frmSlideProperties = new TfrmSlideProperties(frmProjSettings, &frmVistrano);
    frmVistrano.SetSlideProperties(frmSlideProperties);
    auto *fBMEdit = new TfBMEdit(BookmarksFilePath(), &frmVistrano);
    frmVistrano.SetBookmarkEditor(fBMEdit);

    QObject::connect(&frmVistrano, &TfrmVistrano::Closed, &app, &QApplication::quit);
    frmVistrano.show();
    // The start-up benchmark times a run that ends once the window is up.
    if (qEnvironmentVariableIsSet("VISTRANO_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &frmVistrano, &TfrmVistrano::close);
    return app.exec();
}
