#include "platform/services/KeyFilter.h"

#include <gtest/gtest.h>

TEST(KeyFilterTest, NumbersTakeDigitsOnly)
{
    for (int k = '0'; k <= '9'; ++k)
        EXPECT_EQ(KeyFilter::filter(k, KeyFilter::KA_Numbers), k);
    EXPECT_EQ(KeyFilter::filter('-', KeyFilter::KA_Numbers), 0);
    EXPECT_EQ(KeyFilter::filter('.', KeyFilter::KA_Numbers), 0);
    EXPECT_EQ(KeyFilter::filter(',', KeyFilter::KA_Numbers), 0);
    EXPECT_EQ(KeyFilter::filter('a', KeyFilter::KA_Numbers), 0);
    EXPECT_EQ(KeyFilter::filter(' ', KeyFilter::KA_Numbers), 0);
    EXPECT_EQ(KeyFilter::filter('+', KeyFilter::KA_Numbers), 0);
}

TEST(KeyFilterTest, NegativeModesAddTheMinusSign)
{
    EXPECT_EQ(KeyFilter::filter('-', KeyFilter::KA_NumbersNeg), '-');
    EXPECT_EQ(KeyFilter::filter('.', KeyFilter::KA_NumbersNeg), 0);
    EXPECT_EQ(KeyFilter::filter('-', KeyFilter::KA_NumbersFloatNeg), '-');
    EXPECT_EQ(KeyFilter::filter('-', KeyFilter::KA_NumbersFloat), 0);
}

TEST(KeyFilterTest, FloatModesAddEitherDecimalSeparator)
{
    for (const int mode : {int(KeyFilter::KA_NumbersFloat), int(KeyFilter::KA_NumbersFloatNeg)}) {
        EXPECT_EQ(KeyFilter::filter('.', mode), '.');
        EXPECT_EQ(KeyFilter::filter(',', mode), ',');
        EXPECT_EQ(KeyFilter::filter('5', mode), '5');
        EXPECT_EQ(KeyFilter::filter('e', mode), 0);
    }
}

TEST(KeyFilterTest, ControlKeysAlwaysPass)
{
    for (const int mode : {0, 1, 2, 3}) {
        EXPECT_EQ(KeyFilter::filter(8, mode), 8);   // backspace
        EXPECT_EQ(KeyFilter::filter(13, mode), 13); // enter
        EXPECT_EQ(KeyFilter::filter(22, mode), 22); // paste
        EXPECT_EQ(KeyFilter::filter(127, mode), 127);
    }
}

TEST(KeyFilterTest, AllAndUnknownModesFilterNothing)
{
    EXPECT_EQ(KeyFilter::filter('x', KeyFilter::KA_All), 'x');
    EXPECT_EQ(KeyFilter::filter('x', 5), 'x');
    EXPECT_EQ(KeyFilter::filter('x', -1), 'x');
    EXPECT_EQ(KeyFilter::filter(0xE4, KeyFilter::KA_All), 0xE4);
    EXPECT_EQ(KeyFilter::filter(0xE4, KeyFilter::KA_Numbers), 0);
}
