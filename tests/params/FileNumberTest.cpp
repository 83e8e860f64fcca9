#include "params/FileNumber.h"

#include <cmath>
#include <gtest/gtest.h>

// Whole numbers of a parameter file are read digit by digit, everything else
// through the text conversion; both roads give the same numbers.
TEST(FileNumberTest, WholeNumbersAndTheRestReadAlike)
{
    EXPECT_EQ(FileNumber::number(QStringLiteral("12")), 12.0);
    EXPECT_EQ(FileNumber::number(QStringLiteral(" +12 ")), 12.0);
    EXPECT_EQ(FileNumber::number(QStringLiteral("-007")), -7.0);
    EXPECT_TRUE(std::signbit(*FileNumber::number(QStringLiteral("-0"))));
    EXPECT_EQ(FileNumber::number(QStringLiteral("123456789012345")), 123456789012345.0);
    EXPECT_EQ(FileNumber::number(QStringLiteral("1234567890123456")), 1234567890123456.0);
    EXPECT_EQ(FileNumber::number(QStringLiteral("1,5")), 1.5);
    EXPECT_EQ(FileNumber::number(QStringLiteral("2.5")), 2.5);
    EXPECT_EQ(FileNumber::number(QStringLiteral("+-5")), -5.0);
    for (const char *text : {"", " ", "+", "-", "-+5", "1 2", "12a", "0x10"})
        EXPECT_FALSE(FileNumber::number(QString::fromLatin1(text)).has_value()) << text;
    EXPECT_EQ(FileNumber::integer(QStringLiteral("255"), -128, 255), 255);
    EXPECT_FALSE(FileNumber::integer(QStringLiteral("256"), -128, 255).has_value());
    EXPECT_EQ(FileNumber::integer(QStringLiteral("2,5"), 0, 9), 2);
}
