#pragma once

#include "imaging/Graphic.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

// What a registered extension holds, one bit each.
enum TFormatKind : uint8_t {
    fkAnimation = 1 << 0,
    fkLayered = 1 << 1,
    fkMultiImage = 1 << 2,
    fkRaster = 1 << 3,
    fkVector = 1 << 4,
};
using TFormatKinds = uint8_t;

// The format registry: which extensions the program decodes and which
// decoder class handles each. Every registration is handed on to the picture
// file-format table (imaging/PictureFileFormats.h), which loading consults.
class TFileFormatList
{
public:
    struct ClassRecord
    {
        const TGraphicClass *graphicClass;
        QString description; // the class's common description, may be empty
        int32_t count;       // extension records that refer to this record
    };
    struct ExtensionRecord
    {
        QString extension;   // without the dot, as passed
        QString description; // the extension's own description, may be empty
        TFormatKinds kinds;
        ClassRecord *classRecord;
    };

    TFileFormatList();
    ~TFileFormatList();
    TFileFormatList(const TFileFormatList &) = delete;
    TFileFormatList &operator=(const TFileFormatList &) = delete;

    // Registers the extension for the class; an empty extension registers
    // nothing. A non-empty common description replaces the class's. Fails
    // with "Attempt to register %s twice." when the extension is taken.
    void RegisterFileFormat(const QString &extension, const QString &commonDescription,
                            const QString &ownDescription, TFormatKinds kinds, const TGraphicClass &graphicClass);

    // With an extension: removes it, and the class too once no extension
    // refers to it any more. With an empty extension: removes the class and
    // every extension of it.
    void UnregisterFileFormat(const QString &extension, const TGraphicClass &graphicClass);

    // Index of the first extension record equal to the extension with ASCII
    // letters folded to one case; -1 for an empty argument or no match.
    int FindExtension(const QString &extension) const;
    // Index of the class record of the class; -1 when there is none.
    int FindGraphicClass(const TGraphicClass &graphicClass) const;

    // Withdraws every class from the picture file-format table and empties
    // both lists.
    void Clear();

    int ClassCount() const { return int(m_classes.size()); }
    int ExtensionCount() const { return int(m_extensions.size()); }
    const ClassRecord &Class(int index) const { return *m_classes.at(size_t(index)); }
    const ExtensionRecord &Extension(int index) const { return *m_extensions.at(size_t(index)); }

    // The extension's own description, or its class's common one when it has
    // none: what registration hands on to the picture file-format table.
    QString HandedOnDescription(int extensionIndex) const;

private:
    void RemoveClassRecord(const ClassRecord *record);

    std::vector<std::unique_ptr<ClassRecord>> m_classes;
    std::vector<std::unique_ptr<ExtensionRecord>> m_extensions;
};
