#include "tests/show/ShowTestSupport.h"

#include "show/PackageReader.h"

#include <QDir>

#include <gtest/gtest.h>

#include <algorithm>

QImage TestPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool corner = x < width / 4 && y < height / 4;
            picture.setPixel(x, y, corner ? qRgb(250, 250, 250) : qRgb(x * 255 / width, y * 255 / height, 90));
        }
    }
    return picture;
}

QString WriteTestPicture(const QString &folder, const QString &name, int width, int height)
{
    const QString path = QDir(folder).filePath(name);
    TestPicture(width, height).save(path);
    return path;
}

void PackageModel::Append(const QByteArray &key, const QByteArray &value)
{
    sections.emplace_back(key.toUpper(), value);
}

void PackageModel::Replace(const QByteArray &key, const QByteArray &value)
{
    const auto old = std::find_if(sections.begin(), sections.end(),
                                  [&](const auto &section) { return section.first == key.toUpper(); });
    if (old != sections.end())
        sections.erase(old);
    Append(key, value);
}

QByteArray PackageModel::Bytes() const
{
    QByteArray bytes = templateBytes;
    for (const auto &[key, value] : sections)
        bytes += Section(key, value);
    return bytes;
}

void ExpectReadsAs(const QByteArray &package, const PackageModel &model)
{
    const PackageIndex index(package);
    const SectionListing &listing = index.Listing();
    EXPECT_TRUE(listing.problem.isEmpty()) << listing.problem.toStdString();
    EXPECT_EQ(listing.templateSize, model.templateBytes.size());
    ASSERT_EQ(listing.sections.size(), model.sections.size());
    for (size_t i = 0; i < model.sections.size(); ++i) {
        const auto &[key, value] = model.sections[i];
        const ListedSection &listed = listing.sections[i];
        EXPECT_EQ(listed.key, key);
        EXPECT_EQ(package.mid(listed.valueOffset, listed.valueLength), value) << key.toStdString();
        // clang 14 does not let a lambda capture a structured binding.
        const auto &wanted = key;
        const auto first = std::find_if(model.sections.begin(), model.sections.end(),
                                        [&](const auto &section) { return section.first == wanted; });
        const SectionLookup found = index.Find(key.toLower());
        EXPECT_EQ(found.state, SectionState::Found) << key.toStdString();
        EXPECT_EQ(found.value, first->second) << key.toStdString();
    }
}

