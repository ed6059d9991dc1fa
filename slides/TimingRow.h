#pragma once

#include "slides/DurationField.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;
class TUpDown;

// The row of a slide's duration and transition that the project settings
// and the slide properties dialogs share: Label1, txtDuration with its
// arrows udDuration, Label2 and cbTransition.
struct TTimingRow
{
    QLabel *Label1 = nullptr;
    QLineEdit *txtDuration = nullptr;
    TUpDown *udDuration = nullptr;
    QLabel *Label2 = nullptr;
    QComboBox *cbTransition = nullptr;
};

// Where a dialog's design puts the row, and the range of the arrows.
struct TimingRowDesign
{
    QString durationText;
    QPoint durationLabel;
    QRect durationEdit;
    DurationRange range;
    int position;
    QString transitionText;
    QPoint transitionLabel;
    QRect transitionBox;
};

// Makes the row's controls in the dialog; the transition box lists the names.
void MakeTimingRow(QWidget *dialog, TTimingRow &row, const TimingRowDesign &design, const QStringList &transitions);

// Fits the row's labels to their texts and moves the row along where a wide
// font needs it; returns the row's right edge.
int FlowTimingRow(const TTimingRow &row);

// The row's widgets, left to right.
QList<QWidget *> TimingRowWidgets(const TTimingRow &row);
