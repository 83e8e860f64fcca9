#include "params/cConfigProp.h"

#include "ParamsTestSupport.h"

namespace {

class cConfigPropTest : public ParamsDbFixture
{
protected:
    LnsRef<LnsConfigProperty> triple() const { return cpOf(smallChannel(), QStringLiteral("Triple")); }
};

TEST_F(cConfigPropTest, BytesOutsideTheCpOrBeforeAnyReadAreOutOfRange)
{
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Empty"), nullptr, QStringLiteral("Scenes"));
    EXPECT_FALSE(cp->Available());
    EXPECT_FALSE(cp->CpFetched());
    EXPECT_EQ(cp->Dimension(), -1);
    EXPECT_EQ(cp->ElementByteLength(), -1);
    EXPECT_EQ(cp->ByteLength(), -1);
    EXPECT_EQ(raisedBy([&] { cp->ByteValue(1); }).number, 9);
    EXPECT_EQ(raisedBy([&] { cp->setByteValue(1, 5); }).number, 9);
    EXPECT_FALSE(cp->FetchCp());
    cp->WriteToLns(); // nothing to write to, nothing raised

    cConfigProp *triple1 =
        params.AddConfigProp(QStringLiteral("Triple_1"), triple(), QStringLiteral("Triple"));
    EXPECT_EQ(raisedBy([&] { triple1->setByteValue(1, 0); }).number, 9); // not read yet
    EXPECT_EQ(raisedBy([&] { triple1->ByteValue(0); }).number, 9);
    EXPECT_EQ(raisedBy([&] { triple1->ByteValue(7); }).number, 9);
    EXPECT_EQ(raisedBy([&] { triple1->setByteValue(7, 1); }).number, 9);
    EXPECT_EQ(triple1->ByteValue(6), 6);
}

TEST_F(cConfigPropTest, ArrayCpRoundTripsThroughTheDatabaseElementByElement)
{
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Triple_1"), triple(), QStringLiteral("Triple"));
    EXPECT_EQ(cp->Dimension(), 3);
    EXPECT_EQ(cp->ElementByteLength(), 2);
    EXPECT_EQ(cp->ByteLength(), 6);
    cp->ReadFromLns();
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(cp->ByteValue(i), i);
    cp->setByteValue(2, 255);
    cp->setByteValue(5, 10);
    cp->setByteValue(6, 9);
    cp->WriteToLns();
    EXPECT_EQ(cp->ConfigProperty()->valueFormat(), QStringLiteral("RAW_HEX"));
    EXPECT_EQ(bytesOf(triple()), (QList<int>{1, 255, 3, 4, 10, 9}));

    cConfigProp *again =
        params.AddConfigProp(QStringLiteral("Triple_again"), triple(), QStringLiteral("Triple"));
    again->ReadFromLns();
    EXPECT_EQ(again->ByteValue(2), 255);
    EXPECT_EQ(again->ByteValue(5), 10);
}

TEST_F(cConfigPropTest, RepeatedGetsReadLnsOnceAndKeepTheBytesWhenTheDatabaseChanges)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("Mode"), 1, 1, QList<int>{7});
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Mode"), fake, QStringLiteral("Mode"));
    EXPECT_EQ(cp->ByteValue(1), 7);
    fake->setBytes({8});
    EXPECT_EQ(cp->ByteValue(1), 7);
    EXPECT_EQ(fake->valueReads, 1);
    cp->ReadFromLns();
    EXPECT_EQ(cp->ByteValue(1), 8);

    cConfigProp *fromDb =
        params.AddConfigProp(QStringLiteral("Triple_1"), triple(), QStringLiteral("Triple"));
    EXPECT_EQ(fromDb->ByteValue(3), 3);
    setBytes(triple(), {9, 9, 9, 9, 9, 9});
    EXPECT_EQ(fromDb->ByteValue(3), 3);
}

TEST_F(cConfigPropTest, SingleElementCpGoesThroughTheWholeValue)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("Quad"), 4, 1, QList<int>{1, 2, 3, 4});
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Quad"), fake, QStringLiteral("Quad"));
    cp->ReadFromLns();
    cp->setByteValue(4, 40);
    cp->WriteToLns();
    EXPECT_EQ(fake->elementReads, 0);
    EXPECT_EQ(fake->elementWrites, 0);
    EXPECT_EQ(fake->valueWrites, 1);
    EXPECT_EQ(fake->bytes(), (QList<int>{1, 2, 3, 40}));
    EXPECT_EQ(fake->formatsSeenOnWrite, QStringList{QStringLiteral("RAW")});
    EXPECT_EQ(fake->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(cConfigPropTest, ArrayCpNeverUsesTheWholeValue)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("T"), 2, 3, QList<int>{1, 2, 3, 4, 5, 6});
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("T"), fake, QStringLiteral("T"));
    cp->ReadFromLns();
    cp->WriteToLns();
    EXPECT_EQ(fake->valueReads, 0);
    EXPECT_EQ(fake->valueWrites, 0);
    EXPECT_EQ(fake->elementReads, 3);
    EXPECT_EQ(fake->elementWrites, 3);
}

