#pragma once

#include <QApplication>

// The busy cursor for the length of a scope, restored however it ends.
class TBusyCursor
{
public:
    explicit TBusyCursor(Qt::CursorShape shape = Qt::WaitCursor) { QApplication::setOverrideCursor(shape); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};
