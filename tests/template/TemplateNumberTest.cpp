#include "template/TemplateNumber.h"

#include "platform/AppError.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

long errorNumberOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const AppError &error) {
        return error.number();
    }
    return 0;
}

TEST(TemplateNumberLeading, ReadsSignDigitsAndFraction)
{
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("42")), 42.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("-1")), -1.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("+7")), 7.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("2.5")), 2.5);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral(".5")), 0.5);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("5.")), 5.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("  12")), 12.0);
}

// Whole numbers are read digit by digit, longer ones through the text
// conversion: both agree, sign of zero included.
TEST(TemplateNumberLeading, WholeNumbersOfEveryLengthAndTheSignOfZero)
{
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("123456789012345")), 123456789012345.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("12345678901234567")), 12345678901234567.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("007,1")), 7.0);
    EXPECT_TRUE(std::signbit(TemplateNumber::leadingNumber(QStringLiteral("-0"))));
    EXPECT_FALSE(std::signbit(TemplateNumber::leadingNumber(QStringLiteral("+0"))));
}

TEST(TemplateNumberLeading, StopsAtTheFirstCharacterThatIsNoPartOfANumber)
{
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("23400/7")), 23400.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("12abc")), 12.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("1.5.3")), 1.5);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("0.3")), 0.3);
}

TEST(TemplateNumberLeading, TextWithoutANumberIsZero)
{
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QString()), 0.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("-")), 0.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral(".")), 0.0);
    EXPECT_DOUBLE_EQ(TemplateNumber::leadingNumber(QStringLiteral("x12")), 0.0);
}

TEST(TemplateNumberRounding, ExactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(TemplateNumber::roundHalfEven(0.5), 0.0);
    EXPECT_EQ(TemplateNumber::roundHalfEven(1.5), 2.0);
    EXPECT_EQ(TemplateNumber::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(TemplateNumber::roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(TemplateNumber::roundHalfEven(-1.5), -2.0);
    EXPECT_EQ(TemplateNumber::roundHalfEven(2.49), 2.0);
    EXPECT_EQ(TemplateNumber::roundHalfEven(2.51), 3.0);
}

TEST(TemplateNumberRounding, ByteRangeIsZeroTo255)
{
    EXPECT_EQ(TemplateNumber::toByte(255.0), 255);
    EXPECT_EQ(TemplateNumber::toByte(255.4), 255);
    EXPECT_EQ(TemplateNumber::toByte(-0.4), 0);
    EXPECT_EQ(errorNumberOf([] { TemplateNumber::toByte(255.5); }), 6);
    EXPECT_EQ(errorNumberOf([] { TemplateNumber::toByte(256.0); }), 6);
    EXPECT_EQ(errorNumberOf([] { TemplateNumber::toByte(-1.0); }), 6);
}

TEST(TemplateNumberRounding, Int16RangeIsSigned)
{
    EXPECT_EQ(TemplateNumber::toInt16(-32768.0), -32768);
    EXPECT_EQ(TemplateNumber::toInt16(32767.0), 32767);
    EXPECT_EQ(errorNumberOf([] { TemplateNumber::toInt16(32768.0); }), 6);
    EXPECT_EQ(errorNumberOf([] { TemplateNumber::toInt16(-32769.0); }), 6);
}

TEST(TemplateNumberMembership, ComparesLeadingNumbers)
{
    const QStringList fpts{QStringLiteral("21400"), QStringLiteral("23400/7")};
    EXPECT_TRUE(TemplateNumber::ItemInCollection(fpts, 23400.0));
    EXPECT_TRUE(TemplateNumber::ItemInCollection(fpts, QStringLiteral("23400/3")));
    EXPECT_TRUE(TemplateNumber::ItemInCollection(fpts, QStringLiteral("21400")));
    EXPECT_FALSE(TemplateNumber::ItemInCollection(fpts, 234.0));
    EXPECT_FALSE(TemplateNumber::ItemInCollection(QStringList(), 0.0));
    EXPECT_TRUE(TemplateNumber::ItemInCollection(QList<int>{81, 95}, 95.0));
    EXPECT_FALSE(TemplateNumber::ItemInCollection(QList<int>{81, 95}, 117.0));
}

} // namespace
