#include "slides/DurationField.h"

TDurationValidator::TDurationValidator(DurationRange range, QObject *parent) : QValidator(parent), m_range(range) {}

QValidator::State TDurationValidator::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return Intermediate;
    // Up to the digits of the range's greatest value: longer numbers never
    // fit, and the count keeps the conversion below from overflowing.
    if (input.size() > QString::number(m_range.maximum).size())
        return Invalid;
    for (const QChar c : input) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Invalid;
    }
    const int value = input.toInt();
    if (value > m_range.maximum)
        return Invalid;
    return value < m_range.minimum ? Intermediate : Acceptable;
}

void TDurationValidator::fixup(QString &input) const
{
    int pos = 0;
    QString text = input;
    if (validate(text, pos) != Acceptable)
        input = QString::number(m_range.minimum);
}
