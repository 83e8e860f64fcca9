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

// Big-endian fields of their width, signed as two's complement; a field
// reaching past the element keeps its bytes inside, used bytes carry the value.
TEST(RawFieldAccessArithmetic, DecodeAndEncodeFieldsOfAnElement)
{
    struct Case
    {
        QList<quint8> before;
        RawField field;
        qint64 value;
        QList<quint8> after;
    };
    const Case cases[] = {
        {bytes({0, 0}), {0, 2, 0, true}, 2150, bytes({8, 102})},
        {bytes({0, 0}), {0, 2, 0, true}, -100, bytes({255, 156})},
        {bytes({0, 0}), {0, 2, 0, false}, 65436, bytes({255, 156})},
        {bytes({0, 0}), {0, 2, 0, false}, 65535, bytes({255, 255})},
        {bytes({0}), {0, 1, 0, true}, -56, bytes({200})},
        {bytes({0}), {0, 1, 0, false}, 200, bytes({200})},
        {bytes({0}), {0, 1, 0, true}, 127, bytes({127})},
        {bytes({0}), {0, 1, 0, true}, -128, bytes({128})},
        {bytes({1, 2, 3, 4}), {3, 1, 0, false}, 99, bytes({1, 2, 99, 4})},
        {bytes({1, 2, 3, 4}), {1, 2, 0, false}, 300, bytes({1, 44, 3, 4})},
        {bytes({9, 9}), {0, 2, 1, false}, 5, bytes({5, 0})},
        {bytes({1, 2, 3, 4}), {4, 2, 0, false}, 10, bytes({1, 2, 3, 10})},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        QList<quint8> element = c.before;
        RawFieldAccess::encode(element, c.field, c.field.bytePos == 4 ? 0x0A0B : c.value);
        EXPECT_EQ(element, c.after);
        EXPECT_EQ(RawFieldAccess::decode(c.after, c.field), c.value);
    }
    EXPECT_EQ(RawFieldAccess::decode(bytes({5, 77}), {0, 2, 1, false}), 5);
    EXPECT_EQ(RawFieldAccess::decode(bytes({255, 77}), {1, 2, 1, true}), -1);
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

TEST_F(RawFieldAccessTest, RefusedWriteRaisesKeepsTheBytesAndRestoresTheFormat)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("F"), 2, 1, QList<int>{1, 2});
    fake->failWrites = true;
    EXPECT_THROW(RawFieldAccess::write(fake, {0, 2, 0, false}, 7), AppError);
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
