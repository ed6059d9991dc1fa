#pragma once

#include "project/RectBoxProperties.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <span>
#include <type_traits>
#include <variant>

class IdentTable;

// How a property's value is encoded.
enum class PropertyKind : uint8_t {
    Name,        // the record's object name, never an entry
    Integer,     // integer, with identifiers from `idents` when it has a table
    Boolean,
    Enumeration, // identifiers from `idents`
    Set,         // member names from `idents`, held as a bit mask
    Float,       // a double (or date-time) written as an extended float
    Extended,    // a long double
    Text,
    Font,        // nested data holder: "Font.*" entries
    Picture,     // nested: "<name>.Data"
    Lines,       // nested: "Lines.Strings"
    BoxReference,
    MenuReference,
    Event,
};

// When the writer writes a property.
enum class WriteRule : uint8_t {
    Never,
    Always,
    NotDefault, // an ordinal with a declared default: not when equal to it
    NotZero,    // a float: not when 0
    NotEmpty,   // a text: not when empty
    Assigned,   // a reference: not when unassigned
    HoldsImage, // a picture: only when it holds an image
    HasLines,   // a line list: only with at least one line
    OwnFont,    // a font: only when the box does not take its parent's
};

template <class T>
struct PropertyAccess
{
    T (*get)(const RectBoxProperties &);
    bool (*set)(RectBoxProperties &, T);
};

using AnyAccess = std::variant<std::monostate, PropertyAccess<int32_t>, PropertyAccess<bool>,
                               PropertyAccess<double>, PropertyAccess<long double>, PropertyAccess<QString>,
                               PropertyAccess<RectBoxProperties *>, PropertyAccess<TPictureData>>;

// One persistent property of the slide box: its name, how it is encoded,
// when it is written, its declared default (for NotDefault), its name
// table, and how it is read and set.
struct RectBoxProperty
{
    const char *name;
    PropertyKind kind;
    WriteRule rule;
    int32_t defaultValue;
    const IdentTable *idents;
    AnyAccess access;
};

// The properties of a slide box in their declared order, inherited ones
// first: the order in which a record lists them.
std::span<const RectBoxProperty> RectBoxPropertyTable();
// The property of that name (letter case ignored), or null.
const RectBoxProperty *FindRectBoxProperty(QByteArrayView name);

// The inner properties of the font, in their order.
std::span<const RectBoxProperty> FontPropertyTable();
const RectBoxProperty *FindFontProperty(QByteArrayView name);

// The accessor of a getter and setter pair; enumerations travel as their
// ordinal, texts and pictures by value.
template <auto Get, auto Set>
constexpr auto Accessor()
{
    using Value = std::remove_cvref_t<std::invoke_result_t<decltype(Get), const RectBoxProperties &>>;
    using Stored = std::conditional_t<std::is_enum_v<Value>, int32_t, Value>;
    return PropertyAccess<Stored>{
        [](const RectBoxProperties &box) -> Stored { return static_cast<Stored>((box.*Get)()); },
        [](RectBoxProperties &box, Stored value) -> bool { return (box.*Set)(static_cast<Value>(value)); },
    };
}
