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
    const QString date = m_locale.toString(listedTime.date(), m_date);
    if (listedTime.time() == QTime(0, 0))
        return date;
    return date + QLatin1Char(' ') + m_locale.toString(listedTime.time(), m_time);
}

FileListItem MakeFileListItem(const QString &fileName, qint64 size, const QDateTime &lastWrite,
                              const ModifiedTextFormat &format)
{
    FileListItem item;
    item.caption = fileName;
    item.size = size;
    item.modified = ListedModifiedTime(lastWrite);
    item.sizeText = SizeText(size);
    item.typeText = TypeText(fileName);
    item.modifiedText = format.Text(item.modified);
    return item;
}
