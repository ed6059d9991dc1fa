#include "browser/BookmarkEditing.h"

int MoveBookmarkUp(QStringList &lines, int selected)
{
    if (selected <= 0 || selected >= lines.size())
        return selected;
    lines.swapItemsAt(selected, selected - 1);
    return selected - 1;
}

int MoveBookmarkDown(QStringList &lines, int selected)
{
    if (selected < 0 || selected + 1 >= lines.size())
        return selected;
    lines.swapItemsAt(selected, selected + 1);
    return selected + 1;
}

int DeleteBookmark(QStringList &lines, int selected)
{
    if (selected >= 0 && selected < lines.size())
        lines.removeAt(selected);
    return lines.isEmpty() ? -1 : 0;
}
