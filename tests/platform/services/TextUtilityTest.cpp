#include "platform/services/TextUtility.h"

#include <array>
#include <gtest/gtest.h>

namespace {
QString raw(const char *text)
{
    return QString::fromLatin1(text);
}
} // namespace

TEST(TextUtilityTest, RawToNumberTreatsMissingOrBadBytesAsZero)
{
    EXPECT_EQ(TextUtility::RawToNumber(raw("255\t156"), 2), 65436u);
    EXPECT_EQ(TextUtility::RawToNumber(raw("8"), 2), 2048u);
    EXPECT_EQ(TextUtility::RawToNumber(raw("8\tx"), 2), 2048u);
    EXPECT_EQ(TextUtility::RawToNumber(QString(), 2), 0u);
    EXPECT_EQ(TextUtility::RawToNumber(raw("1\t2\t3"), 2), 258u);
    EXPECT_EQ(TextUtility::RawToNumber(raw("1\t2"), 0), 0u);
}

TEST(TextUtilityTest, NumberToRawRoundTrips)
{
    EXPECT_EQ(TextUtility::NumberToRaw(2150, 2), raw("8\t102"));
    EXPECT_EQ(TextUtility::NumberToRaw(65535, 2), raw("255\t255"));
    EXPECT_EQ(TextUtility::NumberToRaw(5, 3), raw("0\t0\t5"));
    EXPECT_EQ(TextUtility::NumberToRaw(0x1FF, 1), raw("255"));
    EXPECT_EQ(TextUtility::NumberToRaw(7, 0), QString());
    for (const quint64 v : {0ull, 1ull, 255ull, 256ull, 4660ull, 65535ull})
        EXPECT_EQ(TextUtility::RawToNumber(TextUtility::NumberToRaw(v, 2), 2), v);
}

TEST(TextUtilityTest, ParseRawStopsAtFirstPieceThatIsNoByte)
{
    std::array<quint8, 4> buffer{9, 9, 9, 9};
    EXPECT_EQ(TextUtility::ParseRaw(raw("1\t256\t3"), buffer), 1);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[1], 9); // untouched after the bad piece
    EXPECT_EQ(TextUtility::ParseRaw(raw("4\t-1"), buffer), 1);
    EXPECT_EQ(TextUtility::ParseRaw(raw("4\t\t5"), buffer), 1);
    EXPECT_EQ(TextUtility::ParseRaw(raw("4\t0x10"), buffer), 1);
    EXPECT_EQ(TextUtility::ParseRaw(raw("abc"), buffer), 0);
    EXPECT_EQ(TextUtility::ParseRaw(QString(), buffer), 0);
    EXPECT_EQ(TextUtility::ParseRaw(raw("1 2"), buffer), 0); // blanks do not separate bytes
}

TEST(TextUtilityTest, ParseRawStopsWhenBufferIsFull)
{
    std::array<quint8, 2> buffer{};
    EXPECT_EQ(TextUtility::ParseRaw(raw("1\t2\t3\t4"), buffer), 2);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[1], 2);
    EXPECT_EQ(TextUtility::ParseRaw(raw("7"), std::span<quint8>()), 0);
}

TEST(TextUtilityTest, ParseRawListAndFormatRoundTrip)
{
    const QList<quint8> bytes = TextUtility::ParseRaw(raw("1\t0\t255"));
    ASSERT_EQ(bytes.size(), 3);
    EXPECT_EQ(bytes.at(2), 255);
    EXPECT_EQ(TextUtility::FormatRaw(bytes), raw("1\t0\t255"));
    EXPECT_EQ(TextUtility::FormatRaw(QList<quint8>()), QString());
    EXPECT_EQ(TextUtility::ParseRaw(raw("7\t300\t8")).size(), 1);
}

TEST(TextUtilityTest, RawTextEndsAtZeroByte)
{
    EXPECT_EQ(TextUtility::RawToText(raw("72\t105\t0\t65")), QStringLiteral("Hi"));
    EXPECT_EQ(TextUtility::RawToText(raw("72\t105")), QStringLiteral("Hi"));
    EXPECT_EQ(TextUtility::RawToText(raw("0\t65")), QString());
    EXPECT_EQ(TextUtility::RawToText(raw("65\tbad\t66")), QStringLiteral("A"));
}

