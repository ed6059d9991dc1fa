#include "slides/IntegerText.h"

#include "common/Rounding.h"

#include <cmath>
#include <cstdint>
#include <limits>

std::optional<int> ParseInteger(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == QLatin1Char('$')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == QLatin1Char('0') && (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X'))) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    int64_t value = 0;
    for (; i < n; ++i) {
        const int digit = text[i].unicode() < 128 ? QChar(text[i]).digitValue() : -1;
        int d = digit;
        if (base == 16 && d < 0) {
            const char16_t c = text[i].toLower().unicode();
            if (c >= u'a' && c <= u'f')
                d = 10 + (c - u'a');
        }
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * base + d;
        if (value > int64_t(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return int(value);
}

int StrToInt(const QString &text)
{
    const std::optional<int> value = ParseInteger(text);
    if (!value)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return *value;
}

int UpDownPosition(double value, int min, int max)
{
    if (std::isnan(value))
        return min;
    if (value <= min)
        return min;
    if (value >= max)
        return max;
    return int(RoundHalfEven(value));
}

int ListIndexForCode(double code, int count)
{
    if (!std::isfinite(code) || code < -0.5 || code > count)
        return -1;
    const int64_t index = RoundHalfEven(code);
    return index >= 0 && index < count ? int(index) : -1;
}
