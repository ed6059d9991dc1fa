#pragma once

#include <QRect>

// A label's place in the about box, widened when its text needs more room
// than the design gave it (another font, a longer address): it keeps its
// centre and its top, and stays inside the box.
QRect FitLabelToText(const QRect &designed, int textWidth, int boxWidth);
