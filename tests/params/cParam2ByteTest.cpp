#include "params/cParam2Byte.h"

#include "ParamsTestSupport.h"
#include "params/cConfigProp.h"

namespace {

TEST(cParam2ByteValue, SplitsIntoHighAndLowPart)
{
    cParam2Byte p;
    p.setValue(300);
    EXPECT_EQ(p.Value1(), 1);
    EXPECT_EQ(p.Value2(), 44);
    EXPECT_EQ(p.Value(), 300);
    p.setValue(-1);
    EXPECT_EQ(p.Value1(), 0);
    EXPECT_EQ(p.Value2(), -1);
    EXPECT_EQ(p.Value(), -1);
    p.setValue(-300);
    EXPECT_EQ(p.Value1(), -1);
    EXPECT_EQ(p.Value2(), -44);
    EXPECT_EQ(p.Value(), -300);
}

TEST(cParam2ByteValue, EveryPartSetsChanged)
{
    cParam2Byte p;
    EXPECT_FALSE(p.Changed());
    p.setValue2(3);
    EXPECT_TRUE(p.Changed());
    p.setChanged(false);
    p.setValue1(3);
    EXPECT_TRUE(p.Changed());
    EXPECT_EQ(p.ClassId(), 1006);
}

TEST(cParam2ByteValue, FileTextCarriesBothParts)
{
    cParam2Byte p;
    p.setValue(300);
    EXPECT_EQ(p.FileValueText(), QStringLiteral("1,44"));
    p.SetValueFromFileText(QStringLiteral("2,5"));
    EXPECT_EQ(p.Value(), 517);
    p.SetValueFromFileText(QString());
    EXPECT_EQ(p.Value(), 517);
}

class cParam2ByteTest : public ParamsDbFixture
{
};

TEST_F(cParam2ByteTest, NegativeSignedValueIsWrittenAsAllOnes)
{
    auto fpt = cpOf(channel(1), QStringLiteral("FptIndex"));
    cParam2Byte *p = params.Add2ByteParameter(QStringLiteral("FptIndex_1"), fpt, QStringLiteral("FptIndex"));
    p->setSignedValue(true);
    p->setValue(-1);
    p->WriteToLns();
    EXPECT_FALSE(p->Changed());
    EXPECT_EQ(bytesOf(cpOf(channel(1), QStringLiteral("FptIndex"))), (QList<int>{255, 255}));
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
    auto maxRange = cpOf(channel(1), QStringLiteral("MaxRange"));
    cParam2Byte *p =
        params.Add2ByteParameter(QStringLiteral("MaxRange_1"), maxRange, QStringLiteral("MaxRange"));
    p->ConsiderPartOfCpOnly(1);
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), 200 * 256 + 1);
    p->ConsiderPartOfCpOnly(3);
    p->setValue(300);
    p->WriteToLns();
    EXPECT_EQ(bytesOf(cpOf(channel(1), QStringLiteral("MaxRange"))), (QList<int>{200, 1, 1, 44}));
}

TEST_F(cParam2ByteTest, PositionThatDoesNotFitRaisesAndKeepsThePrevious)
{
    auto maxRange = cpOf(channel(1), QStringLiteral("MaxRange"));
    cParam2Byte *p =
        params.Add2ByteParameter(QStringLiteral("MaxRange_1"), maxRange, QStringLiteral("MaxRange"));
    p->ConsiderPartOfCpOnly(2);
    try {
        p->ConsiderPartOfCpOnly(4);
        FAIL() << "bytes 4 and 5 do not fit a 4-byte element";
    } catch (const AppError &error) {
        EXPECT_EQ(error.number(), 0x800403E8L);
        EXPECT_EQ(error.source(), QStringLiteral("ConsiderPartOfCpOnly"));
        EXPECT_EQ(error.description(), QStringLiteral("invalid parameters"));
    }
    EXPECT_EQ(appErrorNumber([&] { p->ConsiderPartOfCpOnly(0); }), 0x800403E8L);
    EXPECT_EQ(appErrorNumber([&] { p->ConsiderPartOfCpOnly(-1); }), 0x800403E8L);
    EXPECT_EQ(p->BytePos(), 2);
}

TEST_F(cParam2ByteTest, PositionIsNotCheckedForExternalOrLateCps)
{
    cConfigProp *scenes = params.AddConfigProp(
        QStringLiteral("Scenes_1"), cpOf(channel(1), QStringLiteral("Scenes")), QStringLiteral("Scenes"));
    cParam2Byte *ext = params.Add2ByteParameterExtCp(QStringLiteral("Scene3"), scenes);
    EXPECT_NO_THROW(ext->ConsiderPartOfCpOnly(63));
    EXPECT_EQ(ext->BytePos(), 63);

    cParam2Byte *late =
        params.Add2ByteParameter(QStringLiteral("DefOutput_1"), nullptr, QStringLiteral("DefOutput"));
    late->setLateFetch(true);
    EXPECT_NO_THROW(late->ConsiderPartOfCpOnly(1));
    cParam2Byte *none =
        params.Add2ByteParameter(QStringLiteral("None"), nullptr, QStringLiteral("DefOutput"));
    EXPECT_EQ(appErrorNumber([&] { none->ConsiderPartOfCpOnly(1); }), 0x800403E8L);
}

TEST_F(cParam2ByteTest, ExternalCpWritesOnlyIntoTheBuffer)
{
    auto scenesCp = cpOf(channel(2), QStringLiteral("Scenes"));
    cConfigProp *scenes =
        params.AddConfigProp(QStringLiteral("Scenes_2"), scenesCp, QStringLiteral("Scenes"));
    cParam2Byte *p = params.Add2ByteParameterExtCp(QStringLiteral("Scene2"), scenes);
    EXPECT_TRUE(p->Available());
    EXPECT_TRUE(p->CpIniName().isEmpty());
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
