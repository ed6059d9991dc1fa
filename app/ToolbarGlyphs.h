#pragma once

#include <QIcon>

// The pictures of the toolbar buttons (ImageList1), drawn as vectors so
// that they stay sharp at every size the style asks for.
enum class ToolbarGlyph { Details, Thumbnails, RotateLeft, RotateRight };

QIcon ToolbarIcon(ToolbarGlyph glyph);
