#include "show/ScreenSizes.h"

#include <QStringList>

QList<QSize> ShowScreenSizes()
{
    return {QSize(640, 480),  QSize(800, 600),   QSize(1024, 768), QSize(1280, 1024),
            QSize(1280, 720), QSize(1920, 1080), QSize(1080, 1920)};
}

QString ScreenSizeText(QSize size)
{
    const QString text = QStringLiteral("%1 X %2").arg(size.width()).arg(size.height());
    return size.height() > size.width() ? text + QStringLiteral(" (portrait)") : text;
}

QSize ParseSizeArgument(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() != 2)
        return {};
    bool wide = false;
    bool high = false;
    const int width = parts[0].toInt(&wide);
    const int height = parts[1].toInt(&high);
    if (!wide || !high || width <= 0 || height <= 0 || parts[0].startsWith(QLatin1Char('+'))
        || parts[1].startsWith(QLatin1Char('+')))
        return {};
    return QSize(width, height);
}
