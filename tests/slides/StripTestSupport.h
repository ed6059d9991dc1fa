#pragma once

#include "app/MainWindow.h"
#include "imaging/FormatRegistration.h"
#include "slides/Viewer.h"
#include "tests/support/EventLoopWait.h"
#include "tests/support/TestFiles.h"

#include <QColor>
#include <QSize>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class QDialog;
class TRectBox;
class TSlideStrip;
class TfrmCreateVistrano;
class TfrmExportVideo;
class TfrmProjSettings;
class TfrmSlideProperties;

// Runs the action on the next modal dialog (or message box) that opens,
// from inside its own event loop.
void OnNextModal(std::function<void(QWidget *dialog)> action);

// Chooses the path in a file dialog that is showing, and accepts it.
class QFileDialog;
void ChooseFile(QFileDialog *dialog, const QString &path);

// A file dialog that opens next chooses the path and is accepted.
void ChooseInNextFileDialog(const QString &path);

// The next modal window is the question "Save changes to the project?";
// it is answered with the button of that text ("Save", "Discard" or
// "Cancel"), after `then` has run (to answer the dialog that follows).
void AnswerSaveChanges(const QString &button, std::function<void()> then = {});

// Writes a picture file of that size (JPEG by a .jpg name, PNG by .png).
void WritePicture(const QString &path, QSize size, QColor colour = QColor(40, 120, 200));

// The main window with every dialog, its own settings, a folder of
// pictures, and messages caught instead of shown.
class StripTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Lists the folder in the file list and selects the named files.
    void SelectFiles(const QStringList &names);
    // The paths a drag of the list's selection carries.
    QStringList DraggedPaths() const;
    // Selects the files, drops them on the strip at x and waits until the
    // drop has ended.
    void DropFiles(const QStringList &names, int x = 0);
    QList<TRectBox *> SlidesInOrder() const;
    QList<int> Lefts() const;
    QList<int> Widths() const;
    QString SlideCountText() const;

    std::unique_ptr<TFileFormatRegistration> formats;
    TestFolder config;
    TestFolder pictures;
    std::unique_ptr<TfrmViewer> viewer;
    std::unique_ptr<TfrmVistrano> window;
    TSlideStrip *strip = nullptr;
    TfrmCreateVistrano *options = nullptr;
    TfrmExportVideo *videoOptions = nullptr;
    TfrmProjSettings *settings = nullptr;
    TfrmSlideProperties *properties = nullptr;
    QStringList messages;
};
