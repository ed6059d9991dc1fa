#include "project/IdentTable.h"

const char *IdentTable::NameOf(int32_t value) const
{
    for (const IdentEntry &entry : m_entries) {
        if (entry.value == value)
            return entry.name;
    }
    return nullptr;
}

std::optional<int32_t> IdentTable::ValueOf(const QString &name) const
{
    for (const IdentEntry &entry : m_entries) {
        if (name.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

namespace {

constexpr int32_t System(int32_t index) { return int32_t(0x80000000u | uint32_t(index)); }

const IdentEntry kColors[] = {
    {"clBlack", 0},
    {"clMaroon", 128},
    {"clGreen", 32768},
    {"clOlive", 32896},
    {"clNavy", 8388608},
    {"clPurple", 8388736},
    {"clTeal", 8421376},
    {"clGray", 8421504},
    {"clSilver", 12632256},
    {"clRed", 255},
    {"clLime", 65280},
    {"clYellow", 65535},
    {"clBlue", 16711680},
    {"clFuchsia", 16711935},
    {"clAqua", 16776960},
    {"clWhite", 16777215},
    {"clMoneyGreen", 0xC0DCC0},
    {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},
    {"clMedGray", 0xA4A0A0},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", System(0)},
    {"clBackground", System(1)},
    {"clActiveCaption", System(2)},
    {"clInactiveCaption", System(3)},
    {"clMenu", System(4)},
    {"clWindow", System(5)},
    {"clWindowFrame", System(6)},
    {"clMenuText", System(7)},
    {"clWindowText", System(8)},
    {"clCaptionText", System(9)},
    {"clActiveBorder", System(10)},
    {"clInactiveBorder", System(11)},
    {"clAppWorkSpace", System(12)},
    {"clHighlight", System(13)},
    {"clHighlightText", System(14)},
    {"clBtnFace", System(15)},
    {"clBtnShadow", System(16)},
    {"clGrayText", System(17)},
    {"clBtnText", System(18)},
    {"clInactiveCaptionText", System(19)},
    {"clBtnHighlight", System(20)},
    {"cl3DDkShadow", System(21)},
    {"cl3DLight", System(22)},
    {"clInfoText", System(23)},
    {"clInfoBk", System(24)},
    {"clHotLight", System(26)},
    {"clGradientActiveCaption", System(27)},
    {"clGradientInactiveCaption", System(28)},
    {"clMenuHighlight", System(29)},
    {"clMenuBar", System(30)},
};

const IdentEntry kCursors[] = {{"crDefault", 0}};

// The character set codes of Windows fonts (LOGFONT lfCharSet).
const IdentEntry kCharsets[] = {
    {"ANSI_CHARSET", 0},         {"DEFAULT_CHARSET", 1},     {"SYMBOL_CHARSET", 2},
    {"MAC_CHARSET", 77},         {"SHIFTJIS_CHARSET", 128},  {"HANGEUL_CHARSET", 129},
    {"JOHAB_CHARSET", 130},      {"GB2312_CHARSET", 134},    {"CHINESEBIG5_CHARSET", 136},
    {"GREEK_CHARSET", 161},      {"TURKISH_CHARSET", 162},   {"VIETNAMESE_CHARSET", 163},
    {"HEBREW_CHARSET", 177},     {"ARABIC_CHARSET", 178},    {"BALTIC_CHARSET", 186},
    {"RUSSIAN_CHARSET", 204},    {"THAI_CHARSET", 222},      {"EASTEUROPE_CHARSET", 238},
    {"OEM_CHARSET", 255},
};

const IdentEntry kBooleans[] = {{"False", 0}, {"True", 1}};
const IdentEntry kHelpTypes[] = {{"htKeyword", 0}, {"htContext", 1}};
const IdentEntry kBoxTypes[] = {{"btImage", 0}, {"btText", 1}, {"btTemplate", 2}};
const IdentEntry kFrameTypes[] = {{"ftOuter", 0}, {"ftInner", 1}, {"ftMiddle", 2}};
const IdentEntry kAlignments[] = {{"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}};
const IdentEntry kFontPitches[] = {{"fpDefault", 0}, {"fpVariable", 1}, {"fpFixed", 2}};
const IdentEntry kMotions[] = {{"mnNone", 0}, {"mnAuto", 1}, {"mnZoomIn", 2}, {"mnZoomOut", 3}, {"mnPan", 4}};
const IdentEntry kFontStyles[] = {{"fsBold", 0}, {"fsItalic", 1}, {"fsUnderline", 2}, {"fsStrikeOut", 3}};

} // namespace

const IdentTable kColorIdents(kColors);
const IdentTable kCursorIdents(kCursors);
const IdentTable kCharsetIdents(kCharsets);
const IdentTable kBooleanIdents(kBooleans);
const IdentTable kHelpTypeIdents(kHelpTypes);
const IdentTable kBoxTypeIdents(kBoxTypes);
const IdentTable kFrameTypeIdents(kFrameTypes);
const IdentTable kAlignmentIdents(kAlignments);
const IdentTable kFontPitchIdents(kFontPitches);
const IdentTable kFontStyleIdents(kFontStyles);
const IdentTable kMotionIdents(kMotions);
