#pragma once

#include <cstdint>

// The tag byte that starts every value of a component stream.
enum class ValueTag : uint8_t {
    End = 0,
    List = 1,
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5,
    String = 6,
    Ident = 7,
    False = 8,
    True = 9,
    Binary = 10,
    Set = 11,
    LongString = 12,
    Nil = 13,
    Collection = 14,
    Single = 15,
    Currency = 16,
    Date = 17,
    WideString = 18,
    Int64 = 19,
    Utf8String = 20,
};

constexpr uint8_t kLastValueTag = uint8_t(ValueTag::Utf8String);