TEST(TextUtilityTest, TextToRawPadsAndCuts)
{
    EXPECT_EQ(TextUtility::TextToRaw(QStringLiteral("Hi"), 4), raw("72\t105\t0\t0"));
    EXPECT_EQ(TextUtility::TextToRaw(QStringLiteral("Hello"), 3), raw("72\t101\t108"));
    EXPECT_EQ(TextUtility::TextToRaw(QString(), 2), raw("0\t0"));
    EXPECT_EQ(TextUtility::TextToRaw(QString::fromUtf8("\u20AC"), 1), raw("63"));
    const QString text = QString::fromUtf8("R\u00E4um 12");
    EXPECT_EQ(TextUtility::RawToText(TextUtility::TextToRaw(text, 16)), text);
}

TEST(TextUtilityTest, NormalizeNumberAcceptsCommaPlusAndBlanks)
{
    EXPECT_EQ(TextUtility::NormalizeNumber(QStringLiteral(" 21,5 ")), QStringLiteral("21.5"));
    EXPECT_EQ(TextUtility::NormalizeNumber(QStringLiteral("+3.25")), QStringLiteral("3.25"));
    EXPECT_EQ(TextUtility::NormalizeNumber(QStringLiteral("-0,5")), QStringLiteral("-0.5"));
    EXPECT_DOUBLE_EQ(TextUtility::NumberValue(QStringLiteral("21,5")), 21.5);
    bool ok = true;
    EXPECT_DOUBLE_EQ(TextUtility::NumberValue(QStringLiteral("abc"), &ok), 0.0);
    EXPECT_FALSE(ok);
    EXPECT_DOUBLE_EQ(TextUtility::NumberValue(QString(), &ok), 0.0);
    EXPECT_FALSE(ok);
}

TEST(TextUtilityTest, FieldOfCountsFromOne)
{
    const QString text = QStringLiteral("a\xA6"
                                        "b\xA6\xA6"
                                        "d");
    const QString sep = QString(QChar(0xA6));
    EXPECT_EQ(TextUtility::FieldOf(text, 1, sep), QStringLiteral("a"));
    EXPECT_EQ(TextUtility::FieldOf(text, 3, sep), QString());
    EXPECT_EQ(TextUtility::FieldOf(text, 4, sep), QStringLiteral("d"));
    EXPECT_EQ(TextUtility::FieldOf(text, 5, sep), QString());
    EXPECT_EQ(TextUtility::FieldOf(text, 0, sep), QString());
    EXPECT_EQ(TextUtility::FieldOf(QStringLiteral("only"), 1, sep), QStringLiteral("only"));
    EXPECT_EQ(TextUtility::FieldOf(QStringLiteral("only"), 2, sep), QString());
    EXPECT_EQ(TextUtility::FieldOf(QString(), 1, sep), QString());
    EXPECT_EQ(TextUtility::FieldOf(QStringLiteral("a::b"), 2, QStringLiteral("::")), QStringLiteral("b"));
}

TEST(TextUtilityTest, FieldFromEndCountsFromTheLast)
{
    const QString path = QStringLiteral("C:\\Program Files\\velto\\vb6.exe");
    EXPECT_EQ(TextUtility::FieldFromEnd(path, 1, QStringLiteral("\\")), QStringLiteral("vb6.exe"));
    EXPECT_EQ(TextUtility::FieldFromEnd(path, 2, QStringLiteral("\\")), QStringLiteral("velto"));
    EXPECT_EQ(TextUtility::FieldFromEnd(path, 4, QStringLiteral("\\")), QStringLiteral("C:"));
    EXPECT_EQ(TextUtility::FieldFromEnd(path, 5, QStringLiteral("\\")), QString());
    EXPECT_EQ(TextUtility::FieldFromEnd(path, 0, QStringLiteral("\\")), QString());
    EXPECT_EQ(TextUtility::FieldFromEnd(QStringLiteral("dir\\"), 1, QStringLiteral("\\")), QString());
    EXPECT_EQ(TextUtility::FieldFromEnd(QString(), 1, QStringLiteral("\\")), QString());
}
