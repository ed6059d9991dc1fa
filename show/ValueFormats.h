#pragma once

#include <QByteArray>

// The text forms of a slide's numbers in a package. The decimal separator is
// always a full stop, whatever the user's locale: the player reads the values
// back on machines set to any locale.

// "%4.2f": two decimals, padded with leading spaces to 4 characters
// (4 gives "4.00", 12 gives "12.00").
QByteArray FormatDuration(double seconds);

// "%2.0f": no decimals, padded with leading spaces to 2 characters
// (0 gives " 0", 5 gives " 5").
QByteArray FormatTransition(double code);
