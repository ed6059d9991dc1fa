#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <vector>

// The one reader of packages. A section counts only where its start marker is
// followed by exactly its key, its value runs to that key's own end marker,
// and the next section (or the end of the file) follows right behind it. So
// "SO!#DUR1" with the value "4.00" is slide 1's duration and never the start
// of "DUR14", and a value that happens to hold marker text does not end early.
// The package is read once, in file order, and its sections indexed by key.

struct ListedSection
{
    QByteArray key;            // as stored: upper case
    qsizetype start = 0;       // offset of the start marker
    qsizetype valueOffset = 0;
    qsizetype valueLength = 0;
    qsizetype end = 0;         // offset just behind the end marker
};

struct SectionListing
{
    qsizetype templateSize = 0; // bytes before the first section
    std::vector<ListedSection> sections;
    // Start markers where the sections stop running back to back: a section
    // cut off or damaged. Reading goes on at the next start marker from which
    // whole sections follow.
    std::vector<qsizetype> broken;
    // Empty when the sections run back to back to the end of the file;
    // otherwise what stopped them first.
    QString problem;
};

SectionListing ListSections(QByteArrayView package);

enum class SectionState { Missing, Damaged, Found };

struct SectionLookup
{
    SectionState state = SectionState::Missing;
    QByteArrayView value; // the value's bytes when found, inside the package
    // When found: the offsets of its start marker and just behind its end
    // marker.
    qsizetype start = -1;
    qsizetype end = -1;
};

// The sections of a package by key, letter case ignored. When a key occurs
// more than once, the first section in the file counts. The package's bytes
// must outlive the index.
class PackageIndex
{
public:
    explicit PackageIndex(QByteArrayView package);

    // Found with the value; Damaged when the key is not found but a broken
    // section begins with its start marker; Missing otherwise.
    SectionLookup Find(QByteArrayView key) const;

    const SectionListing &Listing() const { return m_listing; }
    // False for a file that holds no section at all: a bare template.
    bool HasSections() const { return !m_listing.sections.empty() || !m_listing.broken.empty(); }
    // Whole and broken sections together: no package holds more.
    qsizetype SectionCount() const { return qsizetype(m_listing.sections.size() + m_listing.broken.size()); }

private:
    QByteArrayView m_package;
    SectionListing m_listing;
    QHash<QByteArray, qsizetype> m_byKey; // upper-case key: index into the sections
};

// One key's section; for many keys, build a PackageIndex once.
SectionLookup FindSection(QByteArrayView package, QByteArrayView key);
