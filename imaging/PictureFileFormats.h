#pragma once

#include "imaging/Graphic.h"

#include <QString>

#include <memory>
#include <vector>

// The process-wide picture file-format table: which picture class decodes a
// file, chosen by the file's extension. It starts with the framework's own
// entries (wmf, emf, ico, bmp, jpeg, jpg); the format registry appends its
// entries, which shadow those because lookups run from the last entry to the
// first.

struct PictureFileFormat
{
    QString extension; // without the dot, lower case
    QString description;
    const TGraphicClass *graphicClass;
};

// Appends an entry; the extension is folded to lower case.
void RegisterPictureFileFormat(const QString &extension, const QString &description, const TGraphicClass &graphicClass);

// Removes every entry of the class.
void UnregisterPictureGraphicClass(const TGraphicClass &graphicClass);

// The class for a file name, searched from the last entry to the first by the
// file's extension (folded to lower case). Fails with EInvalidGraphic
// "Unknown picture file extension (.%s)" when no entry matches.
const TGraphicClass &PictureGraphicClassFor(const QString &fileName);

// Creates a picture of the class the file's extension selects and loads the
// file into it, smaller where the class can and the scale asks for it;
// fails with the table's or the decoder's message.
std::unique_ptr<TGraphic> LoadPictureGraphic(const QString &path, const TPictureScale &scale = {});

// The entries in registration order.
std::vector<PictureFileFormat> PictureFileFormats();

// Puts the table back to the framework's own entries. Start-up begins from
// here, so the registry can be set up again after a shut-down in one process.
void RestoreFrameworkPictureFormats();

// The extension of a file name without the dot ("" when the name has none),
// ASCII letters folded to lower case.
QString PictureFileExtension(const QString &fileName);

// ASCII letters folded to lower case; other characters stay as they are.
QString FoldAsciiLower(const QString &text);
