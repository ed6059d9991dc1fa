#pragma once

class TFileFormatList;

// Start-up and shut-down of the picture formats. Every program that loads
// pictures (the desktop program, vistrano-cli, the tests, the fuzz targets
// that go through the table) calls RegisterFileFormats once before the first
// picture is loaded and UnregisterFileFormats when it ends; the guard below
// does both for a scope such as main().

// Creates the one TFileFormatList and registers the program's 44 extensions
// for its 21 decoder classes, starting from the picture file-format table's
// framework entries. Fails with VistranoError when the formats are already
// registered.
void RegisterFileFormats();

// Withdraws the decoder classes in shut-down order and destroys the list;
// does nothing when the formats are not registered.
void UnregisterFileFormats();

// The registry while the formats are registered, otherwise nullptr.
const TFileFormatList *FileFormatList();

class TFileFormatRegistration
{
public:
    TFileFormatRegistration() { RegisterFileFormats(); }
    ~TFileFormatRegistration() { UnregisterFileFormats(); }
    TFileFormatRegistration(const TFileFormatRegistration &) = delete;
    TFileFormatRegistration &operator=(const TFileFormatRegistration &) = delete;
};
