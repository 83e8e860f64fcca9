#include "NetDbTestFixture.h"
#include "platform/netdb/CpValueText.h"

namespace {
const QString kTab = QStringLiteral("\t");

class NetDbConfigPropertyTest : public NetDbTestFixture
{
};

TEST_P(NetDbConfigPropertyTest, FormatIsRawHexUntilTheClientSetsIt)
{
    auto cp = scenes();
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX"));
    EXPECT_EQ(cp->value(), QStringLiteral("01 02 03 04 05 06"));
    cp->setValueFormat(QStringLiteral("RAW"));
    EXPECT_EQ(cp->value(), QStringLiteral("1\t2\t3\t4\t5\t6"));
}

TEST_P(NetDbConfigPropertyTest, FormatBelongsToTheHandleButBytesAreShared)
{
    auto raw = scenes();
    auto hex = scenes();
    raw->setValueFormat(QStringLiteral("RAW"));
    raw->setElementValue(1, QStringLiteral("255") + kTab + QStringLiteral("16"));
    EXPECT_EQ(hex->valueFormat(), QStringLiteral("RAW_HEX"));
    EXPECT_EQ(hex->elementValue(1), QStringLiteral("FF 10"));
    EXPECT_EQ(raw->elementValue(1), QStringLiteral("255\t16"));
}

TEST_P(NetDbConfigPropertyTest, ArrayElementsRoundTripInBothFormats)
{
    auto cp = scenes();
    EXPECT_EQ(cp->dimension(), 3);
    EXPECT_EQ(cp->elementLength(), 2);
    cp->setValueFormat(QStringLiteral("RAW"));
    cp->setElementValue(0, QStringLiteral("0\t255"));
    cp->setElementValue(2, QStringLiteral("10\t9"));
    EXPECT_EQ(cp->value(), QStringLiteral("0\t255\t3\t4\t10\t9"));
    cp->setValueFormat(QStringLiteral("RAW_HEX"));
    EXPECT_EQ(cp->elementValue(2), QStringLiteral("0A 09"));
    cp->setValue(QStringLiteral("ab CD 00 01 02 7f"));
    EXPECT_EQ(cp->value(), QStringLiteral("AB CD 00 01 02 7F"));
}

TEST_P(NetDbConfigPropertyTest, WrongShapedTextRaisesAndLeavesTheBytes)
{
    auto cp = scenes();
    cp->setValueFormat(QStringLiteral("RAW"));
    const QString before = cp->value();
    const QStringList bad{QStringLiteral("1\t2\t3\t4\t5"),      QStringLiteral("1\t2\t3\t4\t5\t6\t7"),
                          QStringLiteral("1\t2\t3\t4\t5\t256"), QStringLiteral("1\t2\t3\tx\t5\t6"),
                          QStringLiteral("1 2 3 4 5 6"),        QStringLiteral("1\t2\t3\t4\t5\t6\t"),
                          QStringLiteral("1\t2\t3\t4\t5\t-6"),  QString()};
    for (const QString &text : bad) {
        EXPECT_EQ(lnsErrorNumber([&] { cp->setValue(text); }), LnsErrorCode::InvalidValue)
            << text.toStdString();
        EXPECT_EQ(cp->value(), before);
    }
    EXPECT_EQ(lnsErrorNumber([&] { cp->setElementValue(0, QStringLiteral("1")); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(cp->value(), before);
}

TEST_P(NetDbConfigPropertyTest, ElementOutsideTheArrayIsRefused)
{
    auto cp = scenes();
    EXPECT_EQ(lnsErrorNumber([&] { cp->elementValue(3); }), LnsErrorCode::InvalidArgument);
    EXPECT_EQ(lnsErrorNumber([&] { cp->setElementValue(-1, QStringLiteral("00 00")); }),
              LnsErrorCode::InvalidArgument);
}

TEST_P(NetDbConfigPropertyTest, UnknownFormatIsRefused)
{
    auto cp = scenes();
    EXPECT_EQ(lnsErrorNumber([&] { cp->setValueFormat(QStringLiteral("#SNVT")); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(cp->valueFormat(), QStringLiteral("RAW_HEX"));
}

TEST_P(NetDbConfigPropertyTest, ValuesPersistAcrossConnections)
{
    auto cp = device()->configProperties()->item(QStringLiteral("DeviceModules"));
    cp->setValue(QStringLiteral("00 01 02 03 04 05 06 FF"));
    db->disconnectServer();
    EXPECT_EQ(lnsErrorNumber([&] { cp->value(); }), LnsErrorCode::NotConnected);
    auto second = openSecond();
    EXPECT_EQ(deviceOf(*second)->configProperties()->item(1)->value(),
              QStringLiteral("00 01 02 03 04 05 06 FF"));
}

TEST(CpValueTextTest, RawHasNoTrailingTabAndHexIsUpperCase)
{
    EXPECT_EQ(CpValueText::format({1, 0, 255}, CpValueText::Raw), QStringLiteral("1\t0\t255"));
    EXPECT_EQ(CpValueText::format({10, 171}, CpValueText::RawHex), QStringLiteral("0A AB"));
    EXPECT_EQ(CpValueText::parse(QStringLiteral("007\t0"), CpValueText::Raw, 2), (QList<int>{7, 0}));
    EXPECT_EQ(CpValueText::fromStored(CpValueText::toStored({0, 9, 255})), (QList<int>{0, 9, 255}));
}

TEST(CpValueTextTest, HexPiecesLongerThanOneByteAreRefused)
{
    EXPECT_EQ(lnsErrorNumber([] { CpValueText::parse(QStringLiteral("100 00"), CpValueText::RawHex, 2); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(lnsErrorNumber([] { CpValueText::parse(QStringLiteral("0G"), CpValueText::RawHex, 1); }),
              LnsErrorCode::InvalidValue);
    EXPECT_EQ(lnsErrorNumber([] { CpValueText::parse(QStringLiteral("00  01"), CpValueText::RawHex, 2); }),
              LnsErrorCode::InvalidValue);
}
} // namespace

RX24_ON_BOTH_ENGINES(NetDbConfigPropertyTest);
