#include "imaging/FileFormatList.h"

#include "common/VistranoError.h"
#include "imaging/PictureFileFormats.h"

#include <algorithm>

TFileFormatList::TFileFormatList() = default;

TFileFormatList::~TFileFormatList()
{
    Clear();
}

int TFileFormatList::FindExtension(const QString &extension) const
{
    if (extension.isEmpty())
        return -1;
    const QString folded = FoldAsciiLower(extension);
    for (size_t i = 0; i < m_extensions.size(); ++i)
        if (FoldAsciiLower(m_extensions[i]->extension) == folded)
            return int(i);
    return -1;
}

int TFileFormatList::FindGraphicClass(const TGraphicClass &graphicClass) const
{
    for (size_t i = 0; i < m_classes.size(); ++i)
        if (m_classes[i]->graphicClass == &graphicClass)
            return int(i);
    return -1;
}

void TFileFormatList::RegisterFileFormat(const QString &extension, const QString &commonDescription,
                                         const QString &ownDescription, TFormatKinds kinds,
                                         const TGraphicClass &graphicClass)
{
    if (extension.isEmpty())
        return;
    if (FindExtension(extension) >= 0)
        throw EInvalidGraphic(QStringLiteral("Attempt to register %1 twice.").arg(extension));

    ClassRecord *classRecord;
    const int classIndex = FindGraphicClass(graphicClass);
    if (classIndex >= 0) {
        classRecord = m_classes[size_t(classIndex)].get();
    } else {
        m_classes.push_back(std::make_unique<ClassRecord>(ClassRecord{&graphicClass, QString(), 0}));
        classRecord = m_classes.back().get();
    }
    if (!commonDescription.isEmpty())
        classRecord->description = commonDescription;
    ++classRecord->count;
    m_extensions.push_back(
        std::make_unique<ExtensionRecord>(ExtensionRecord{extension, ownDescription, kinds, classRecord}));

    RegisterPictureFileFormat(extension, HandedOnDescription(ExtensionCount() - 1), graphicClass);
}

void TFileFormatList::UnregisterFileFormat(const QString &extension, const TGraphicClass &graphicClass)
{
    if (!extension.isEmpty()) {
        const int index = FindExtension(extension);
        if (index < 0)
            return;
        ClassRecord *classRecord = m_extensions[size_t(index)]->classRecord;
        if (--classRecord->count <= 0) {
            UnregisterPictureGraphicClass(*classRecord->graphicClass);
            RemoveClassRecord(classRecord);
        }
        m_extensions.erase(m_extensions.begin() + index);
        return;
    }

    const int classIndex = FindGraphicClass(graphicClass);
    if (classIndex < 0)
        return;
    ClassRecord *classRecord = m_classes[size_t(classIndex)].get();
    for (size_t i = m_extensions.size(); i-- > 0 && classRecord->count > 0;) {
        if (m_extensions[i]->classRecord != classRecord)
            continue;
        --classRecord->count;
        m_extensions.erase(m_extensions.begin() + ptrdiff_t(i));
    }
    RemoveClassRecord(classRecord);
    UnregisterPictureGraphicClass(graphicClass);
}

void TFileFormatList::Clear()
{
    for (const auto &classRecord : m_classes)
        UnregisterPictureGraphicClass(*classRecord->graphicClass);
    m_extensions.clear();
    m_classes.clear();
}

QString TFileFormatList::HandedOnDescription(int extensionIndex) const
{
    const ExtensionRecord &record = Extension(extensionIndex);
    return record.description.isEmpty() ? record.classRecord->description : record.description;
}

void TFileFormatList::RemoveClassRecord(const ClassRecord *record)
{
    std::erase_if(m_classes, [&](const std::unique_ptr<ClassRecord> &r) { return r.get() == record; });
}
