#pragma once

#include <QtGlobal>

#include <sys/resource.h>

// While it lives, files this process writes cannot grow beyond the size: a
// stand-in for a full disk. Writes past it fail instead of raising SIGXFSZ.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old = {};
};