TEST_F(cConfigPropTest, BadRawPieceEndsTheReadAndKeepsWhatWasStored)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("Quad"), 4, 1, QList<int>{0, 0, 0, 0});
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Quad"), fake, QStringLiteral("Quad"));
    fake->valueTextOverride = QStringLiteral("5\t6\t256\t8");
    cp->ReadFromLns();
    EXPECT_EQ(cp->ByteValue(1), 5);
    EXPECT_EQ(cp->ByteValue(2), 6);
    EXPECT_EQ(cp->ByteValue(3), 0);
    fake->valueTextOverride = QStringLiteral("1\t2\t3\t4\t5\t6");
    cp->ReadFromLns();
    EXPECT_EQ(cp->ByteValue(4), 4);
    EXPECT_EQ(fake->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(cConfigPropTest, ARefusedElementRaisesAndTheFormatComesBack)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("T"), 2, 3, QList<int>{1, 2, 3, 4, 5, 6});
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("T"), fake, QStringLiteral("T"));
    cp->ReadFromLns();
    fake->failWrites = true;
    // The caller must learn of it: a set written without one element is no set.
    EXPECT_THROW(cp->WriteToLns(), AppError);
    EXPECT_EQ(fake->elementWrites, 1);
    EXPECT_EQ(fake->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(cConfigPropTest, LateFetchThroughALonMarkObjectOwner)
{
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Scenes_1"), nullptr, QStringLiteral("Scenes"));
    EXPECT_FALSE(cp->FetchCp());
    cp->setCpOwner(channel(1));
    cp->setLateFetch(true);
    cp->setAvailable(true);
    cp->ReadFromLns();
    EXPECT_FALSE(cp->CpFetched());
    cp->ReadFromLns(true);
    ASSERT_TRUE(cp->CpFetched());
    EXPECT_EQ(cp->ConfigProperty()->name(), QStringLiteral("Scenes"));
    EXPECT_EQ(cp->ByteLength(), 64);
    EXPECT_EQ(cp->ByteValue(64), 0);
}

TEST_F(cConfigPropTest, LateFetchThroughADeviceOwner)
{
    cConfigProp *cp =
        params.AddConfigProp(QStringLiteral("DeviceModules"), nullptr, QStringLiteral("DeviceModules"));
    cp->setCpOwner(rx24());
    cp->setAvailable(true);
    ASSERT_TRUE(cp->FetchCp());
    EXPECT_EQ(cp->ByteLength(), 8);
    EXPECT_EQ(cp->ByteValue(8), 255);
}

TEST_F(cConfigPropTest, FetchKeepsAPresentCpUnlessForced)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("Scenes"), 4, 16, QList<int>(64, 0));
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Scenes_1"), fake, QStringLiteral("Scenes"));
    cp->setCpOwner(channel(1));
    EXPECT_TRUE(cp->FetchCp());
    EXPECT_EQ(cp->ConfigProperty(), fake);
    EXPECT_TRUE(cp->FetchCp(true));
    EXPECT_NE(cp->ConfigProperty(), fake);
}

TEST_F(cConfigPropTest, OwnerOfAnotherClassOrUndefinedCpFetchesNothing)
{
    cConfigProp *cp = params.AddConfigProp(QStringLiteral("Scenes_1"), nullptr, QStringLiteral("Scenes"));
    cp->setAvailable(true);
    cp->setCpOwner(triple()); // a CP is no owner of CPs
    EXPECT_FALSE(cp->FetchCp());
    cp->setCpOwner(nullptr);
    EXPECT_FALSE(cp->FetchCp());
    cConfigProp *undefined =
        params.AddConfigProp(QStringLiteral("Nothing"), nullptr, QStringLiteral("NoSuchCp"));
    undefined->setAvailable(true);
    undefined->setCpOwner(channel(1));
    EXPECT_FALSE(undefined->FetchCp());
    EXPECT_FALSE(undefined->CpFetched());
}

} // namespace
