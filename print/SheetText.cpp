#include "print/SheetText.h"

#include "about/MakerAddresses.h"
#include "project/RectBoxProperties.h"
#include "project/Transitions.h"

#include <QFileInfo>
#include <QLocale>

#include <cmath>
#include <cstdio>

QString GeneralFloatText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    QString text = QString::fromLatin1(buffer);
    // The C library writes the exponent with a sign and two digits at least
    // ("1E+15", "1E-05"); the general form has neither the plus nor the
    // leading zeros.
    const qsizetype e = text.indexOf(QLatin1Char('E'));
    if (e >= 0) {
        QString mantissa = text.left(e);
        QString exponent = text.mid(e + 1);
        const bool negative = exponent.startsWith(QLatin1Char('-'));
        if (exponent.startsWith(QLatin1Char('+')) || negative)
            exponent.remove(0, 1);
        while (exponent.size() > 1 && exponent.startsWith(QLatin1Char('0')))
            exponent.remove(0, 1);
        text = mantissa + QLatin1Char('E') + (negative ? QStringLiteral("-") : QString()) + exponent;
    }
    text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return text;
}

QString SlideSheetText(int n, const QString &fileName, double duration, double transitionCode,
                       const QString &caption)
{
    QString captionLines = caption;
    captionLines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    captionLines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const double code = std::isfinite(transitionCode) ? std::trunc(transitionCode) : -1;
    return QString::number(n) + QStringLiteral(". ") + QFileInfo(fileName).fileName() + QLatin1Char('\n')
        + QStringLiteral("Duration: ") + GeneralFloatText(duration) + QLatin1Char('\n')
        + QStringLiteral("Transition: ") + TransitionName(code) + QLatin1Char('\n')
        + QStringLiteral("Caption: ") + captionLines;
}

QString SlideSheetText(int n, const RectBoxProperties &slide)
{
    return SlideSheetText(n, slide.FileName(), slide.AbLeft(), slide.AbTop(), slide.Caption());
}

QString SheetFooterText()
{
    return QStringLiteral("Vistrano by Halvenor Software  ") + QString::fromLatin1(kMakerWebAddress);
}
