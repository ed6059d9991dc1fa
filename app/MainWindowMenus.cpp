// The main menu MainMenu1.

#include "app/MainWindow.h"

#include "shell/Messages.h"
#include "slides/ProjectCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

void TfrmVistrano::CreateMenus()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    auto menu = [this](const char *name, const QString &caption) {
        QMenu *m = MainMenu1->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [this](QMenu *m, const char *name, const QString &caption, void (TfrmVistrano::*handler)()) {
        QAction *action = m->addAction(caption);
        action->setObjectName(QLatin1String(name));
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    int separators = 0;
    auto separator = [&separators](QMenu *m) {
        m->addSeparator()->setObjectName(QStringLiteral("N%1").arg(++separators));
    };

    File1 = menu("File1", tr("File"));
    New1 = item(File1, "New1", tr("New"), &TfrmVistrano::New1Click);
    Open1 = item(File1, "Open1", tr("Open"), &TfrmVistrano::Open1Click);
    RecentProjects1 = File1->addMenu(tr("Recent Projects"));
    RecentProjects1->setObjectName(QStringLiteral("RecentProjects1"));
    Save1 = item(File1, "Save1", tr("Save"), &TfrmVistrano::Save1Click);
    Save2 = item(File1, "Save2", tr("Save As..."), &TfrmVistrano::Save2Click);
    Print1 = item(File1, "Print1", tr("Print"), &TfrmVistrano::Print1Click);
    separator(File1);
    CreateSlideshow1 = item(File1, "CreateSlideshow1", tr("Create Slideshow"), &TfrmVistrano::CreateSlideshow1Click);
    PlayShow1 = item(File1, "PlayShow1", tr("Play Show"), &TfrmVistrano::PlayShow1Click);
    ExportVideo1 = item(File1, "ExportVideo1", tr("Export Video..."), &TfrmVistrano::ExportVideo1Click);
    ExportWebShow1 =
        item(File1, "ExportWebShow1", tr("Export Web Show..."), &TfrmVistrano::ExportWebShow1Click);
    separator(File1);
    Exit1 = item(File1, "Exit1", tr("Exit"), &TfrmVistrano::Exit1Click);

    Edit1 = menu("Edit1", tr("Edit"));
    connect(Edit1, &QMenu::aboutToShow, this, &TfrmVistrano::Edit1Click);
    Project1 = item(Edit1, "Project1", tr("Project Settings"), &TfrmVistrano::Project1Click);
    SlideProperties = item(Edit1, "SlideProperties", tr("Slide Properties"), &TfrmVistrano::SlidePropertiesClick);

    Bookmarks1 = menu("Bookmarks1", tr("Bookmarks"));
    AddBookmark1 = item(Bookmarks1, "AddBookmark1", tr("Add Bookmark"), &TfrmVistrano::AddBookmark1Click);
    EditBookmarks1 = item(Bookmarks1, "EditBookmarks1", tr("Edit Bookmarks"), &TfrmVistrano::EditBookmarks1Click);
    separator(Bookmarks1);
    connect(Bookmarks1, &QMenu::triggered, this, &TfrmVistrano::GoToBookmark);

    View1 = menu("View1", tr("View"));
    ViewAllFiles1 = item(View1, "ViewAllFiles1", tr("View All Files"), &TfrmVistrano::ViewAllFiles1Click);
    ViewAllFiles1->setVisible(false);
    m_viewItems = new QActionGroup(this);
    m_viewItems->setExclusive(true);
    Details1 = item(View1, "Details1", tr("Details"), &TfrmVistrano::Details1Click);
    humbnails1 = item(View1, "humbnails1", tr("Thumbnails"), &TfrmVistrano::humbnails1Click);
    for (QAction *radio : {Details1, humbnails1}) {
        radio->setCheckable(true);
        m_viewItems->addAction(radio);
    }
    Details1->setChecked(true);

    Help1 = menu("Help1", tr("Help"));
    HelpContents1 = item(Help1, "HelpContents1", tr("Help Contents"), &TfrmVistrano::HelpContents1Click);
    HelpOverview1 = item(Help1, "HelpOverview1", tr("Help Overview"), &TfrmVistrano::HelpOverview1Click);
    HelpOverview1->setProperty("helpContext", 10);
    Visitusontheweb1 = item(Help1, "Visitusontheweb1", tr("Visit us on the web"), &TfrmVistrano::Visitusontheweb1Click);
    separator(Help1);
    About1 = item(Help1, "About1", tr("About"), &TfrmVistrano::About1Click);

    // The keys every desktop program has.
    New1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    Open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Save2->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Print1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    PlayShow1->setShortcut(QKeySequence(Qt::Key_F5));
    Exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    HelpContents1->setShortcut(QKeySequence(Qt::Key_F1));
}

void TfrmVistrano::FillRecentProjects()
{
    RecentProjects1->clear();
    const QStringList recent = m_projectCommands->RecentProjects();
    int number = 0;
    for (const QString &path : recent) {
        // "&1 holiday.vsw" with the whole path as the tip: the names are
        // what people remember, the folders tell equal names apart.
        QAction *entry = RecentProjects1->addAction(
            QStringLiteral("&%1 %2").arg(++number).arg(QFileInfo(path).fileName().replace(QLatin1Char('&'), QLatin1String("&&"))));
        entry->setToolTip(QDir::toNativeSeparators(path));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        entry->setData(path);
        connect(entry, &QAction::triggered, this, [this, path] {
            RunCommand([this, &path] { m_projectCommands->OpenRecentProject(path); });
        });
    }
    RecentProjects1->setToolTipsVisible(true);
    RecentProjects1->setEnabled(!recent.isEmpty());
}
