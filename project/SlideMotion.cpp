#include "project/SlideMotion.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr std::array<const char *, 7> kPathTexts = {"still",         "zoom in",           "zoom out",
                                                    "pan left to right", "pan right to left", "pan top to bottom",
                                                    "pan bottom to top"};

QString Squeezed(const QString &text)
{
    QString squeezed;
    for (QChar c : text) {
        if (!c.isSpace() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            squeezed += c.toLower();
    }
    return squeezed;
}

// FNV-1a over the name's UTF-8 bytes: the same on every machine and in every
// run, unlike the hash of a container, which is seeded.
quint32 NameHash(const QString &name)
{
    quint32 hash = 2166136261u;
    for (char c : name.toUtf8()) {
        hash ^= quint8(c);
        hash *= 16777619u;
    }
    return hash;
}

} // namespace

QStringList SlideMotionNames()
{
    return {QStringLiteral("None"), QStringLiteral("Auto"), QStringLiteral("Zoom In"), QStringLiteral("Zoom Out"),
            QStringLiteral("Pan")};
}

std::optional<SlideMotion> SlideMotionFromText(const QString &text)
{
    const QString wanted = Squeezed(text);
    const QStringList names = SlideMotionNames();
    for (int i = 0; i < names.size(); ++i) {
        if (Squeezed(names[i]) == wanted || QString::number(i) == wanted)
            return SlideMotion(i);
    }
    return std::nullopt;
}

SlideMotion SlideMotionFromCode(int code)
{
    return code >= int(SlideMotion::None) && code <= int(SlideMotion::Pan) ? SlideMotion(code) : SlideMotion::None;
}

QString MotionPathText(MotionPath path)
{
    return QString::fromLatin1(kPathTexts[size_t(path)]);
}

MotionPath MotionPathFromText(QStringView text)
{
    const QString wanted = text.trimmed().toString().toLower();
    for (size_t i = 0; i < kPathTexts.size(); ++i) {
        if (wanted == QLatin1String(kPathTexts[i]))
            return MotionPath(i);
    }
    return MotionPath::Still;
}

MotionPath ResolveMotion(SlideMotion motion, int slideNumber, const QString &fileName, QSize picture)
{
    // The slide's number moves the choice on by one from slide to slide; the
    // name's hash keeps two projects of the same count from moving alike.
    // Only the name counts, not its folder: a project moved elsewhere keeps
    // its motion.
    const qsizetype slash = std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const quint32 choice = NameHash(fileName.mid(slash + 1)) / 7u + quint32(std::max(0, slideNumber));
    const bool forward = choice % 2 == 0;
    const bool tall = picture.height() > picture.width();
    switch (motion) {
    case SlideMotion::None:
        return MotionPath::Still;
    case SlideMotion::ZoomIn:
        return MotionPath::ZoomIn;
    case SlideMotion::ZoomOut:
        return MotionPath::ZoomOut;
    case SlideMotion::Pan:
        if (tall)
            return forward ? MotionPath::PanTopToBottom : MotionPath::PanBottomToTop;
        return forward ? MotionPath::PanLeftToRight : MotionPath::PanRightToLeft;
    case SlideMotion::Auto:
        break;
    }
    if (picture.isEmpty())
        return MotionPath::Still;
    if (tall)
        return forward ? MotionPath::PanTopToBottom : MotionPath::PanBottomToTop;
    if (picture.width() * 10 > picture.height() * 16)
        return forward ? MotionPath::PanLeftToRight : MotionPath::PanRightToLeft;
    return forward ? MotionPath::ZoomIn : MotionPath::ZoomOut;
}

double EaseMotion(double progress)
{
    const double t = std::clamp(std::isfinite(progress) ? progress : 0.0, 0.0, 1.0);
    return (1 - std::cos(std::numbers::pi * t)) / 2;
}

QRectF MotionRect(MotionPath path, double progress)
{
    const double t = EaseMotion(progress);
    const double side = 1 / kMotionZoom;
    const double margin = 1 - side; // the room a close view has to move in
    switch (path) {
    case MotionPath::Still:
        break;
    case MotionPath::ZoomIn:
    case MotionPath::ZoomOut: {
        const double closeness = path == MotionPath::ZoomIn ? t : 1 - t;
        const double size = 1 - margin * closeness;
        const double offset = (1 - size) / 2;
        return QRectF(offset, offset, size, size);
    }
    case MotionPath::PanLeftToRight:
        return QRectF(margin * t, margin / 2, side, side);
    case MotionPath::PanRightToLeft:
        return QRectF(margin * (1 - t), margin / 2, side, side);
    case MotionPath::PanTopToBottom:
        return QRectF(margin / 2, margin * t, side, side);
    case MotionPath::PanBottomToTop:
        return QRectF(margin / 2, margin * (1 - t), side, side);
    }
    return QRectF(0, 0, 1, 1);
}
