// The main window's panels, controls and toolbar.

#include "app/MainWindow.h"

#include "app/ToolbarGlyphs.h"
#include "browser/FileListView.h"
#include "browser/FolderTree.h"
#include "browser/ImageBrowser.h"
#include "shell/StatusBar.h"
#include "slides/SlideStrip.h"

#include <QButtonGroup>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QWidget *MakePanel(const char *name, QWidget *parent)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

QVBoxLayout *FillLayout(QWidget *panel)
{
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

// Colour 13824255 of the slide strip: red 255, green 240, blue 210.
const QColor kStripColour(255, 240, 210);

} // namespace

void TfrmVistrano::CreateControls()
{
    auto *client = MakePanel("frmVistranoClient", this);
    QVBoxLayout *clientLayout = FillLayout(client);
    setCentralWidget(client);

    Splitter1 = new QSplitter(Qt::Horizontal, client);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);

    pnlLeft = MakePanel("pnlLeft", Splitter1);
    pnlLeft->setMinimumWidth(40);
    STV1 = new TFolderTree(pnlLeft);
    STV1->setAccessibleName(tr("Folders"));
    FillLayout(pnlLeft)->addWidget(STV1);

    pnlRight = MakePanel("pnlRight", Splitter1);
    SB1 = new TStatusBar(this);
    setStatusBar(SB1);
    m_browser = new TImageBrowser(STV1, pnlRight, SB1, this);
    LV1 = m_browser->FileList();
    LV1->setAccessibleName(tr("Files"));
    FillLayout(pnlRight)->addWidget(LV1);

    Splitter1->addWidget(pnlLeft);
    Splitter1->addWidget(pnlRight);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({200, 557});
    clientLayout->addWidget(Splitter1, 1);

    pnlBottom = MakePanel("pnlBottom", client);
    pnlBottom->setFixedHeight(170);
    QVBoxLayout *bottomLayout = FillLayout(pnlBottom);
    ToolBar1 = new QToolBar(pnlBottom);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setFixedHeight(29);
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(20, 20));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    bottomLayout->addWidget(ToolBar1);

    pnlBottomMain = MakePanel("pnlBottomMain", pnlBottom);
    ScrollBox1 = new QScrollArea(pnlBottomMain);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ScrollBox1->horizontalScrollBar()->setSingleStep(10);
    ScrollBox1->horizontalScrollBar()->setTracking(true);
    ScrollBox1->setWidgetResizable(false);
    // The keyboard goes to the slides inside it, not to the frame around.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    QPalette strip = ScrollBox1->palette();
    strip.setColor(QPalette::Window, kStripColour);
    ScrollBox1->setPalette(strip);
    ScrollBox1->viewport()->setAutoFillBackground(true);
    ScrollBox1->viewport()->setPalette(strip);
    auto *slides = MakePanel("ScrollBox1Slides", ScrollBox1);
    slides->setAutoFillBackground(true);
    slides->setPalette(strip);
    ScrollBox1->setWidget(slides);
    FillLayout(pnlBottomMain)->addWidget(ScrollBox1);
    m_strip = new TSlideStrip(ScrollBox1, SB1, this);
    // A file dropped onto the strip leaves the list's selection.
    connect(m_strip, &TSlideStrip::FileBecameSlide, m_browser, &TImageBrowser::DeselectFile);
    m_strip->SetPreview([this](const QString &path, int angle) { ShowPicturePreview(path, angle); });
    bottomLayout->addWidget(pnlBottomMain, 1);
    clientLayout->addWidget(pnlBottom);

    CreateToolbar();
}

void TfrmVistrano::CreateToolbar()
{
    auto separator = [this](const char *name, int width) {
        auto *gap = new QWidget(ToolBar1);
        gap->setObjectName(QLatin1String(name));
        gap->setFixedWidth(width);
        ToolBar1->addWidget(gap);
        return gap;
    };
    auto button = [this](const char *name, ToolbarGlyph glyph, const QString &hint, const QString &accessibleName) {
        auto *tool = new QToolButton(ToolBar1);
        tool->setObjectName(QLatin1String(name));
        tool->setIcon(ToolbarIcon(glyph));
        tool->setToolTip(hint);
        tool->setAccessibleName(accessibleName);
        tool->setAutoRaise(true);
        ToolBar1->addWidget(tool);
        return tool;
    };

    ToolButton2 = separator("ToolButton2", 9);
    tbDisplayDetails = button("tbDisplayDetails", ToolbarGlyph::Details, QString(), tr("Details"));
    tbDisplayThumbs = button("tbDisplayThumbs", ToolbarGlyph::Thumbnails, QString(), tr("Thumbnails"));
    tbDisplayDetails->setCheckable(true);
    tbDisplayThumbs->setCheckable(true);
    m_viewButtons = new QButtonGroup(this);
    m_viewButtons->setExclusive(true);
    m_viewButtons->addButton(tbDisplayDetails);
    m_viewButtons->addButton(tbDisplayThumbs);
    tbDisplayDetails->setChecked(true);
    ToolButton3 = separator("ToolButton3", 34);
    tbRotateCCW = button("tbRotateCCW", ToolbarGlyph::RotateLeft, tr("Rotate Left"), tr("Rotate Left"));
    tbRotateCW = button("tbRotateCW", ToolbarGlyph::RotateRight, tr("Rotate Right"), tr("Rotate Right"));
    // Ctrl+Left and Ctrl+Right turn the current slide wherever the focus is.
    tbRotateCCW->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Left));
    tbRotateCW->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Right));

    connect(tbDisplayDetails, &QToolButton::clicked, this, &TfrmVistrano::tbDisplayDetailsClick);
    connect(tbDisplayThumbs, &QToolButton::clicked, this, &TfrmVistrano::tbDisplayThumbsClick);
    connect(tbRotateCCW, &QToolButton::clicked, this, &TfrmVistrano::tbRotateCCWClick);
    connect(tbRotateCW, &QToolButton::clicked, this, &TfrmVistrano::tbRotateCCWClick);
}
