#include "params/RawFieldAccess.h"

#include "ParamsTestSupport.h"
#include "params/cConfigProp.h"

namespace {

QList<quint8> bytes(std::initializer_list<int> values)
{
    QList<quint8> result;
    for (int v : values)
        result.append(static_cast<quint8>(v));
    return result;
}

TEST(RawFieldAccessArithmetic, TwoBytesAreBigEndian)
{
    QList<quint8> element(2, 0);
    RawFieldAccess::encode(element, {0, 2, 0, true}, 2150);
    EXPECT_EQ(element, bytes({8, 102}));
    EXPECT_EQ(RawFieldAccess::decode(bytes({8, 102}), {0, 2, 0, true}), 2150);
}

TEST(RawFieldAccessArithmetic, SignedFieldsAreTwosComplementOfTheirWidth)
{
    EXPECT_EQ(RawFieldAccess::decode(bytes({255, 156}), {0, 2, 0, true}), -100);
    EXPECT_EQ(RawFieldAccess::decode(bytes({255, 156}), {0, 2, 0, false}), 65436);
    EXPECT_EQ(RawFieldAccess::decode(bytes({200}), {0, 1, 0, true}), -56);
    EXPECT_EQ(RawFieldAccess::decode(bytes({200}), {0, 1, 0, false}), 200);
    EXPECT_EQ(RawFieldAccess::decode(bytes({127}), {0, 1, 0, true}), 127);
    EXPECT_EQ(RawFieldAccess::decode(bytes({128}), {0, 1, 0, true}), -128);
    QList<quint8> element(2, 0);
    RawFieldAccess::encode(element, {0, 2, 0, true}, -100);
    EXPECT_EQ(element, bytes({255, 156}));
}

TEST(RawFieldAccessArithmetic, UnsignedAllOnesIsTheLargestValue)
{
    EXPECT_EQ(RawFieldAccess::decode(bytes({255, 255}), {0, 2, 0, false}), 65535);
}

TEST(RawFieldAccessArithmetic, FieldInsideAnElementLeavesTheOtherBytes)
{
    QList<quint8> element = bytes({1, 2, 3, 4});
    RawFieldAccess::encode(element, {3, 1, 0, false}, 99);
    EXPECT_EQ(element, bytes({1, 2, 99, 4}));
    EXPECT_EQ(RawFieldAccess::decode(element, {3, 1, 0, false}), 99);
    RawFieldAccess::encode(element, {1, 2, 0, false}, 300);
    EXPECT_EQ(element, bytes({1, 44, 99, 4}));
}

TEST(RawFieldAccessArithmetic, UsedBytesCarryTheValueAndTheRestIsZero)
{
    QList<quint8> element = bytes({9, 9});
    RawFieldAccess::encode(element, {0, 2, 1, false}, 5);
    EXPECT_EQ(element, bytes({5, 0}));
    EXPECT_EQ(RawFieldAccess::decode(bytes({5, 77}), {0, 2, 1, false}), 5);
    EXPECT_EQ(RawFieldAccess::decode(bytes({255, 77}), {1, 2, 1, true}), -1);
}

TEST(RawFieldAccessArithmetic, FieldReachingPastTheElementKeepsItsSize)
{
    QList<quint8> element = bytes({1, 2, 3, 4});
    RawFieldAccess::encode(element, {4, 2, 0, false}, 0x0A0B);
    EXPECT_EQ(element, bytes({1, 2, 3, 10}));
    EXPECT_EQ(RawFieldAccess::decode(element, {4, 2, 0, false}), 10);
}

class RawFieldAccessTest : public ParamsDbFixture
{
protected:
    LnsRef<LnsConfigProperty> quad() const { return cpOf(smallChannel(), QStringLiteral("Quad")); }
};

TEST_F(RawFieldAccessTest, DirectCpFieldIsWrittenAndTheFormatRestored)
{
    auto cp = quad();
    RawFieldAccess::write(cp, {2, 2, 0, false}, 300);
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX"));
    EXPECT_EQ(bytesOf(quad()), (QList<int>{1, 1, 44, 4}));
    cp = quad();
    EXPECT_EQ(RawFieldAccess::read(cp, {2, 2, 0, false}), 300);
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(RawFieldAccessTest, WholeElementOfAnArrayCpLeavesTheOtherElements)
{
    auto cp = cpOf(smallChannel(), QStringLiteral("Triple"));
    RawFieldAccess::write(cp, {0, 0, 0, false}, 0x0102 + 0x0100);
    EXPECT_EQ(bytesOf(cp), (QList<int>{2, 2, 3, 4, 5, 6}));
    EXPECT_EQ(RawFieldAccess::read(cp, {0, 0, 0, false}), 0x0202);
}

TEST_F(RawFieldAccessTest, RefusedWriteIsIgnored)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("F"), 2, 1, QList<int>{1, 2});
    fake->failWrites = true;
    EXPECT_NO_THROW(RawFieldAccess::write(fake, {0, 2, 0, false}, 7));
    EXPECT_EQ(fake->bytes(), (QList<int>{1, 2}));
    EXPECT_EQ(fake->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_F(RawFieldAccessTest, ExternalCpFieldChangesOnlyTheBuffer)
{
    cConfigProp *shared = params.AddConfigProp(QStringLiteral("Quad"), quad(), QStringLiteral("Quad"));
    RawFieldAccess::write(*shared, {3, 1, 0, true}, -1);
    EXPECT_EQ(shared->ByteValue(3), 255);
    EXPECT_EQ(RawFieldAccess::read(*shared, {3, 1, 0, true}), -1);
    EXPECT_EQ(RawFieldAccess::read(*shared, {0, 0, 0, false}), 0x0102FF04);
    EXPECT_EQ(bytesOf(quad()), (QList<int>{1, 2, 3, 4}));
}

} // namespace
