#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <vector>

// Reading a package by the section rule: the value of key K is the bytes
// between the end of the first occurrence of K's start marker and the first
// occurrence of K's end marker, both searched from the beginning of the file.

enum class SectionState { Missing, Damaged, Found };

struct SectionLookup
{
    SectionState state = SectionState::Missing;
    QByteArrayView value; // the value's bytes when found, inside the package
};

// Two searches through the whole package: for a single key.
SectionLookup FindSection(QByteArrayView package, QByteArrayView key);

// The places of every marker prefix, gathered in one pass, so that a show's
// many keys are found without searching the whole file for each. Gives the
// same results as FindSection. The package's bytes must outlive the index.
class PackageIndex
{
public:
    explicit PackageIndex(QByteArrayView package);

    SectionLookup Find(QByteArrayView key) const;

    // False for a file that holds no start marker at all: a bare template.
    bool HasSections() const { return !m_starts.empty(); }
    // How many start markers the file holds: no package has more sections.
    qsizetype StartMarkerCount() const { return qsizetype(m_starts.size()); }

private:
    QByteArrayView m_package;
    std::vector<qsizetype> m_starts; // offsets of the start prefix
    std::vector<qsizetype> m_ends;   // offsets of the end prefix
    // For keys of letters and digits: the first offset of each marker, under
    // every leading part of the letters and digits that follow its prefix.
    QHash<QByteArray, qsizetype> m_firstStart;
    QHash<QByteArray, qsizetype> m_firstEnd;
};

struct ListedSection
{
    QByteArray key; // as stored: upper case
    qsizetype valueOffset = 0;
    qsizetype valueLength = 0;
};

struct SectionListing
{
    qsizetype templateSize = 0; // bytes before the first section
    std::vector<ListedSection> sections;
    // Empty when the sections run back to back to the end of the file;
    // otherwise what stopped the listing.
    QString problem;
};

// The sections in file order, each ending at the first end marker whose key
// repeats the start marker's and is followed by the next section or the end of
// the file.
SectionListing ListSections(QByteArrayView package);
