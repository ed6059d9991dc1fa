#include "browser/FileListSorting.h"

#include "browser/FileListTexts.h"

#include <QDate>

#include <algorithm>
#include <numeric>

QString DayNumberText(const QDateTime &time)
{
    // The key is made from the time that the row's text shows (the listed
    // time, kept to two seconds), so it sorts the way reading the text back
    // would, also where the locale writes two-digit years.
    static const QDate epoch(1899, 12, 30);
    const double days = double(epoch.daysTo(time.date())) + double(time.time().msecsSinceStartOfDay()) / 86400000.0;
    return QString::asprintf("%015.8f", days);
}

QString FileListSortKey(const FileListItem &item, int column)
{
    switch (column) {
    case ColumnSize:
        return item.sizeText;
    case ColumnType:
        return item.typeText + UpperCaseAscii(item.caption);
    case ColumnModified:
        return DayNumberText(item.modified) + UpperCaseAscii(item.caption);
    default:
        return UpperCaseAscii(item.caption);
    }
}

int CompareKeyTexts(const QString &a, const QString &b)
{
    const int c = a.compare(b, Qt::CaseSensitive);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

namespace {

int Directed(int result, bool ascending)
{
    return ascending ? result : -result;
}

} // namespace

int CompareFileListItems(const FileListItem &a, const FileListItem &b, int column, bool ascending)
{
    if (column == ColumnSize) {
        const qint64 x = SizeInListUnits(a.size), y = SizeInListUnits(b.size);
        return Directed(x < y ? -1 : (x > y ? 1 : 0), ascending);
    }
    return Directed(CompareKeyTexts(FileListSortKey(a, column), FileListSortKey(b, column)), ascending);
}

std::vector<int> SortedFileListOrder(const std::vector<FileListItem> &items, int column, bool ascending)
{
    std::vector<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    if (column == ColumnSize) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return CompareFileListItems(items[a], items[b], column, ascending) < 0;
        });
        return order;
    }
    // Keys are made once per row, not once per comparison.
    std::vector<QString> keys(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        keys[i] = FileListSortKey(items[i], column);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return Directed(CompareKeyTexts(keys[a], keys[b]), ascending) < 0;
    });
    return order;
}
