#include "browser/FileListTexts.h"

qint64 SizeInListUnits(qint64 bytes)
{
    return bytes / 1024 + 1;
}

QString SizeText(qint64 bytes)
{
    return QString::number(SizeInListUnits(bytes));
}

QString UpperCaseAscii(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return result;
}

QString TypeText(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    return UpperCaseAscii(fileName.mid(dot + 1, 3));
}

QDateTime ListedModifiedTime(const QDateTime &lastWrite)
{
    const QDateTime local = lastWrite.toLocalTime();
    QTime time = local.time();
    time = QTime(time.hour(), time.minute(), time.second() - time.second() % 2);
    return QDateTime(local.date(), time);
}

QDateTime TListedTimeConverter::Listed(qint64 secondsSinceEpoch)
{
    constexpr qint64 kBucket = 1800;
    const qint64 bucket = secondsSinceEpoch >= 0 ? secondsSinceEpoch / kBucket
                                                 : -((-secondsSinceEpoch + kBucket - 1) / kBucket);
    auto found = m_offsets.constFind(bucket);
    if (found == m_offsets.constEnd())
        found = m_offsets.insert(bucket, QDateTime::fromSecsSinceEpoch(bucket * kBucket, Qt::LocalTime).offsetFromUtc());
    const int offset = *found;
    qint64 local = secondsSinceEpoch + offset;
    local -= ((local % 2) + 2) % 2;
    const qint64 days = local >= 0 ? local / 86400 : -((-local + 86399) / 86400);
    const int seconds = int(local - days * 86400);
    static const qint64 epochDay = QDate(1970, 1, 1).toJulianDay();
    return QDateTime(QDate::fromJulianDay(epochDay + days), QTime(0, 0).addSecs(seconds), Qt::OffsetFromUTC, offset);
}

QString ListDateFormat(const QLocale &locale)
{
    return locale.dateFormat(QLocale::ShortFormat);
}

QString ListTimeFormat(const QLocale &locale)
{
    // Drop the time-zone field "t" (outside quoted text) and the blanks
    // around it.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        result += c;
    }
    return result.simplified();
}

ModifiedTextFormat::ModifiedTextFormat(const QLocale &locale)
    : m_locale(locale), m_date(ListDateFormat(locale)), m_time(ListTimeFormat(locale))
{
}

QString ModifiedTextFormat::Text(const QDateTime &listedTime) const
{
    const QDate day = listedTime.date();
    auto found = m_dayTexts.constFind(day.toJulianDay());
    if (found == m_dayTexts.constEnd())
        found = m_dayTexts.insert(day.toJulianDay(), m_locale.toString(day, m_date));
    const QString &date = *found;
    if (listedTime.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + m_locale.toString(listedTime.time(), m_time);
}

FileListItem MakeFileListItem(const QString &fileName, qint64 size, const QDateTime &lastWrite,
                              const ModifiedTextFormat &format)
{
    return MakeFileListItemAt(fileName, size, ListedModifiedTime(lastWrite), format);
}

FileListItem MakeFileListItemAt(const QString &fileName, qint64 size, const QDateTime &listedTime,
                                const ModifiedTextFormat &format)
{
    FileListItem item;
    item.caption = fileName;
    item.size = size;
    item.modified = listedTime;
    item.sizeText = SizeText(size);
    item.typeText = TypeText(fileName);
    item.modifiedText = format.Text(item.modified);
    return item;
}
