#pragma once

#include "browser/FileListView.h"
#include "browser/FolderTree.h"
#include "browser/ImageBrowser.h"
#include "shell/StatusBar.h"
#include "tests/support/EventLoopWait.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QWidget>

#include <functional>

// A JPEG of one colour, followed by `padding` bytes so that files can
// differ in size.
inline void WriteJpeg(const QString &path, QSize size, QColor colour, int padding = 0)
{
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(colour);
    picture.save(path, "JPG", 95);
    if (padding > 0) {
        QFile file(path);
        file.open(QIODevice::Append);
        file.write(QByteArray(padding, '\0'));
    }
}

inline bool NearColour(QColor a, QColor b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// The image browser in a plain window, as the main window puts it together.
struct BrowserWindow
{
    QWidget window;
    TFolderTree *tree = new TFolderTree(&window);
    TStatusBar *status = new TStatusBar(&window);
    TImageBrowser *browser = new TImageBrowser(tree, &window, status, &window);

    BrowserWindow()
    {
        QObject::connect(tree, &TFolderTree::FolderChanged, browser, [this] { browser->FolderChanged(); });
    }
    TFileListModel &Model() { return *browser->Model(); }
    QStringList Captions()
    {
        QStringList captions;
        for (const FileListItem &item : Model().Items())
            captions << item.caption;
        return captions;
    }
    // The colour at the bottom middle of a row's thumbnail; invalid when the
    // row has none.
    QColor ThumbnailColour(int row)
    {
        const QImage cell = Model().data(Model().index(row, 0), TFileListModel::ThumbnailRole).value<QImage>();
        return cell.isNull() ? QColor() : cell.pixelColor(64, 126);
    }
};
