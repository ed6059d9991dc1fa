#pragma once

#include "browser/FileListItem.h"

#include <QString>

#include <vector>

// The key an item is sorted by in a column: the upper-cased caption for the
// name; the type text followed by the upper-cased caption for the type; the
// modified time as days since 30 December 1899 with the fraction of the day
// ("000000.00000000") followed by the upper-cased caption. The size column
// is compared as a number (SizeInListUnits).
QString FileListSortKey(const FileListItem &item, int column);

// Days since midnight at the start of 30 December 1899, with the fraction
// of the day, written with six integer digits and eight decimals.
QString DayNumberText(const QDateTime &time);

// Character-by-character comparison by character code; a text that begins a
// longer one is the smaller. Result -1, 0 or 1.
int CompareKeyTexts(const QString &a, const QString &b);

// The comparison of two rows in a column: -1, 0 or 1, inverted when the
// direction is descending.
int CompareFileListItems(const FileListItem &a, const FileListItem &b, int column, bool ascending);

// The rows' order after sorting by the column in the direction: position k
// of the result is the current index of the row that comes k-th. Rows that
// compare equal keep their current order.
std::vector<int> SortedFileListOrder(const std::vector<FileListItem> &items, int column, bool ascending);
