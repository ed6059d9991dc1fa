#pragma once

#include <QString>

class RectBoxProperties;

// A number in the general text form: the shortest that gives the value back
// to 15 significant digits, in scientific form ("1E15", "1.5E-7") only when
// the exponent is below -4 or 15 and above; the decimal separator is the
// user's (5 gives "5", 2.5 gives "2.5", or "2,5" where a comma separates).
QString GeneralFloatText(double value);

// The block printed under a slide's picture, one line break between the
// parts: "n. file" (the file name without its folder), "Duration: " with the
// seconds, "Transition: " with the name of the transition at the integer part
// of the code (nothing for a code that names none), "Caption: " with the
// caption, whose own line breaks are kept.
QString SlideSheetText(int n, const QString &fileName, double duration, double transitionCode,
                       const QString &caption);
QString SlideSheetText(int n, const RectBoxProperties &slide);

// The line at the foot of every page: the program and its maker, two blanks
// and the maker's web address.
QString SheetFooterText();
