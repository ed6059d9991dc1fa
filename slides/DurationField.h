#pragma once

#include <QValidator>

// The whole seconds a duration field takes.
struct DurationRange
{
    int minimum;
    int maximum;
};

// A slide's own duration, and the default that new slides take.
inline constexpr DurationRange kSlideDurationRange{1, 60};
inline constexpr DurationRange kDefaultDurationRange{2, 60};

// What may be typed into a duration field: digits only, and no number above
// the range. A number below the range, or no number at all, may stand while
// the user types (on the way from "1" to "15"); leaving the field makes it
// the range's least value.
class TDurationValidator : public QValidator
{
public:
    explicit TDurationValidator(DurationRange range, QObject *parent = nullptr);

    State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;

    DurationRange Range() const { return m_range; }

private:
    DurationRange m_range;
};
