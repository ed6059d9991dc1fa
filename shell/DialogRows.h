#pragma once

#include <QList>

class QLabel;
class QPoint;
class QString;
class QWidget;

// The dialogs are drawn at their designed places, which suit a narrow
// 8-point font. With wider or taller fonts a label would run into the
// control beside or below it; these helpers keep the design where the
// texts fit and move things along where they do not.

// One widget of a row and the pixels it keeps from the one before it.
struct RowItem
{
    QWidget *widget;
    int gap = 4;
};

// Gives labels, buttons, edits and drop-down lists at least the width and
// the height their texts need.
void FitText(QWidget *widget);

// Places a row left to right: each widget at its designed x, or just right
// of the widget before it when that would overlap. Returns the row's right
// edge (the x after its last pixel).
int FlowRow(const QList<RowItem> &row);

// One row of a column: widgets side by side, which move up and down
// together, and the pixels the row keeps from the one above it.
struct ColumnRow
{
    QList<QWidget *> widgets;
    int gap = 2;
};

// Places rows top to bottom: each row at its designed y, or just below the
// row above it when that would overlap. Returns the column's bottom edge
// (the y after its last pixel).
int FlowColumn(const QList<ColumnRow> &column);

// A label of a dialog at its designed place, named as the dialog names it.
QLabel *MakeLabel(QWidget *parent, const char *name, const QString &text, QPoint at);
