#include "about/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QString Title()
{
    return THelpWindow::tr("Vistrano Help");
}

} // namespace

THelpWindow::THelpWindow(const QString &folder, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_folder(folder), m_entries(ReadHelpIndex(folder))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Title());
    resize(860, 620);
    // No larger than the screen with the window's frame, as at a large
    // scale it would be.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(size().boundedTo(screen->availableGeometry().size() - QSize(8, 40)));

    m_browser = new QTextBrowser;
    m_browser->setObjectName(QStringLiteral("HelpPage"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({folder});
    connect(m_browser, &QTextBrowser::sourceChanged, this, &THelpWindow::PageChanged);

    auto *side = new QWidget;
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(4, 4, 0, 4);
    sideLayout->addWidget(new QLabel(tr("Index")));
    m_find = new QLineEdit;
    m_find->setObjectName(QStringLiteral("HelpFind"));
    m_find->setPlaceholderText(tr("Type a keyword"));
    m_find->setClearButtonEnabled(true);
    sideLayout->addWidget(m_find);
    m_index = new QListWidget;
    m_index->setObjectName(QStringLiteral("HelpIndex"));
    for (const THelpIndexEntry &entry : m_entries)
        m_index->addItem(entry.Keyword);
    sideLayout->addWidget(m_index);
    connect(m_find, &QLineEdit::textChanged, this, &THelpWindow::FilterIndex);
    connect(m_find, &QLineEdit::returnPressed, this, &THelpWindow::OpenIndexEntry);
    connect(m_index, &QListWidget::itemActivated, this, &THelpWindow::OpenIndexEntry);
    connect(m_index, &QListWidget::itemClicked, this, &THelpWindow::OpenIndexEntry);

    auto *splitter = new QSplitter;
    splitter->addWidget(side);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({200, 660});
    setCentralWidget(splitter);

    QToolBar *bar = addToolBar(tr("Navigation"));
    bar->setObjectName(QStringLiteral("HelpNavigation"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction *contents = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Contents"));
    QAction *back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"));
    QAction *forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QAction::triggered, this, [this] { ShowPage(HelpContentsPage()); });
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
}

void THelpWindow::ShowPage(const QString &page)
{
    const QString path = QDir(m_folder).filePath(page);
    if (QFileInfo(path).isFile()) {
        m_browser->setSource(QUrl::fromLocalFile(path));
    } else {
        // The viewer reports a missing help, as the platform's viewer would.
        m_browser->setHtml(tr("<h2>Help page not found</h2><p>The help page <b>%1</b> was not found in the folder "
                              "<b>%2</b>. Reinstalling Vistrano puts the help pages back.</p>")
                               .arg(page.toHtmlEscaped(), QDir::toNativeSeparators(m_folder).toHtmlEscaped()));
    }
    BringUp();
}

void THelpWindow::ShowIndex(const QString &keyword)
{
    m_find->setText(keyword);
    const int found = FindHelpKeyword(m_entries, keyword);
    if (found >= 0) {
        m_index->setCurrentRow(found);
        ShowPage(m_entries[found].Page);
    } else {
        BringUp();
    }
    m_find->setFocus();
}

QString THelpWindow::CurrentPage() const
{
    const QUrl source = m_browser->source();
    return source.isLocalFile() ? QFileInfo(source.toLocalFile()).fileName() : QString();
}

void THelpWindow::BringUp()
{
    show();
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void THelpWindow::FilterIndex(const QString &text)
{
    const int found = FindHelpKeyword(m_entries, text);
    for (int i = 0; i < m_index->count(); ++i)
        m_index->item(i)->setHidden(!text.trimmed().isEmpty()
                                    && !m_entries[i].Keyword.contains(text.trimmed(), Qt::CaseInsensitive));
    if (found >= 0)
        m_index->setCurrentRow(found);
}

void THelpWindow::OpenIndexEntry()
{
    const int row = m_index->currentRow();
    if (row >= 0 && row < m_entries.size() && !m_index->item(row)->isHidden())
        ShowPage(m_entries[row].Page);
}

void THelpWindow::PageChanged(const QUrl &)
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? Title() : Title() + QStringLiteral(" - ") + title);
}
