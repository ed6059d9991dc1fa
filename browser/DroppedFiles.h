#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

// What a drag carries for the slide strip: the picture files in the order
// they are to become slides, and the names of what was dropped but is no
// picture.
struct DroppedFiles
{
    QStringList pictures;
    QStringList rejected;
};

// The file list's own drags carry their files' paths. Drags from other
// programs (a file manager) carry file URLs: a file whose name the file
// list would show is a picture; a folder gives its pictures as the file
// list shows them sorted by name (its subfolders and hidden files are left
// out); anything else, a URL that is no local file among them, is rejected.
DroppedFiles DroppedFilesOf(const QMimeData *data);

// True when the drag carries something DroppedFilesOf reads.
bool CarriesFiles(const QMimeData *data);

// The pictures of a folder, sorted by name as the file list sorts them.
QStringList FolderPictures(const QString &folder);
