#include "about/AboutTexts.h"

#include <Qt>

namespace {

// The version resource's length counted the terminating zero: a value had to
// report more than 7 (version) or 9 (copyright) to be used.
constexpr qsizetype kShortestVersion = 7;
constexpr qsizetype kShortestCopyright = 9;

} // namespace

QString AboutProductName()
{
    return QStringLiteral("Vistrano");
}

QString FallbackCopyright()
{
    return QStringLiteral("Copyright \u00A9 Halvenor Software");
}

QString ShortFileVersion(const QString &fileVersion)
{
    qsizetype dot = -1;
    for (int found = 0; found < 3; ++found) {
        dot = fileVersion.indexOf(QLatin1Char('.'), dot + 1);
        if (dot < 0)
            return fileVersion;
    }
    return fileVersion.left(dot);
}

TAboutTexts AboutTexts(const TVersionResource &resource)
{
    TAboutTexts texts;
    if (resource.FileVersion.size() >= kShortestVersion) {
        texts.VersionLine = QStringLiteral("Version ") + ShortFileVersion(resource.FileVersion);
        texts.FullVersion = resource.FileVersion;
    } else {
        // Without a version there is nothing more to show for Ctrl+Q.
        texts.VersionLine = AboutProductName();
        texts.FullVersion = texts.VersionLine;
    }
    texts.CopyrightLine =
        resource.LegalCopyright.size() >= kShortestCopyright ? resource.LegalCopyright : FallbackCopyright();
    return texts;
}

QString VersionLineAfterKey(const TAboutTexts &texts, bool pressed, int key, bool control)
{
    if (pressed && control && key == Qt::Key_Q)
        return texts.FullVersion;
    return texts.VersionLine;
}
