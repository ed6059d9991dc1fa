#include "app/MainWindow.h"

#include "about/AboutBox.h"
#include "about/HelpPages.h"
#include "about/ProgramIcon.h"
#include "about/VistranoHelp.h"
#include "about/WebLinks.h"
#include "app/ToolbarGlyphs.h"
#include "browser/BookmarkEditor.h"
#include "browser/Bookmarks.h"
#include "browser/FileListView.h"
#include "browser/FolderTree.h"
#include "browser/ImageBrowser.h"
#include "print/SlideSheetPrinting.h"
#include "common/VistranoError.h"
#include "project/DurationFit.h"
#include "project/ProjectState.h"
#include "project/RectBoxProperties.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"
#include "shell/WindowPlacement.h"
#include "show/PlayShowCommand.h"
#include "show/SlideshowCommand.h"
#include "video/AudioInput.h"
#include "video/VideoExportCommand.h"
#include "web/WebShowCommand.h"
#include "slides/ProjSettings.h"
#include "slides/ProjectCommands.h"
#include "slides/RectBox.h"
#include "slides/SlideStrip.h"
#include "slides/Viewer.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QSessionManager>
#include <QSplitter>
#include <QStyle>
#include <QToolButton>
#include <QTreeView>

namespace {

// The window's placement and the browser's layout, kept between runs.
const QString kWindowGeometry = QStringLiteral("WindowGeometry");
const QString kSplitterState = QStringLiteral("SplitterState");
const QString kListColumns = QStringLiteral("ListColumns");
const QString kViewMode = QStringLiteral("ViewMode");
const QString kThumbnailsView = QStringLiteral("Thumbnails");

// The designed size of the main window: the least it opens with.
constexpr QSize kDesignedSize(760, 531);

} // namespace

TfrmVistrano::TfrmVistrano(const QString &bookmarksFile, QWidget *parent)
    : QMainWindow(parent), m_bookmarksFile(bookmarksFile)
{
    setObjectName(QStringLiteral("frmVistrano"));
    setWindowTitle(ProjectWindowTitle(QString(), false));
    setWindowIcon(ProgramIcon());
    CreateControls();
    CreateMenus();
    RestorePlacement();

    connect(STV1, &TFolderTree::FolderChanged, this, &TfrmVistrano::STV1Change);
    connect(LV1, &TFileListView::ColumnClicked, this, &TfrmVistrano::LV1ColumnClick);
    connect(LV1, &TFileListView::Clicked, this, &TfrmVistrano::LV1Click);
    connect(LV1, &TFileListView::DoubleClicked, this, &TfrmVistrano::LV1DblClick);
    // Escape and Delete act wherever the focus is in this window.
    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TfrmVistrano::CommitData);
    FormCreate();
}

TfrmVistrano::~TfrmVistrano()
{
    qApp->removeEventFilter(this);
}

void TfrmVistrano::FormCreate()
{
    // The settings key is m_settingsKey; sorting and thumbnail state start
    // in the image browser; the bookmarks menu is built from the file.
    m_bookmarks = new TBookmarks(Bookmarks1, m_browser, m_bookmarksFile, this);
    m_bookmarks->SetBookmarks();
    // The help hook, with the help pages beside the executable.
    m_help = new TVistranoHelp(this, HelpFolder());
    m_projectCommands = new TProjectCommands(m_strip, this, this);
    m_slideshowCommand = new TSlideshowCommand(m_strip, SB1, this, this);
    m_playShowCommand = new TPlayShowCommand(m_slideshowCommand, this);
    connect(m_projectCommands->State(), &TProjectState::StateChanged, this, &TfrmVistrano::UpdateTitle);
    connect(m_projectCommands, &TProjectCommands::RecentProjectsChanged, this, &TfrmVistrano::FillRecentProjects);
    FillRecentProjects();
    m_videoExportCommand = new TVideoExportCommand(m_strip, SB1, this, this);
    m_videoExportCommand->SetProjectPath([this] { return m_projectCommands->State()->FileName(); });
    m_webShowCommand = new TWebShowCommand(m_strip, SB1, this, this);
    m_webShowCommand->SetProjectPath([this] { return m_projectCommands->State()->FileName(); });
    updateActions();
}

void TfrmVistrano::UpdateTitle()
{
    const TProjectState *state = m_projectCommands->State();
    setWindowTitle(ProjectWindowTitle(state->FileName(), state->IsModified()));
}

void TfrmVistrano::RestorePlacement()
{
    const QByteArray geometry = ReadSettingValue(m_settingsKey, kWindowGeometry).toByteArray();
    if (geometry.isEmpty() || !restoreGeometry(geometry)) {
        // The window manager's title bar and borders are not known before
        // the window is shown; the style's title bar stands in for them.
        const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
        const QScreen *screen = QApplication::primaryScreen();
        setGeometry(InitialWindowRect(screen ? screen->availableGeometry() : QRect(), kDesignedSize,
                                      QMargins(4, titleBar + 4, 4, 4)));
    }
    const QByteArray splitter = ReadSettingValue(m_settingsKey, kSplitterState).toByteArray();
    if (!splitter.isEmpty())
        Splitter1->restoreState(splitter);
    QHeaderView *columns = LV1->ReportView()->header();
    const QVariantList widths = ReadSettingValue(m_settingsKey, kListColumns).toList();
    for (int column = 0; column < std::min<int>(int(widths.size()), columns->count()); ++column) {
        const int width = widths[column].toInt();
        if (width > 0)
            columns->resizeSection(column, width);
    }
    if (ReadSetting(m_settingsKey, kViewMode, QString()) == kThumbnailsView) {
        // The thumbnails are made once the first folder is listed.
        tbDisplayThumbs->setChecked(true);
        humbnails1->setChecked(true);
    }
}

