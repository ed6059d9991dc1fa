#pragma once

#include "shell/Settings.h"

#include <QMainWindow>

class QSessionManager;
class TPlayShowCommand;
class QAction;
class QActionGroup;
class QButtonGroup;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QScrollArea;
class QSplitter;
class QToolBar;
class QToolButton;
class RectBoxProperties;
class TBookmarks;
class TProjectCommands;
class TRectBox;
class TSlideStrip;
class TSlideshowCommand;
class TVideoExportCommand;
class TWebShowCommand;
class TfrmExportVideo;
class TfrmCreateVistrano;
class TfrmProjSettings;
class TfrmSlideProperties;
class TFileListView;
class TFolderTree;
class TImageBrowser;
class TVistranoHelp;
class TStatusBar;
class TfBMEdit;
class TfrmViewer;

// The main window frmVistrano: the folder tree and the file list above, the
// slide strip with its toolbar below, the main menu and the status bar.
// Commands live in the subsystem that owns them; the handlers here pass
// them on.
class TfrmVistrano : public QMainWindow
{
    Q_OBJECT

public:
    explicit TfrmVistrano(const QString &bookmarksFile, QWidget *parent = nullptr);
    ~TfrmVistrano() override;

    // The windows created after this one at start-up.
    void SetViewer(TfrmViewer *viewer) { frmViewer = viewer; }
    void SetBookmarkEditor(TfBMEdit *editor) { fBMEdit = editor; }
    void SetSlideshowOptions(TfrmCreateVistrano *dialog);
    void SetVideoExportDialog(TfrmExportVideo *dialog);
    void SetProjectSettings(TfrmProjSettings *dialog);
    void SetSlideProperties(TfrmSlideProperties *dialog);

    TImageBrowser *Browser() const { return m_browser; }
    TBookmarks *Bookmarks() const { return m_bookmarks; }
    TStatusBar *StatusBar() const { return SB1; }
    QScrollArea *SlideStrip() const { return ScrollBox1; }
    // The slides and their commands; SlidesInSlideOrder() gives the slides
    // as saving, building and printing take them.
    TSlideStrip *Strip() const { return m_strip; }
    TProjectCommands *ProjectCommands() const { return m_projectCommands; }
    TSlideshowCommand *SlideshowCommand() const { return m_slideshowCommand; }
    TPlayShowCommand *PlayShowCommand() const { return m_playShowCommand; }
    TVideoExportCommand *VideoExportCommand() const { return m_videoExportCommand; }
    TWebShowCommand *WebShowCommand() const { return m_webShowCommand; }

    // The current slide: the focused slide box of the strip, or none.
    TRectBox *CurrentSlide() const;
    // The slides in slide order (ascending Left), as saving, building and
    // printing take them.
    QList<const RectBoxProperties *> SlidesInOrder() const;
    // Unfocuses every slide box, so that there is no current slide.
    void ClearSlideFocus();

    // Loads the picture file whole, turns it by the angle (degrees
    // clockwise) and shows it in the preview window. Errors propagate.
    void ShowPicturePreview(const QString &path, int angle);

    // Every enable rule of the menus and buttons.
    void updateActions();

signals:
    // The window was closed; the program ends.
    void Closed();

public slots:
    // File
    void New1Click();
    void Open1Click();
    void Save1Click();
    void Save2Click();
    void Print1Click();
    void CreateSlideshow1Click();
    void PlayShow1Click();
    void ExportVideo1Click();
    void ExportWebShow1Click();
    void Exit1Click();
    // Edit
    void Edit1Click();
    void Project1Click();
    void SlidePropertiesClick();
    // Bookmarks
    void AddBookmark1Click();
    void EditBookmarks1Click();
    void GoToBookmark(QAction *item);
    // View
    void ViewAllFiles1Click();
    void Details1Click();
    void humbnails1Click();
    // Help
    void HelpContents1Click();
    void HelpOverview1Click();
    void Visitusontheweb1Click();
    void About1Click();
    // Toolbar
    void tbDisplayDetailsClick();
    void tbDisplayThumbsClick();
    void tbRotateCCWClick();
    // Folder tree and file list
    void STV1Change();
    void LV1ColumnClick(int column);
    void LV1Click();
    void LV1DblClick();

protected:
    void showEvent(QShowEvent *event) override;
    // Closing by any way (Exit, the close box, the window manager) asks
    // first when the project has unsaved changes; Cancel keeps it open.
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateMenus();
    void CreateToolbar();
    void FormCreate();
    void FormShow();
    void FormClose();
    bool FormKeyDown(QKeyEvent *key);
    bool FormKeyUp(QKeyEvent *key);
    void DeleteCurrentSlide();
    void DestroySlides();
    void UpdateTitle();
    void FillRecentProjects();
    void RestorePlacement();
    void StorePlacement();
    void StoreSettings();
    // The desktop session ends (logout): unsaved changes are asked about,
    // and Cancel keeps the session.
    void CommitData(QSessionManager &manager);

