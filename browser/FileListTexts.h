#pragma once

#include "browser/FileListItem.h"

#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QString>

// Size in KiB the way the list shows it: bytes div 1024, plus 1.
qint64 SizeInListUnits(qint64 bytes);
QString SizeText(qint64 bytes);

// The extension without its dot, cut to three characters, upper-cased
// ("b.Tga" gives "TGA"; a name without a dot gives "").
QString TypeText(const QString &fileName);

// The last-write time in local time, kept to two seconds: an odd second
// counts as the even one below, milliseconds are dropped.
QDateTime ListedModifiedTime(const QDateTime &lastWrite);

// The listed time of a file time given in seconds since the epoch: local
// time kept to two seconds. The zone's offset is looked up once for each
// half hour of file times (zones change their offset on the hour or the
// half hour), since that lookup costs far more than the rest of a row.
class TListedTimeConverter
{
public:
    QDateTime Listed(qint64 secondsSinceEpoch);

private:
    QHash<qint64, int> m_offsets;
};

// The locale's short date format and its long time format without the time
// zone (which the list has no room for).
QString ListDateFormat(const QLocale &locale);
QString ListTimeFormat(const QLocale &locale);

// The "Modified" text of a locale: short date, a blank, long time; the
// time is left out at exactly midnight. The formats are looked up once.
class ModifiedTextFormat
{
public:
    explicit ModifiedTextFormat(const QLocale &locale = QLocale());
    QString Text(const QDateTime &listedTime) const;

private:
    QLocale m_locale;
    QString m_date;
    QString m_time;
    // Files of one folder share few days: each day's text is made once.
    mutable QHash<qint64, QString> m_dayTexts;
};

// A row for a file: caption, size, time and the three column texts.
FileListItem MakeFileListItem(const QString &fileName, qint64 size, const QDateTime &lastWrite,
                              const ModifiedTextFormat &format);
// The same with the listed time already made.
FileListItem MakeFileListItemAt(const QString &fileName, qint64 size, const QDateTime &listedTime,
                                const ModifiedTextFormat &format);

// Letters a to z become A to Z; every other character stays as it is.
QString UpperCaseAscii(const QString &text);
