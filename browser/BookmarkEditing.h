#pragma once

#include <QStringList>

// The Edit Bookmarks dialog's commands on its lines and the selected line
// (-1: none). Each returns the line selected afterwards.

// The selected line changes places with the one above; nothing on the
// first line or without a selection.
int MoveBookmarkUp(QStringList &lines, int selected);
// The selected line changes places with the one below; nothing on the
// last line or without a selection.
int MoveBookmarkDown(QStringList &lines, int selected);
// Removes the selected line; the first line is selected afterwards when
// lines remain.
int DeleteBookmark(QStringList &lines, int selected);
