#include "tests/slides/StripTestSupport.h"

#include "browser/BookmarkEditor.h"
#include "browser/FileListModel.h"
#include "browser/FileListView.h"
#include "browser/ImageBrowser.h"
#include "shell/Messages.h"
#include "shell/StatusBar.h"
#include "show/CreateVistrano.h"
#include "slides/ProjSettings.h"
#include "slides/RectBox.h"
#include "slides/SlideProperties.h"
#include "slides/SlideStrip.h"
#include "slides/Viewer.h"
#include "video/ExportVideoDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QAbstractButton>
#include <QMimeData>
#include <QItemSelectionModel>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <algorithm>

void OnNextModal(std::function<void(QWidget *dialog)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        action(dialog);
    });
    timer->start();
}

void ChooseFile(QFileDialog *dialog, const QString &path)
{
    // As a user does it: the folder, then the name typed into the dialog.
    dialog->setDirectory(QFileInfo(path).absolutePath());
    auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QFileInfo(path).fileName());
    static_cast<QDialog *>(dialog)->accept();
    EXPECT_FALSE(dialog->isVisible()) << dialog->selectedFiles().join(", ").toStdString();
}

void ChooseInNextFileDialog(const QString &path)
{
    OnNextModal([path](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        ASSERT_NE(dialog, nullptr) << widget->metaObject()->className();
        ChooseFile(dialog, path);
    });
}

void AnswerSaveChanges(const QString &button, std::function<void()> then)
{
    OnNextModal([button, then](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        ASSERT_NE(box, nullptr) << widget->metaObject()->className();
        EXPECT_EQ(box->text(), "Save changes to the project?");
        QStringList texts;
        QAbstractButton *answer = nullptr;
        for (QAbstractButton *choice : box->buttons()) {
            texts << choice->text();
            if (choice->text() == button)
                answer = choice;
        }
        texts.sort();
        EXPECT_EQ(texts, QStringList({"Cancel", "Discard", "Save"}));
        ASSERT_NE(answer, nullptr) << button.toStdString();
        if (then)
            then();
        answer->click();
    });
}

void WritePicture(const QString &path, QSize size, QColor colour)
{
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(colour);
    // A mark in the top-left corner shows where rotations put it.
    for (int y = 0; y < std::min(size.height(), size.height() / 4 + 1); ++y)
        for (int x = 0; x < std::min(size.width(), size.width() / 4 + 1); ++x)
            picture.setPixelColor(x, y, Qt::yellow);
    ASSERT_TRUE(picture.save(path, path.endsWith(".png") ? "PNG" : "JPG", 90)) << path.toStdString();
}

void StripTest::SetUp()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.Root());
    SetMessageObserver([this](const QString &text) { messages << text; });
    formats = std::make_unique<TFileFormatRegistration>();
    viewer = std::make_unique<TfrmViewer>();
    window = std::make_unique<TfrmVistrano>(config.Path("bookmrks.dat"));
    window->SetViewer(viewer.get());
    options = new TfrmCreateVistrano(window.get());
    window->SetSlideshowOptions(options);
    videoOptions = new TfrmExportVideo(window.get());
    window->SetVideoExportDialog(videoOptions);
    settings = new TfrmProjSettings(window.get());
    window->SetProjectSettings(settings);
    properties = new TfrmSlideProperties(settings, window.get());
    window->SetSlideProperties(properties);
    window->SetBookmarkEditor(new TfBMEdit(config.Path("bookmrks.dat"), window.get()));
    strip = window->Strip();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void StripTest::TearDown()
{
    window.reset();
    viewer.reset();
    formats.reset();
    SetMessageObserver({});
}

void StripTest::SelectFiles(const QStringList &names)
{
    TImageBrowser *browser = window->Browser();
    if (browser->Model()->Folder() != pictures.Root()) {
        ASSERT_TRUE(browser->SelectFolder(pictures.Root()));
        ASSERT_TRUE(WaitFor([&] { return browser->Model()->Folder() == pictures.Root(); }));
    }
    // A folder listed before its files were written is listed again.
    const int count = int(QDir(pictures.Root()).entryList(QDir::Files).size());
    if (browser->Model()->rowCount() != count)
        browser->FillFileList(pictures.Root(), {"*.*"});
    browser->SortList();
    QItemSelectionModel *selection = browser->FileList()->SelectionModel();
    selection->clearSelection();
    for (const QString &name : names) {
        const int row = browser->Model()->RowOfCaption(name);
        ASSERT_GE(row, 0) << name.toStdString();
        selection->select(browser->Model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

QStringList StripTest::DraggedPaths() const
{
    TImageBrowser *browser = window->Browser();
    const std::unique_ptr<QMimeData> drag(browser->Model()->mimeData(browser->FileList()->SelectionModel()->selectedIndexes()));
    return FileListDragPaths(drag.get());
}

void StripTest::DropFiles(const QStringList &names, int x)
{
    SelectFiles(names);
    strip->ScrollBox1DragDrop(x, DraggedPaths());
    ASSERT_TRUE(WaitFor([this] { return strip->RunningWork() != TSlideStrip::Work::AddingFiles; }));
}

QList<TRectBox *> StripTest::SlidesInOrder() const
{
    QList<TRectBox *> slides = strip->Slides();
    std::stable_sort(slides.begin(), slides.end(), [](TRectBox *a, TRectBox *b) { return a->Left() < b->Left(); });
    return slides;
}

QList<int> StripTest::Lefts() const
{
    QList<int> lefts;
    for (TRectBox *box : SlidesInOrder())
        lefts << box->Left();
    return lefts;
}

QList<int> StripTest::Widths() const
{
    QList<int> widths;
    for (TRectBox *box : SlidesInOrder())
        widths << box->Width();
    return widths;
}

QString StripTest::SlideCountText() const
{
    return window->StatusBar()->PanelText(TStatusBar::SlidesPanel);
}
