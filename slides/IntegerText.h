#pragma once

#include "common/VistranoError.h"

#include <QString>

#include <optional>

// A text that should be a whole number and is not.
class EConvertError : public VistranoError
{
public:
    using VistranoError::VistranoError;
};

// The number a text holds as the program reads typed numbers: leading
// spaces, an optional sign, then decimal digits, or hexadecimal ones after
// "$" or "0x"; nothing may follow, and the value fits 32 bits. None when the
// text is no such number.
std::optional<int> ParseInteger(const QString &text);

// ParseInteger, failing with "'%s' is not a valid integer value".
int StrToInt(const QString &text);

// An up-down control's position for a stored value: rounded to the nearest
// whole number and brought into min..max; min for a value that is not a
// number.
int UpDownPosition(double value, int min, int max);

// The entry of a list of count entries that a stored code selects: the code
// rounded, or -1 (no entry) for a code outside the list.
int ListIndexForCode(double code, int count);