    SettingsKey m_settingsKey;
    QString m_bookmarksFile;
    bool m_shown = false;
    bool m_closed = false;

    // Panels and controls.
    QWidget *pnlLeft = nullptr;
    QSplitter *Splitter1 = nullptr;
    QWidget *pnlRight = nullptr;
    QWidget *pnlBottom = nullptr;
    QToolBar *ToolBar1 = nullptr;
    QWidget *pnlBottomMain = nullptr;
    QScrollArea *ScrollBox1 = nullptr;
    TStatusBar *SB1 = nullptr;
    TFolderTree *STV1 = nullptr;
    TFileListView *LV1 = nullptr;

    // Toolbar.
    QWidget *ToolButton2 = nullptr;
    QToolButton *tbDisplayDetails = nullptr;
    QToolButton *tbDisplayThumbs = nullptr;
    QButtonGroup *m_viewButtons = nullptr;
    QWidget *ToolButton3 = nullptr;
    QToolButton *tbRotateCCW = nullptr;
    QToolButton *tbRotateCW = nullptr;

    // Main menu.
    QMenuBar *MainMenu1 = nullptr;
    QMenu *File1 = nullptr;
    QAction *New1 = nullptr;
    QAction *Open1 = nullptr;
    QMenu *RecentProjects1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *Save2 = nullptr;
    QAction *Print1 = nullptr;
    QAction *CreateSlideshow1 = nullptr;
    QAction *PlayShow1 = nullptr;
    QAction *ExportVideo1 = nullptr;
    QAction *ExportWebShow1 = nullptr;
    QAction *Exit1 = nullptr;
    QMenu *Edit1 = nullptr;
    QAction *Project1 = nullptr;
    QAction *SlideProperties = nullptr;
    QMenu *Bookmarks1 = nullptr;
    QAction *AddBookmark1 = nullptr;
    QAction *EditBookmarks1 = nullptr;
    QMenu *View1 = nullptr;
    QAction *ViewAllFiles1 = nullptr;
    QActionGroup *m_viewItems = nullptr;
    QAction *Details1 = nullptr;
    QAction *humbnails1 = nullptr;
    QMenu *Help1 = nullptr;
    QAction *HelpContents1 = nullptr;
    QAction *HelpOverview1 = nullptr;
    QAction *Visitusontheweb1 = nullptr;
    QAction *About1 = nullptr;

    // Other windows and the subsystems behind the controls.
    TfrmViewer *frmViewer = nullptr;
    TfBMEdit *fBMEdit = nullptr;
    TImageBrowser *m_browser = nullptr;
    TBookmarks *m_bookmarks = nullptr;
    TVistranoHelp *m_help = nullptr;
    TSlideStrip *m_strip = nullptr;
    TProjectCommands *m_projectCommands = nullptr;
    TSlideshowCommand *m_slideshowCommand = nullptr;
    TPlayShowCommand *m_playShowCommand = nullptr;
    TVideoExportCommand *m_videoExportCommand = nullptr;
    TWebShowCommand *m_webShowCommand = nullptr;
    TfrmProjSettings *frmProjSettings = nullptr;
};
