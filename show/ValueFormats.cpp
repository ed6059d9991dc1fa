#include "show/ValueFormats.h"

#include <charconv>

namespace {

// printf's "%<width>.<precision>f" without its dependence on LC_NUMERIC;
// to_chars rounds the exact binary value to nearest, ties to even, as glibc's
// printf does.
QByteArray FormatFixed(double value, int width, int precision)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::fixed, precision);
    QByteArray text(buffer, result.ec == std::errc() ? result.ptr - buffer : 0);
    if (text.size() < width)
        text.prepend(QByteArray(width - text.size(), ' '));
    return text;
}

} // namespace

QByteArray FormatDuration(double seconds)
{
    return FormatFixed(seconds, 4, 2);
}

QByteArray FormatTransition(double code)
{
    return FormatFixed(code, 2, 0);
}