void TfrmVistrano::StorePlacement()
{
    WriteSettingValue(m_settingsKey, kWindowGeometry, saveGeometry());
    WriteSettingValue(m_settingsKey, kSplitterState, Splitter1->saveState());
    QVariantList widths;
    const QHeaderView *columns = LV1->ReportView()->header();
    for (int column = 0; column < columns->count(); ++column)
        widths << columns->sectionSize(column);
    WriteSettingValue(m_settingsKey, kListColumns, widths);
    WriteSetting(m_settingsKey, kViewMode, tbDisplayThumbs->isChecked() ? kThumbnailsView : QStringLiteral("Details"));
}

void TfrmVistrano::CommitData(QSessionManager &manager)
{
    if (m_closed || !manager.allowsInteraction())
        return;
    // The session manager ends the program without closing its window.
    if (m_projectCommands->QueryDiscardChanges())
        StoreSettings();
    else
        manager.cancel();
    manager.release();
}

void TfrmVistrano::SetSlideshowOptions(TfrmCreateVistrano *dialog)
{
    m_slideshowCommand->SetOptionsDialog(dialog);
    m_webShowCommand->SetOptionsDialog(dialog);
}

void TfrmVistrano::SetVideoExportDialog(TfrmExportVideo *dialog)
{
    m_videoExportCommand->SetDialog(dialog);
}

void TfrmVistrano::SetProjectSettings(TfrmProjSettings *dialog)
{
    frmProjSettings = dialog;
    m_strip->SetProjectSettings(dialog);
    m_projectCommands->SetProjectSettings(dialog);
    m_slideshowCommand->SetProjectSettings(dialog);
    m_videoExportCommand->SetProjectSettings(dialog);
    m_webShowCommand->SetProjectSettings(dialog);
    connect(dialog, &TfrmProjSettings::FitDurationsToAudio, this, [this, dialog] {
        RunCommand([&] {
            if (dialog->AudioFile().trimmed().isEmpty())
                throw VistranoError(tr("Choose an audio file first."));
            const double seconds = AudioFileSeconds(dialog->AudioFile());
            const DurationFit fit = m_strip->FitDurations(seconds);
            ShowMessage(DurationFitReport(fit, seconds));
        });
    });
}

void TfrmVistrano::SetSlideProperties(TfrmSlideProperties *dialog)
{
    m_strip->SetSlideProperties(dialog);
}

void TfrmVistrano::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmVistrano::FormShow()
{
    const QString lastFolder = ReadSetting(m_settingsKey, QStringLiteral("LastFolder"), QString());
    if (!lastFolder.isEmpty() && QFileInfo(lastFolder).isDir() && STV1->SelectFolder(lastFolder))
        return;
    // The tree starts at the user's home folder.
    if (STV1->SelectedFolder().isEmpty())
        STV1->SelectFolder(QDir::homePath());
}

void TfrmVistrano::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        if (!m_projectCommands->QueryDiscardChanges()) {
            event->ignore();
            return;
        }
        m_closed = true;
        FormClose();
    }
    event->accept();
    emit Closed();
}

void TfrmVistrano::FormClose()
{
    DestroySlides();
    m_browser->CancelThumbnails();
    StoreSettings();
}

void TfrmVistrano::StoreSettings()
{
    StorePlacement();
    const QString folder = STV1->SelectedFolder();
    WriteSetting(m_settingsKey, QStringLiteral("LastFolder"), QFileInfo(folder).isDir() ? folder : QString());
}

void TfrmVistrano::DestroySlides()
{
    // A build in progress finishes the slide it is on and stops.
    m_slideshowCommand->Stop();
    m_videoExportCommand->Stop();
    m_webShowCommand->Stop();
    m_strip->DestroySlides();
}

bool TfrmVistrano::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (type == QEvent::KeyPress ? FormKeyDown(key) : FormKeyUp(key))
                return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmVistrano::FormKeyDown(QKeyEvent *key)
{
    if (key->key() == Qt::Key_Escape)
        m_browser->CancelThumbnails();
    return false;
}

bool TfrmVistrano::FormKeyUp(QKeyEvent *key)
{
    if (key->key() != Qt::Key_Delete || key->isAutoRepeat())
        return false;
    RunCommand([this] { DeleteCurrentSlide(); });
    // Taken here, so that the release is not seen again on its way to the
    // parents of the focused control.
    return true;
}

TRectBox *TfrmVistrano::CurrentSlide() const
{
    return m_strip->CurrentSlide();
}

