#include "params/cParamASCII.h"

#include "ParamsTestSupport.h"
#include "params/cConfigProp.h"

namespace {

class cParamASCIITest : public ParamsDbFixture
{
protected:
    LnsRef<LnsConfigProperty> quad() const { return cpOf(smallChannel(), QStringLiteral("Quad")); }
};

TEST_F(cParamASCIITest, TextRoundTripsInsideTheElement)
{
    cParamASCII *p = params.AddAsciiParameter(QStringLiteral("Tag"), quad(), QStringLiteral("Quad"));
    EXPECT_EQ(p->ClassId(), 1008);
    p->ConsiderPartOfCpOnly(2, 2);
    p->setValue(QStringLiteral("Az"));
    p->WriteToLns();
    EXPECT_EQ(bytesOf(quad()), (QList<int>{1, 65, 122, 4}));
    p->setValue(QString());
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), QStringLiteral("Az"));
}

TEST_F(cParamASCIITest, ShortTextIsPaddedAndReadsBackUnchanged)
{
    cParamASCII *p = params.AddAsciiParameter(QStringLiteral("Tag"), quad(), QStringLiteral("Quad"));
    p->setValue(QStringLiteral("K"));
    p->WriteToLns();
    EXPECT_EQ(bytesOf(quad()), (QList<int>{75, 0, 0, 0}));
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), QStringLiteral("K"));
}

TEST_F(cParamASCIITest, FieldMustFitTheElement)
{
    cParamASCII *p = params.AddAsciiParameter(QStringLiteral("Tag"), quad(), QStringLiteral("Quad"));
    p->ConsiderPartOfCpOnly(1, 4);
    EXPECT_EQ(appErrorNumber([&] { p->ConsiderPartOfCpOnly(2, 4); }), 0x800403E8L);
    EXPECT_EQ(appErrorNumber([&] { p->ConsiderPartOfCpOnly(1, 0); }), 0x800403E8L);
    EXPECT_EQ(p->BytePos(), 1);
    EXPECT_EQ(p->ByteLength(), 4);
}

TEST_F(cParamASCIITest, ExternalCpKeepsBytesOutsideTheField)
{
    cConfigProp *shared = params.AddConfigProp(QStringLiteral("Quad"), quad(), QStringLiteral("Quad"));
    cParamASCII *p = params.AddAsciiParameterExtCp(QStringLiteral("Tag"), shared);
    p->ConsiderPartOfCpOnly(3, 2);
    p->setValue(QStringLiteral("OK"));
    p->WriteToExtCp();
    EXPECT_EQ(shared->ByteValue(1), 1);
    EXPECT_EQ(shared->ByteValue(3), 79);
    EXPECT_EQ(shared->ByteValue(4), 75);
    p->setValue(QString());
    p->ReadFromExtCp();
    EXPECT_EQ(p->Value(), QStringLiteral("OK"));
}

TEST_F(cParamASCIITest, FileTextEndsWithAComma)
{
    cParamASCII p;
    p.setValue(QStringLiteral("Hall"));
    EXPECT_EQ(p.FileValueText(), QStringLiteral("Hall,"));
    p.SetValueFromFileText(QStringLiteral("Room,"));
    EXPECT_EQ(p.Value(), QStringLiteral("Room"));
    p.SetValueFromFileText(QStringLiteral("Attic"));
    EXPECT_EQ(p.Value(), QStringLiteral("Attic"));
}

} // namespace
