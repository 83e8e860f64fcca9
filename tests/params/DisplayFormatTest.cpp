#include "params/DisplayFormat.h"

#include "params/SnvtPreset.h"

#include <gtest/gtest.h>

TEST(DisplayFormatRounding, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(DisplayFormat::roundHalfEven(2.5), 2.0);
    EXPECT_EQ(DisplayFormat::roundHalfEven(3.5), 4.0);
    EXPECT_EQ(DisplayFormat::roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(DisplayFormat::roundHalfEven(-3.5), -4.0);
    EXPECT_EQ(DisplayFormat::roundHalfEven(2.5000001), 3.0);
    EXPECT_EQ(DisplayFormat::roundHalfEven(-0.4), 0.0);
}

TEST(DisplayFormatRounding, DecimalHalvesAreJudgedAsTyped)
{
    // 21.55 and 21.45 are not exact in binary; the user still sees halves.
    EXPECT_DOUBLE_EQ(DisplayFormat::roundHalfEven(21.55, 1), 21.6);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundHalfEven(21.45, 1), 21.4);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundHalfEven(0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundHalfEven(0.135, 2), 0.14);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundHalfEven(1.0005, 3), 1.0);
}

TEST(DisplayFormatRounding, CorrectedValueSnapsToTheStep)
{
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(20.26, RES_0_5), 20.5);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(120, RES_50), 100);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(125, RES_50), 100); // 2.5 steps -> 2
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(175, RES_50), 200); // 3.5 steps -> 4
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(20.3, RES_0_2), 20.4);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(0.125, RES_0_0_5), 0.1);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(0.135, RES_0_0_2), 0.14);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(0.13, RES_0_0_2), 0.12); // a tie: 6.5 steps -> 6
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(65.5355, RES_0_0_0_1), 65.536);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(1.0035, RES_0_0_0_5), 1.005);
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(1.0033, RES_0_0_0_2), 1.004);
    // The whole-number step leaves the value to the display pattern.
    EXPECT_DOUBLE_EQ(DisplayFormat::roundToStep(12.7, RES_1), 12.7);
}

TEST(DisplayFormatText, PatternsByResolution)
{
    EXPECT_EQ(DisplayFormat::format(20.5, RES_0_5), QStringLiteral("20.5"));
    EXPECT_EQ(DisplayFormat::format(-1, RES_0_0_1), QStringLiteral("-1.00"));
    EXPECT_EQ(DisplayFormat::format(65535, RES_1), QStringLiteral("65535"));
    EXPECT_EQ(DisplayFormat::format(2.5, RES_1), QStringLiteral("2"));
    EXPECT_EQ(DisplayFormat::format(150, RES_50), QStringLiteral("150"));
    EXPECT_EQ(DisplayFormat::format(65.535, RES_0_0_0_1), QStringLiteral("65.535"));
    EXPECT_EQ(DisplayFormat::format(0.125, RES_0_0_1), QStringLiteral("0.12"));
    // Zero never shows a minus.
    EXPECT_EQ(DisplayFormat::format(-0.001, RES_0_0_1), QStringLiteral("0.00"));
    EXPECT_EQ(DisplayFormat::format(-0.4, RES_1), QStringLiteral("0"));
}

TEST(DisplayFormatText, ShortestFormOfSingles)
{
    EXPECT_EQ(DisplayFormat::shortest(40.0f), QStringLiteral("40"));
    EXPECT_EQ(DisplayFormat::shortest(-273.17f), QStringLiteral("-273.17"));
    EXPECT_EQ(DisplayFormat::shortest(65.535f), QStringLiteral("65.535"));
    EXPECT_EQ(DisplayFormat::shortest(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(DisplayFormat::shortest(65535.0f), QStringLiteral("65535"));
    EXPECT_EQ(DisplayFormat::shortest(-0.0f), QStringLiteral("0"));
}

TEST(DisplayFormatSteps, StepAndResolutionMatchBothWays)
{
    for (int r = RES_50; r <= RES_0_0_0_1; ++r) {
        eResolution found = RES_1;
        const auto resolution = static_cast<eResolution>(r);
        ASSERT_TRUE(
            DisplayFormat::resolutionOfStep(static_cast<float>(DisplayFormat::step(resolution)), found));
        EXPECT_EQ(found, resolution);
    }
    eResolution untouched = RES_0_5;
    EXPECT_FALSE(DisplayFormat::resolutionOfStep(0.3f, untouched));
    EXPECT_EQ(untouched, RES_0_5);
}
