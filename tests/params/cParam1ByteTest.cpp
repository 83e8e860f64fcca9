#include "params/cParam1Byte.h"

#include "ParamsTestSupport.h"

namespace {

class cParam1ByteTest : public ParamsDbFixture
{
protected:
    LnsRef<LnsConfigProperty> mode() const { return cpOf(smallChannel(), QStringLiteral("Mode")); }
};

TEST_F(cParam1ByteTest, SignedByteReadsNegative)
{
    cParam1Byte *p = params.Add1ByteParameter(QStringLiteral("Mode"), mode(), QStringLiteral("Mode"));
    EXPECT_EQ(p->ClassId(), 1005);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), 200);
    p->setSignedValue(true);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), -56);
    EXPECT_FALSE(p->Changed());
}

TEST_F(cParam1ByteTest, MinusOneIsWrittenAsTheEmptyByte)
{
    cParam1Byte *p = params.Add1ByteParameter(QStringLiteral("Mode"), mode(), QStringLiteral("Mode"));
    p->setValue(-1);
    EXPECT_TRUE(p->Changed());
    p->WriteToLns();
    EXPECT_EQ(bytesOf(mode()), QList<int>{255});
    EXPECT_EQ(mode()->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(cParam1ByteTest, NotAvailableIsNotWritten)
{
    cParam1Byte *p = params.Add1ByteParameter(QStringLiteral("Mode"), mode(), QStringLiteral("Mode"));
    p->setAvailable(false);
    p->setValue(3);
    p->WriteToLns();
    EXPECT_EQ(bytesOf(mode()), QList<int>{200});
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
    EXPECT_EQ(appErrorNumber([&] { p->ConsiderPartOfCpOnly(5); }), 0x800403E8L);
    EXPECT_NO_THROW(p->ConsiderPartOfCpOnly(4));
}

TEST_F(cParam1ByteTest, FileTextIsTheDecimalValue)
{
    cParam1Byte p;
    p.setValue(-56);
    EXPECT_EQ(p.FileValueText(), QStringLiteral("-56"));
    p.SetValueFromFileText(QStringLiteral("2.5"));
    EXPECT_EQ(p.Value(), 2);
    p.SetValueFromFileText(QStringLiteral(" "));
    EXPECT_EQ(p.Value(), 2);
}

TEST_F(cParam1ByteTest, LateFetchOnFirstReadWithFetch)
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
}

TEST_F(cParam1ByteTest, MissingDefinitionLeavesTheValue)
{
    cParam1Byte *p = params.Add1ByteParameter(QStringLiteral("Ghost"), nullptr, QStringLiteral("NoSuchCp"));
    p->setLateFetch(true);
    p->setCpOwner(channel(1));
    p->setAvailable(true);
    p->setValue(42);
    p->setChanged(false);
    p->ReadFromLns(true);
    EXPECT_FALSE(p->CpFetched());
    EXPECT_EQ(p->Value(), 42);
}

} // namespace
