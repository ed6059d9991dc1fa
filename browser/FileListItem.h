#pragma once

#include <QDateTime>
#include <QString>

// One row of the file list: a picture file of the shown folder with the
// texts of the report view's columns.
struct FileListItem
{
    QString caption;      // file name with extension, without the folder
    qint64 size = 0;      // bytes
    QDateTime modified;   // local last-write time, kept to two seconds
    QString sizeText;     // column "Size"
    QString typeText;     // column "Type"
    QString modifiedText; // column "Modified"
    int imageIndex = -1;  // thumbnail in the image list, -1 for none
};

// The report view's columns.
enum FileListColumn : int { ColumnFileName = 0, ColumnSize = 1, ColumnType = 2, ColumnModified = 3, FileListColumnCount = 4 };
