#include "slides/TimingRow.h"

#include "shell/DialogRows.h"
#include "slides/DurationField.h"
#include "slides/UpDown.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void MakeTimingRow(QWidget *dialog, TTimingRow &row, const TimingRowDesign &design, const QStringList &transitions)
{
    row.Label1 = MakeLabel(dialog, "Label1", design.durationText, design.durationLabel);
    row.txtDuration = new QLineEdit(dialog);
    row.txtDuration->setObjectName(QStringLiteral("txtDuration"));
    row.txtDuration->setGeometry(design.durationEdit);
    // Only a number of seconds in range can be typed.
    row.txtDuration->setValidator(new TDurationValidator(design.range, row.txtDuration));
    row.udDuration = new TUpDown(row.txtDuration, design.range.minimum, design.range.maximum, design.position, dialog);
    row.udDuration->setObjectName(QStringLiteral("udDuration"));
    row.Label2 = MakeLabel(dialog, "Label2", design.transitionText, design.transitionLabel);
    row.cbTransition = new QComboBox(dialog);
    row.cbTransition->setObjectName(QStringLiteral("cbTransition"));
    row.cbTransition->setEditable(false);
    row.cbTransition->setGeometry(design.transitionBox);
    row.cbTransition->addItems(transitions);
}

int FlowTimingRow(const TTimingRow &row)
{
    FitText(row.Label1);
    FitText(row.txtDuration);
    FitText(row.Label2);
    FitText(row.cbTransition);
    return FlowRow({{row.Label1}, {row.txtDuration}, {row.udDuration, 0}, {row.Label2, 8}, {row.cbTransition}});
}

QList<QWidget *> TimingRowWidgets(const TTimingRow &row)
{
    return {row.Label1, row.txtDuration, row.udDuration, row.Label2, row.cbTransition};
}
