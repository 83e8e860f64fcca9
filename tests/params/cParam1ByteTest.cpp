#include "params/cParam1Byte.h"

#include "ParamsTestSupport.h"

namespace {

class cParam1ByteTest : public ParamsDbFixture
{
protected:
    LnsRef<LnsConfigProperty> mode() const { return cpOf(smallChannel(), QStringLiteral("Mode")); }
    cParam1Byte *addMode()
    {
        return params.Add1ByteParameter(QStringLiteral("Mode"), mode(), QStringLiteral("Mode"));
    }
};

TEST_F(cParam1ByteTest, SignedByteReadsNegative)
{
    cParam1Byte *p = addMode();
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), 200);
    p->setSignedValue(true);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), -56);
    EXPECT_FALSE(p->Changed());
}

TEST_F(cParam1ByteTest, MinusOneIsWrittenAsTheEmptyByteButNotWhenUnavailable)
{
    cParam1Byte *p = addMode();
    p->setAvailable(false);
    p->setValue(3);
    p->WriteToLns();
    EXPECT_EQ(bytesOf(mode()), QList<int>{200});
    p->setAvailable(true);
    p->setValue(-1);
    EXPECT_TRUE(p->Changed());
    p->WriteToLns();
    EXPECT_EQ(bytesOf(mode()), QList<int>{255});
    EXPECT_EQ(mode()->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(cParam1ByteTest, ByteInsideALongerElement)
{
    auto quad = cpOf(smallChannel(), QStringLiteral("Quad"));
    cParam1Byte *p = params.Add1ByteParameter(QStringLiteral("Quad3"), quad, QStringLiteral("Quad"));
    p->ConsiderPartOfCpOnly(3);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), 3);
    p->setValue(77);
    p->WriteToLns();
    EXPECT_EQ(bytesOf(cpOf(smallChannel(), QStringLiteral("Quad"))), (QList<int>{1, 2, 77, 4}));
}

TEST_F(cParam1ByteTest, LateFetchOnFirstReadWithFetchAndMissingDefinitionLeavesTheValue)
{
    auto counting = std::make_shared<CountingLonMarkObject>(channel(3));
    cParam1Byte *p =
        params.Add1ByteParameter(QStringLiteral("ModuleType_3"), nullptr, QStringLiteral("ModuleType"));
    p->setLateFetch(true);
    p->setCpOwner(counting);
    p->setAvailable(true);
    p->setValue(7);
    p->ReadFromLns();
    EXPECT_EQ(counting->calls, 0);
    EXPECT_EQ(p->Value(), 7);
    p->ReadFromLns(true);
    EXPECT_TRUE(p->CpFetched());
    EXPECT_EQ(p->Value(), 255);
    const int calls = counting->calls;
    EXPECT_TRUE(p->FetchCp());
    EXPECT_EQ(counting->calls, calls);

    cParam1Byte *ghost =
        params.Add1ByteParameter(QStringLiteral("Ghost"), nullptr, QStringLiteral("NoSuchCp"));
    ghost->setLateFetch(true);
    ghost->setCpOwner(channel(1));
    ghost->setAvailable(true);
    ghost->setValue(42);
    ghost->ReadFromLns(true);
    EXPECT_FALSE(ghost->CpFetched());
    EXPECT_EQ(ghost->Value(), 42);
}

} // namespace
