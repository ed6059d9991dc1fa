#pragma once

#include "browser/FileListItem.h"
#include "browser/FileListTexts.h"

#include <QString>
#include <QStringList>

#include <vector>

// The picture files of a folder as rows of the file list: for each mask in
// turn, the plain files of the folder that match it, in the order the file
// system gives them. Folders and hidden files (names starting with ".")
// are skipped; a link to a plain file is listed. A folder that cannot be
// read gives no rows.
std::vector<FileListItem> ListPictureFiles(const QString &folder, const QStringList &masks,
                                           const ModifiedTextFormat &format = ModifiedTextFormat());
