#include "show/ValueFormats.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

// Switches the C and Qt locales to one that writes a decimal comma.
class CommaLocale
{
public:
    CommaLocale() : m_old(std::setlocale(LC_ALL, nullptr))
    {
        m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, m_old.c_str());
        QLocale::setDefault(QLocale::c());
    }
    bool Active() const { return m_active; }

private:
    std::string m_old;
    bool m_active = false;
};

} // namespace

TEST(ValueFormats, DurationAndTransitionUseAFullStopInAnyLocale)
{
    const CommaLocale locale;
    // The locale (locales-all) must really write commas, or the test proves
    // nothing.
    ASSERT_TRUE(locale.Active());
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%4.2f", 4.0);
    ASSERT_STREQ(buffer, "4,00");

    EXPECT_EQ(FormatDuration(4), QByteArray("4.00"));
    EXPECT_EQ(FormatDuration(12), QByteArray("12.00"));
    EXPECT_EQ(FormatDuration(0), QByteArray("0.00"));
    EXPECT_EQ(FormatDuration(1.005), QByteArray("1.00")); // the binary value lies below 1.005
    EXPECT_EQ(FormatDuration(-3), QByteArray("-3.00"));
    EXPECT_EQ(FormatTransition(0), QByteArray(" 0"));
    EXPECT_EQ(FormatTransition(5), QByteArray(" 5"));
    EXPECT_EQ(FormatTransition(12), QByteArray("12"));
    EXPECT_EQ(FormatTransition(2.5), QByteArray(" 2")); // printf's rounding: half to even
}
