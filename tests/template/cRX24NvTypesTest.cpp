#include "TemplateFixture.h"

namespace {

class cRX24NvTypes : public TemplateFixture
{
protected:
    void SetUp() override
    {
        TemplateFixture::SetUp();
        rx24().setFptIndex(21400);
    }
};

TEST_F(cRX24NvTypes, DefaultsByFptKeyIgnoreTheCurrentKey)
{
    EXPECT_EQ(rx24().DefaultNvTypePrimeInputByFptIndex(21201), 95);
    EXPECT_EQ(rx24().DefaultNvTypeSecInputByFptIndex(21400), 81);
    EXPECT_EQ(rx24().DefaultNvTypeOutputByFptIndex(21400), 81);
    EXPECT_EQ(rx24().DefaultSecInputPriorityByFptIndex(21201), 2);
    EXPECT_EQ(rx24().DefaultNvTypeOutputByFptIndex(520), 0); // no section
}

TEST_F(cRX24NvTypes, DefaultsWithoutKeyUseTheCurrentOne)
{
    EXPECT_EQ(rx24().DefaultNvTypePrimeInput(), 95);
    EXPECT_EQ(rx24().DefaultNvTypeSecInput(), 81);
    EXPECT_EQ(rx24().DefaultNvTypeOutput(), 81);
    rx24().setFptIndex(21201);
    EXPECT_EQ(rx24().DefaultNvTypeSecInput(), 95);
    EXPECT_EQ(rx24().DefaultNvTypeOutput(), 95);
}

TEST_F(cRX24NvTypes, DefaultsOutsideTheirRangeOverflow)
{
    EXPECT_EQ(errorNumberOf([this] { rx24().DefaultNvTypePrimeInputByFptIndex(23400); }), 6);
    EXPECT_EQ(errorNumberOf([this] { rx24().DefaultSecInputPriorityByFptIndex(23400); }), 6);
}

TEST_F(cRX24NvTypes, SupportedListsOfTheCurrentKey)
{
    EXPECT_EQ(rx24().SupportedNvTypesPrimeInput(), (QList<int>{95, 81, 117}));
    EXPECT_EQ(rx24().SupportedNvTypesOuput(), (QList<int>{81, 95}));
    EXPECT_EQ(rx24().SupportedNvTypesSecInput(1), (QList<int>{81, 117}));
    EXPECT_TRUE(rx24().SupportedNvTypesSecInput(7).isEmpty());
    EXPECT_EQ(rx24().SupportedPrioritiesSecInput(), (QList<int>{0, 1, 2}));
}

TEST_F(cRX24NvTypes, SecInputUnionKeepsFirstAppearance)
{
    // 81 is listed under priorities 0 and 1 and appears once, second.
    EXPECT_EQ(rx24().SupportedNvTypesSecInputAll(), (QList<int>{95, 81, 117}));
    EXPECT_TRUE(rx24().SecInputNvTypeSupported(117));
    EXPECT_FALSE(rx24().SecInputNvTypeSupported(22));
}

TEST_F(cRX24NvTypes, MembershipByFptKey)
{
    EXPECT_TRUE(rx24().PrimeInputNvTypeSupportedByFptIndex(21400, 117));
    EXPECT_FALSE(rx24().PrimeInputNvTypeSupportedByFptIndex(21201, 95));
    EXPECT_TRUE(rx24().SecInputNvTypeSupportedByFptIndex(21400, 117));
    EXPECT_TRUE(rx24().SecInputNvTypeSupportedByFptIndex(21201, 22));
    EXPECT_FALSE(rx24().SecInputNvTypeSupportedByFptIndex(21201, 95));
    EXPECT_TRUE(rx24().OutputNvTypeSupportedByFptIndex(21201, 117));
    EXPECT_FALSE(rx24().OutputNvTypeSupportedByFptIndex(21400, 117));
}

TEST_F(cRX24NvTypes, PrioritiesOfASecondaryType)
{
    EXPECT_EQ(rx24().SupportedPrioritiesSecInputByNvType(81), (QList<int>{0, 1}));
    EXPECT_EQ(rx24().SupportedPrioritiesSecInputByNvType(95), (QList<int>{0, 2}));
    EXPECT_TRUE(rx24().SupportedPrioritiesSecInputByNvType(22).isEmpty());
    EXPECT_TRUE(rx24().SecInputNvTypePriorityCombiIsValid(95, 2));
    EXPECT_FALSE(rx24().SecInputNvTypePriorityCombiIsValid(95, 1));
}

TEST_F(cRX24NvTypes, OutputTypeIsIgnoredOutsideTheSwitch)
{
    for (int out : {0, 22, 81, 95}) {
        EXPECT_EQ(rx24().SupportedPrioritiesSecInputByNvTypes(81, out),
                  rx24().SupportedPrioritiesSecInputByNvType(81));
        EXPECT_EQ(rx24().SupportedNvTypesSecInputByOutputNvTypeAll(out),
                  rx24().SupportedNvTypesSecInputAll());
        EXPECT_EQ(rx24().SupportedNvTypesPrimeInputByOutputNvType(out), rx24().SupportedNvTypesPrimeInput());
    }
    EXPECT_EQ(rx24().DefaultSecInputPriorityByNvTypes(117, 95), 1);
    EXPECT_TRUE(rx24().SecInputNvTypePriorityOutputNvTypeCombiIsValid(117, 1, 22));
    EXPECT_EQ(rx24().DefaultNvTypeSecInputByOutputNvTypeAll(22), 95);
    EXPECT_EQ(rx24().DefaultNvTypePrimeInputByOutputNvType(22), 95);
    EXPECT_TRUE(rx24().PrimeInputNvTypeSupportedByOutputNvType(22, 81));
    EXPECT_TRUE(rx24().SecInputNvTypeSupportedByOutputNvType(117, 0));
}

TEST_F(cRX24NvTypes, SwitchInputsDependOnTheOutputType)
{
    rx24().setFptIndex(21201);
    EXPECT_EQ(rx24().SupportedNvTypesPrimeInputByOutputNvType(95), (QList<int>{95, 81}));
    EXPECT_EQ(rx24().SupportedNvTypesPrimeInputByOutputNvType(81), QList<int>{81});
    EXPECT_TRUE(rx24().SupportedNvTypesPrimeInputByOutputNvType(117).isEmpty());
    EXPECT_EQ(rx24().DefaultNvTypePrimeInputByOutputNvType(81), 81);
    EXPECT_FALSE(rx24().PrimeInputNvTypeSupportedByOutputNvType(95, 22));

    EXPECT_EQ(rx24().SupportedNvTypesSecInputByOutputNvTypeAndPriority(95, 2), (QList<int>{117, 95}));
    EXPECT_EQ(rx24().SupportedNvTypesSecInputByOutputNvTypeAll(95), (QList<int>{95, 117}));
    EXPECT_EQ(rx24().DefaultNvTypeSecInputByOutputNvTypeAll(81), 81);
    EXPECT_TRUE(rx24().SecInputNvTypeSupportedByOutputNvType(117, 95));
    EXPECT_FALSE(rx24().SecInputNvTypeSupportedByOutputNvType(22, 95));
}

TEST_F(cRX24NvTypes, SwitchPrioritiesDependOnTheOutputType)
{
    rx24().setFptIndex(21201);
    EXPECT_EQ(rx24().SupportedPrioritiesSecInputByNvTypes(95, 95), (QList<int>{0, 2}));
    EXPECT_EQ(rx24().SupportedPrioritiesSecInputByNvTypes(81, 81), QList<int>{3});
    EXPECT_TRUE(rx24().SupportedPrioritiesSecInputByNvTypes(22, 95).isEmpty());
    EXPECT_EQ(rx24().DefaultSecInputPriorityByNvTypes(117, 95), 2);
    EXPECT_TRUE(rx24().SecInputNvTypePriorityOutputNvTypeCombiIsValid(81, 3, 81));
    EXPECT_FALSE(rx24().SecInputNvTypePriorityOutputNvTypeCombiIsValid(81, 3, 95));
}

TEST_F(cRX24NvTypes, DefaultsFromEmptyListsRaise)
{
    rx24().setFptIndex(21201);
    EXPECT_EQ(errorNumberOf([this] { rx24().DefaultNvTypePrimeInputByOutputNvType(117); }), 9);
    EXPECT_EQ(errorNumberOf([this] { rx24().DefaultNvTypeSecInputByOutputNvTypeAll(117); }), 9);
    EXPECT_EQ(errorNumberOf([this] { rx24().DefaultSecInputPriorityByNvTypes(22, 95); }), 9);
    EXPECT_EQ(errorNumberOf([this] { rx24().DefaultNvTypeOutputBySwitchEvents({}); }), 9);
}

TEST_F(cRX24NvTypes, KeyedSwitchListsAreReadOnlyForTheSwitch)
{
    EXPECT_EQ(rx24().SupportedNvTypesPrimeInputByFptIndexAndOutputNvType(21201, 95), (QList<int>{95, 81}));
    EXPECT_EQ(rx24().SupportedNvTypesPrimeInputByFptIndexAndOutputNvType(21400, 95),
              (QList<int>{95, 81, 117}));
    EXPECT_EQ(rx24().SupportedNvTypesSecInputByFptIndexAndOutputNvTypeAndPriority(21201, 95, 0),
              QList<int>{95});
    EXPECT_EQ(rx24().SupportedNvTypesSecInputByFptIndexAndOutputNvTypeAndPriority(21400, 95, 0),
              (QList<int>{95, 81}));
    EXPECT_TRUE(rx24().SecInputNvTypeSupportedByFptIndexAndOutputNvTypeAndPriority(21201, 95, 2, 117));
    EXPECT_FALSE(rx24().SecInputNvTypeSupportedByFptIndexAndOutputNvTypeAndPriority(21201, 95, 0, 117));
}

using cRX24SwitchEvents = TemplateFixture;

TEST_F(cRX24SwitchEvents, IntersectionKeepsTheFirstEventsOrder)
{
    const QList<int> events{9, 14, 14, 14, 14, 14, 14, 14};
    EXPECT_EQ(rx24().SupportedNvTypesOutputBySwitchEvents(events), (QList<int>{117, 95, 81}));
    EXPECT_EQ(rx24().SupportedNvTypesOutputBySwitchEvents({14, 9}), (QList<int>{81, 95, 117}));
    EXPECT_EQ(rx24().DefaultNvTypeOutputBySwitchEvents(events), 117);
}

TEST_F(cRX24SwitchEvents, SingleAndMissingEvents)
{
    EXPECT_EQ(rx24().SupportedNvTypesOutputBySwitchEvents({-1}), QList<int>{83});
    EXPECT_EQ(rx24().SupportedNvTypesOutputBySwitchEvents({9, 0}), (QList<int>{95, 22}));
    EXPECT_TRUE(rx24().SupportedNvTypesOutputBySwitchEvents({}).isEmpty());
    EXPECT_TRUE(rx24().SupportedNvTypesOutputBySwitchEvents({9, 19}).isEmpty());
    EXPECT_TRUE(rx24().SupportedNvTypesOutputBySwitchEvents({9, -1}).isEmpty());
    EXPECT_TRUE(rx24().OutputNvTypeSupportedBySwitchEvents({9, 14}, 81));
    EXPECT_FALSE(rx24().OutputNvTypeSupportedBySwitchEvents({9, 14}, 22));
}

TEST_F(cRX24SwitchEvents, CombinationUsesTheSwitchKeyWhateverTheCurrentKey)
{
    rx24().setFptIndex(21400);
    const QList<int> events{9, 14};
    EXPECT_TRUE(rx24().NvTypesCombiIsValidBySwitchEvents(events, 2, 81, 117, 95));
    EXPECT_TRUE(rx24().NvTypesCombiIsValidBySwitchEvents(events, 3, 81, 81, 81));
}

TEST_F(cRX24SwitchEvents, CombinationFailsOnAnyOfItsThreeChecks)
{
    const QList<int> events{9, 14};
    EXPECT_FALSE(rx24().NvTypesCombiIsValidBySwitchEvents(events, 2, 81, 117, 83));  // output not by events
    EXPECT_FALSE(rx24().NvTypesCombiIsValidBySwitchEvents(events, 2, 117, 117, 95)); // prime
    EXPECT_FALSE(rx24().NvTypesCombiIsValidBySwitchEvents(events, 0, 81, 117, 95));  // sec at that priority
    EXPECT_FALSE(rx24().NvTypesCombiIsValidBySwitchEvents({}, 2, 81, 117, 95));      // no events
}

} // namespace
