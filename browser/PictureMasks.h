#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

// The picture files the file list offers, as one text of masks each followed
// by a semicolon. The first seventeen are the program's classic list; then
// the names JPEG files often carry on this platform, and the phone and web
// formats (HEIC, HEIF, AVIF, WebP).
extern const QString kPictureFileMasks;

// Splits a mask text: each mask is the text before a semicolon; text after
// the last semicolon is not a mask.
QStringList SplitMaskList(const QString &maskList);

// Wildcard matching of a file name as the file system does it for masks:
// "*" stands for any run of characters, "?" for one character, and letter
// case is ignored.
bool MatchesMask(QStringView fileName, QStringView mask);

// The position of the first mask that matches the name, or -1.
int MatchingMask(QStringView fileName, const QStringList &masks);

// The same answer as MatchingMask, prepared once for many names: when every
// mask has the form "*.ext" a name costs one lookup of its extension.
class TMaskMatcher
{
public:
    explicit TMaskMatcher(const QStringList &masks);
    int Match(QStringView fileName) const;

private:
    QStringList m_masks;
    bool m_byExtension = true;
    QHash<QString, int> m_extensions; // case-folded extension -> first mask
};
