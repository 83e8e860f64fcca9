#include "params/cParam2Byte.h"

#include "ParamsTestSupport.h"
#include "params/cConfigProp.h"

namespace {

TEST(cParam2ByteValue, SplitsIntoHighAndLowPartAndEveryPartSetsChanged)
{
    cParam2Byte p;
    for (const auto &[value, high, low] : {std::tuple{300, 1, 44}, {-1, 0, -1}, {-300, -1, -44}}) {
        p.setValue(value);
        EXPECT_EQ(p.Value1(), high) << value;
        EXPECT_EQ(p.Value2(), low) << value;
        EXPECT_EQ(p.Value(), value);
    }
    p.setChanged(false);
    p.setValue2(3);
    EXPECT_TRUE(p.Changed());
    p.setChanged(false);
    p.setValue1(3);
    EXPECT_TRUE(p.Changed());
}

class cParam2ByteTest : public ParamsDbFixture
{
};

TEST_F(cParam2ByteTest, NegativeSignedValueIsWrittenAsAllOnes)
{
    auto fpt = channelCp(QStringLiteral("FptIndex"));
    cParam2Byte *p = params.Add2ByteParameter(QStringLiteral("FptIndex_1"), fpt, QStringLiteral("FptIndex"));
    p->setSignedValue(true);
    p->setValue(-1);
    p->WriteToLns();
    EXPECT_FALSE(p->Changed());
    EXPECT_EQ(bytesOf(channelCp(QStringLiteral("FptIndex"))), (QList<int>{255, 255}));
    p->setValue(0);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), -1);
    p->setSignedValue(false);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), 65535);
    EXPECT_EQ(p->Value1(), 255);
}

TEST_F(cParam2ByteTest, FieldInsideAFourByteCp)
{
    auto maxRange = channelCp(QStringLiteral("MaxRange"));
    cParam2Byte *p =
        params.Add2ByteParameter(QStringLiteral("MaxRange_1"), maxRange, QStringLiteral("MaxRange"));
    p->ConsiderPartOfCpOnly(1);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), 200 * 256 + 1);
    p->ConsiderPartOfCpOnly(3);
    p->setValue(300);
    p->WriteToLns();
    EXPECT_EQ(bytesOf(channelCp(QStringLiteral("MaxRange"))), (QList<int>{200, 1, 1, 44}));
}

TEST_F(cParam2ByteTest, ExternalCpWritesOnlyIntoTheBuffer)
{
    auto scenesCp = channelCp(QStringLiteral("Scenes"), 2);
    cConfigProp *scenes =
        params.AddConfigProp(QStringLiteral("Scenes_2"), scenesCp, QStringLiteral("Scenes"));
    cParam2Byte *p = params.Add2ByteParameterExtCp(QStringLiteral("Scene2"), scenes);
    EXPECT_TRUE(p->Available());
    p->ConsiderPartOfCpOnly(5);
    p->setValue(0x0C01);
    p->WriteToLns(); // ignored: the value lives in the shared CP
    p->WriteToExtCp();
    EXPECT_EQ(scenes->ByteValue(5), 12);
    EXPECT_EQ(scenes->ByteValue(6), 1);
    EXPECT_EQ(bytesOf(scenesCp).mid(4, 2), (QList<int>{0, 0}));
    p->setValue(0);
    p->ReadFromExtCp();
    EXPECT_EQ(p->Value(), 0x0C01);
}

} // namespace
