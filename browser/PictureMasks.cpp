#include "browser/PictureMasks.h"

const QString kPictureFileMasks = QStringLiteral(
    "*.jpg;*.tif;*.bmp;*.png;*.rle;*.dib;*.fax;*.pcx;*.pcc;*.pcd;*.gif;*.psd;*.pdd;*.psp;*.rgb;*.sgi;*.tga;"
    "*.jpeg;*.jpe;*.jfif;*.heic;*.heif;*.avif;*.webp;");

QStringList SplitMaskList(const QString &maskList)
{
    QStringList masks;
    qsizetype start = 0;
    for (qsizetype semicolon = maskList.indexOf(QLatin1Char(';')); semicolon >= 0;
         semicolon = maskList.indexOf(QLatin1Char(';'), start)) {
        masks << maskList.mid(start, semicolon - start);
        start = semicolon + 1;
    }
    return masks;
}

namespace {

bool SameLetter(QChar a, QChar b)
{
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

} // namespace

bool MatchesMask(QStringView name, QStringView mask)
{
    // Greedy matching with one backtrack point for the last "*" seen: linear
    // for the usual "*.ext" masks and never exponential.
    qsizetype n = 0, m = 0, starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == QLatin1Char('*')) {
            starMask = m++;
            starName = n;
        } else if (m < mask.size() && (mask[m] == QLatin1Char('?') || SameLetter(mask[m], name[n]))) {
            ++m;
            ++n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == QLatin1Char('*'))
        ++m;
    return m == mask.size();
}

int MatchingMask(QStringView fileName, const QStringList &masks)
{
    for (int i = 0; i < masks.size(); ++i)
        if (MatchesMask(fileName, masks[i]))
            return i;
    return -1;
}

TMaskMatcher::TMaskMatcher(const QStringList &masks) : m_masks(masks)
{
    for (int i = 0; i < masks.size(); ++i) {
        const QString &mask = masks[i];
        const QStringView extension = QStringView(mask).mid(2);
        if (!mask.startsWith(QLatin1String("*.")) || extension.isEmpty() || extension.contains(QLatin1Char('*'))
            || extension.contains(QLatin1Char('?')) || extension.contains(QLatin1Char('.'))) {
            m_byExtension = false;
            return;
        }
        const QString key = extension.toString().toCaseFolded();
        if (!m_extensions.contains(key))
            m_extensions.insert(key, i);
    }
}

int TMaskMatcher::Match(QStringView fileName) const
{
    if (!m_byExtension)
        return MatchingMask(fileName, m_masks);
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return -1;
    return m_extensions.value(fileName.mid(dot + 1).toString().toCaseFolded(), -1);
}