QList<const RectBoxProperties *> TfrmVistrano::SlidesInOrder() const
{
    return m_strip->SlidesInSlideOrder();
}

void TfrmVistrano::ClearSlideFocus()
{
    m_strip->ClearSlideFocus();
}

void TfrmVistrano::DeleteCurrentSlide()
{
    m_strip->DeleteCurrentSlide();
}

void TfrmVistrano::updateActions()
{
    SlideProperties->setEnabled(CurrentSlide() != nullptr);
    Project1->setEnabled(true);
}

void TfrmVistrano::ShowPicturePreview(const QString &path, int angle)
{
    frmViewer->ShowPicturePreview(path, angle);
}

// --- The File, Edit and Help commands, carried out by the subsystems that
// own them.

void TfrmVistrano::New1Click()
{
    RunCommand([this] { m_projectCommands->New1Click(); });
}

void TfrmVistrano::Open1Click()
{
    RunCommand([this] { m_projectCommands->Open1Click(); });
}

void TfrmVistrano::Save1Click()
{
    RunCommand([this] { m_projectCommands->Save1Click(); });
}

void TfrmVistrano::Save2Click()
{
    RunCommand([this] { m_projectCommands->Save2Click(); });
}

void TfrmVistrano::Print1Click()
{
    RunCommand([this] { PrintSlideSheet(this, SB1, SlidesInOrder()); });
}

void TfrmVistrano::CreateSlideshow1Click()
{
    RunCommand([this] { m_slideshowCommand->CreateSlideshow1Click(); });
}

void TfrmVistrano::PlayShow1Click()
{
    RunCommand([this] { m_playShowCommand->PlayShow1Click(); });
}

void TfrmVistrano::ExportVideo1Click()
{
    RunCommand([this] { m_videoExportCommand->ExportVideo1Click(); });
}

void TfrmVistrano::ExportWebShow1Click()
{
    RunCommand([this] { m_webShowCommand->ExportWebShow1Click(); });
}

void TfrmVistrano::Project1Click()
{
    if (frmProjSettings)
        frmProjSettings->Execute();
}

void TfrmVistrano::SlidePropertiesClick()
{
    RunCommand([this] { m_strip->EditSlideProperties(CurrentSlide()); });
}

void TfrmVistrano::HelpContents1Click()
{
    m_help->HelpContents();
}

void TfrmVistrano::HelpOverview1Click()
{
    m_help->HelpContext(kOverviewHelpContext);
}

void TfrmVistrano::Visitusontheweb1Click()
{
    OpenMakerWebSite();
}

void TfrmVistrano::About1Click()
{
    ShowAboutBox(this);
}

void TfrmVistrano::tbRotateCCWClick()
{
    // The sender's name (tbRotateCCW or tbRotateCW) gives the direction.
    const QString senderName = sender() ? sender()->objectName() : QString();
    RunCommand([this, &senderName] { m_strip->tbRotateCCWClick(senderName); });
}

// The list shows picture files only; showing all files is not offered.
void TfrmVistrano::ViewAllFiles1Click() {}

// --- Commands of this window and of the image browser.

void TfrmVistrano::Exit1Click()
{
    close();
}

void TfrmVistrano::Edit1Click()
{
    updateActions();
}

void TfrmVistrano::AddBookmark1Click()
{
    RunCommand([this] { m_bookmarks->AddBookmark(); });
}

void TfrmVistrano::EditBookmarks1Click()
{
    if (fBMEdit)
        RunCommand([this] { m_bookmarks->EditBookmarks(fBMEdit); });
}

void TfrmVistrano::GoToBookmark(QAction *item)
{
    const QString bookmark = TBookmarks::BookmarkOf(item);
    if (!bookmark.isEmpty())
        RunCommand([this, &bookmark] { m_bookmarks->GoToBookmark(bookmark); });
}

void TfrmVistrano::Details1Click()
{
    tbDisplayDetails->setChecked(true);
    tbDisplayDetailsClick();
}

void TfrmVistrano::humbnails1Click()
{
    tbDisplayThumbs->setChecked(true);
    tbDisplayThumbsClick();
}

void TfrmVistrano::tbDisplayDetailsClick()
{
    Details1->setChecked(true);
    m_browser->ShowDetails();
}

void TfrmVistrano::tbDisplayThumbsClick()
{
    humbnails1->setChecked(true);
    RunCommand([this] { m_browser->ShowThumbnails(); });
}

void TfrmVistrano::STV1Change()
{
    try {
        if (m_browser->FolderChanged() && tbDisplayThumbs->isChecked())
            tbDisplayThumbsClick();
    } catch (...) {
        // A failed folder change leaves the list as far as it got.
    }
}

void TfrmVistrano::LV1ColumnClick(int column)
{
    m_browser->ColumnClicked(column);
}

void TfrmVistrano::LV1Click()
{
    if (CurrentSlide())
        ClearSlideFocus();
}

void TfrmVistrano::LV1DblClick()
{
    const QString path = m_browser->PathToPreview();
    if (!path.isEmpty())
        RunCommand([this, &path] { frmViewer->ShowFilePreview(path); });
}
