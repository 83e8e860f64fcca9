#include "params/cParamASCII.h"

#include "ParamsTestSupport.h"
#include "params/cConfigProp.h"

namespace {

class cParamASCIITest : public ParamsDbFixture
{
protected:
    LnsRef<LnsConfigProperty> quad() const { return cpOf(smallChannel(), QStringLiteral("Quad")); }
};

TEST_F(cParamASCIITest, TextRoundTripsInsideTheElementAndShortTextIsPadded)
{
    cParamASCII *p = params.AddAsciiParameter(QStringLiteral("Tag"), quad(), QStringLiteral("Quad"));
    p->setValue(QStringLiteral("K"));
    p->WriteToLns();
    EXPECT_EQ(bytesOf(quad()), (QList<int>{75, 0, 0, 0}));
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), QStringLiteral("K"));

    p->ConsiderPartOfCpOnly(2, 2);
    p->setValue(QStringLiteral("Az"));
    p->WriteToLns();
    EXPECT_EQ(bytesOf(quad()), (QList<int>{75, 65, 122, 0}));
    p->setValue(QString());
    p->ReadFromLns();
    EXPECT_EQ(p->Value(), QStringLiteral("Az"));
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

} // namespace
