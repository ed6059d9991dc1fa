#include "app/MainWindow.h"

#include "app/Messages.h"
#include "app/StatusBar.h"
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
#include "project/RectBoxProperties.h"
#include "slides/Viewer.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>

TfrmVistrano::TfrmVistrano(const QString &bookmarksFile, QWidget *parent)
    : QMainWindow(parent), m_bookmarksFile(bookmarksFile)
{
    setObjectName(QStringLiteral("frmVistrano"));
    setWindowTitle(tr("Vistrano by Halvenor Software"));
    setWindowIcon(ProgramIcon());
    CreateControls();
    CreateMenus();
    resize(760, 531);
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }

    connect(STV1, &TFolderTree::FolderChanged, this, &TfrmVistrano::STV1Change);
    connect(LV1, &TFileListView::ColumnClicked, this, &TfrmVistrano::LV1ColumnClick);
    connect(LV1, &TFileListView::Clicked, this, &TfrmVistrano::LV1Click);
    connect(LV1, &TFileListView::DoubleClicked, this, &TfrmVistrano::LV1DblClick);
    // Escape and Delete act wherever the focus is in this window.
    qApp->installEventFilter(this);
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
    updateActions();
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
    const QString folder = STV1->SelectedFolder();
    WriteSetting(m_settingsKey, QStringLiteral("LastFolder"), QFileInfo(folder).isDir() ? folder : QString());
}

void TfrmVistrano::DestroySlides()
{
    QWidget *strip = ScrollBox1->widget();
    if (!strip)
        return;
    const QList<QWidget *> slides = strip->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (auto it = slides.rbegin(); it != slides.rend(); ++it)
        delete *it;
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

QWidget *TfrmVistrano::CurrentSlide() const
{
    // The slide strip's boxes come with the strip; until then there are none.
    return nullptr;
}

QList<const RectBoxProperties *> TfrmVistrano::SlidesInOrder() const
{
    QList<const RectBoxProperties *> slides;
    if (QWidget *strip = ScrollBox1->widget()) {
        for (QObject *child : strip->children()) {
            if (const auto *slide = dynamic_cast<const RectBoxProperties *>(child))
                slides.append(slide);
        }
    }
    std::stable_sort(slides.begin(), slides.end(),
                     [](const RectBoxProperties *a, const RectBoxProperties *b) { return a->Left() < b->Left(); });
    return slides;
}

void TfrmVistrano::ClearSlideFocus()
{
    // Slide boxes come with the slide strip.
}

void TfrmVistrano::DeleteCurrentSlide()
{
    // Deleting the current slide comes with the slide strip.
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

// --- Handlers whose commands come with the slide strip, projects, the
// slideshow build, printing and help. Their menu entries and buttons are
// in place; each subsystem fills its handler.

void TfrmVistrano::New1Click() {}
void TfrmVistrano::Open1Click() {}
void TfrmVistrano::Save1Click() {}
void TfrmVistrano::Save2Click() {}
void TfrmVistrano::Print1Click()
{
    RunCommand([this] { PrintSlideSheet(this, SB1, SlidesInOrder()); });
}

void TfrmVistrano::CreateSlideshow1Click() {}
void TfrmVistrano::Project1Click() {}
void TfrmVistrano::SlidePropertiesClick() {}
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
    // The strip turns the current slide; the sender's name (tbRotateCCW or
    // tbRotateCW) gives the direction.
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
        RunCommand([this, &path] { ShowPicturePreview(path, 0); });
}
