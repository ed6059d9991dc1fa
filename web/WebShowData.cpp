#include "web/WebShowData.h"

#include "common/Rounding.h"
#include "show/ValueFormats.h"

#include <charconv>
#include <cmath>

namespace {

constexpr double kDefaultDuration = 5.0;
constexpr double kLongestDuration = 24 * 3600;

// The duration the player reads back from the show's text of it.
double StoredDuration(double seconds)
{
    bool ok = false;
    const double stored = FormatDuration(seconds).trimmed().toDouble(&ok);
    return ok && stored >= 0 && stored <= kLongestDuration ? stored : kDefaultDuration;
}

int StoredTransition(double code)
{
    const double rounded = std::isfinite(code) ? RoundHalfEven(code) : 0;
    return rounded >= 0 && rounded <= 5 ? int(rounded) : 0;
}

// The shortest text that reads back as the same double.
QByteArray JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "0";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return QByteArray(buffer, int(result.ptr - buffer));
}

} // namespace

ShowTimeline WebShowTimeline(const QList<BuildSlide> &slides)
{
    std::vector<TimelineSlide> timing;
    timing.reserve(size_t(slides.size()));
    for (const BuildSlide &slide : slides)
        timing.push_back({StoredDuration(slide.AbLeft), StoredTransition(slide.AbTop)});
    return MakeShowTimeline(timing);
}

QByteArray JsonString(const QString &text)
{
    QByteArray json;
    json.reserve(text.size() + 2);
    json += '"';
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == '"' || unit == '\\') {
            json += '\\';
            json += char(unit);
        } else if (unit >= 0x20 && unit < 0x7F && unit != '<' && unit != '>' && unit != '&') {
            json += char(unit);
        } else {
            // Every other code unit, surrogates included, as \uXXXX: the
            // string reads back as the same UTF-16 text.
            char escape[8];
            std::snprintf(escape, sizeof(escape), "\\u%04x", unsigned(unit));
            json += escape;
        }
    }
    json += '"';
    return json;
}

QByteArray EscapeHtml(const QString &text)
{
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&#39;")).toUtf8();
}

QByteArray WebShowDataJson(const ShowTimeline &timeline, const QList<WebSlide> &slides, bool audioFadesOut)
{
    QByteArray json = "{\"length\":" + JsonNumber(timeline.length) + ",\"audioFadesOut\":"
                      + (audioFadesOut ? "true" : "false") + ",\"slides\":[";
    for (size_t i = 0; i < timeline.slides.size(); ++i) {
        const TimedSlide &timed = timeline.slides[i];
        const WebSlide slide = qsizetype(i) < slides.size() ? slides[qsizetype(i)] : WebSlide{};
        if (i > 0)
            json += ',';
        json += "\n{\"start\":" + JsonNumber(timed.start) + ",\"length\":" + JsonNumber(timed.length)
                + ",\"transition\":" + QByteArray::number(timed.transition)
                + ",\"transitionLength\":" + JsonNumber(timed.transitionLength)
                + ",\"width\":" + QByteArray::number(std::max(1, slide.pictureSize.width()))
                + ",\"height\":" + QByteArray::number(std::max(1, slide.pictureSize.height()))
                + ",\"caption\":" + JsonString(slide.caption);
        if (slide.motion != MotionPath::Still) {
            const QRectF from = MotionRect(slide.motion, 0);
            const QRectF to = MotionRect(slide.motion, 1);
            const double values[] = {from.x(), from.y(), from.width(), from.height(),
                                     to.x(),   to.y(),   to.width(),   to.height()};
            json += ",\"motion\":[";
            for (size_t v = 0; v < std::size(values); ++v)
                json += (v > 0 ? "," : "") + JsonNumber(values[v]);
            json += ']';
        }
        json += '}';
    }
    json += "]}";
    return json;
}
