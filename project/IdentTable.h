#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <span>

// A name table of an integer or enumeration type: the identifiers a stream
// uses for some of its values. Writing takes the first name of a value;
// reading matches names without regard to letter case.
struct IdentEntry
{
    const char *name;
    int32_t value;
};

class IdentTable
{
public:
    constexpr explicit IdentTable(std::span<const IdentEntry> entries) : m_entries(entries) {}

    const char *NameOf(int32_t value) const;
    std::optional<int32_t> ValueOf(const QString &name) const;
    std::span<const IdentEntry> Entries() const { return m_entries; }

private:
    std::span<const IdentEntry> m_entries;
};

// TColor: plain colours 00BBGGRR, system colours 80000000 plus their index.
extern const IdentTable kColorIdents;
// TCursor: a slide box only ever has crDefault.
extern const IdentTable kCursorIdents;
// TFontCharset: the character sets of Windows fonts.
extern const IdentTable kCharsetIdents;

// Enumerations, by ordinal.
extern const IdentTable kBooleanIdents;     // False, True
extern const IdentTable kHelpTypeIdents;    // htKeyword, htContext
extern const IdentTable kBoxTypeIdents;     // btImage, btText, btTemplate
extern const IdentTable kFrameTypeIdents;   // ftOuter, ftInner, ftMiddle
extern const IdentTable kAlignmentIdents;   // taLeftJustify, taRightJustify, taCenter
extern const IdentTable kFontPitchIdents;   // fpDefault, fpVariable, fpFixed
extern const IdentTable kFontStyleIdents;   // set members fsBold, fsItalic, fsUnderline, fsStrikeOut
extern const IdentTable kMotionIdents;      // mnNone, mnAuto, mnZoomIn, mnZoomOut, mnPan
