#include "NetDbTestFixture.h"

#include <QFile>

namespace {
const QString kFile = QStringLiteral("dev.xif");

QString errorOf(const QString &text)
{
    return lnsErrorText([&] { DeviceInterfaceFile::parseText(text, kFile); });
}

const QString kHead = QStringLiteral("ProgramId 9000A5E018040100\n");

TEST(DeviceInterfaceFileTest, ExpandsCountedObjectsAndKeepsFileOrder)
{
    const DeviceInterface di = DeviceInterfaceFile::parseText(kTestInterface, kFile);
    EXPECT_EQ(di.programId, QStringLiteral("9000A5E018040100"));
    EXPECT_EQ(di.model, QStringLiteral("TestDevice"));
    ASSERT_EQ(di.objects.size(), 3);
    EXPECT_EQ(di.objects.at(0).name, QStringLiteral("Node"));
    EXPECT_EQ(di.objects.at(2).name, QStringLiteral("Channel2"));
    EXPECT_EQ(di.objects.at(2).profileKey, 24000);
    ASSERT_EQ(di.objects.at(1).nvs.size(), 2);
    EXPECT_EQ(di.objects.at(1).nvs.at(0).value, QStringLiteral("0.0 0"));
    EXPECT_EQ(di.objects.at(1).nvs.at(1).value, QStringLiteral("0.000")); // type default
    EXPECT_EQ(di.objects.at(1).cps.at(2).nvName, QStringLiteral("Output"));
    ASSERT_EQ(di.deviceCps.size(), 1);
    EXPECT_EQ(di.deviceCps.at(0).bytes, QList<int>(8, 255)); // one byte fills the CP
}

TEST(DeviceInterfaceFileTest, IgnoresCommentsBlankLinesAndCrLf)
{
    const DeviceInterface di = DeviceInterfaceFile::parseText(
        QStringLiteral(
            "; comment\r\n\r\n  # another\r\nprogramid 0000000000000001\r\nOBJECT A profile=1\r\n"),
        kFile);
    EXPECT_EQ(di.programId, QStringLiteral("0000000000000001"));
    EXPECT_EQ(di.objects.size(), 1);
}

TEST(DeviceInterfaceFileTest, UnknownKeywordNamesFileAndLine)
{
    const QString error = errorOf(kHead + QStringLiteral("Object A profile=1\n\nWidget B\n"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("dev.xif:4:"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("Widget")));
}

TEST(DeviceInterfaceFileTest, DefaultOfWrongLengthNamesTheLine)
{
    const QString error =
        errorOf(kHead + QStringLiteral("Object A profile=1\nCP X length=2 dim=2 default=1,2,3\n"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("dev.xif:3:"))) << error.toStdString();
    EXPECT_FALSE(errorOf(kHead + QStringLiteral("DeviceCP X length=1 default=256\n")).isEmpty());
}

TEST(DeviceInterfaceFileTest, NvTypeOutsideAllowedIsRefused)
{
    const QString error =
        errorOf(kHead + QStringLiteral("Object A profile=1\nNV V type=95 allowed=81,117\n"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("dev.xif:3:"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("95")));
}

TEST(DeviceInterfaceFileTest, MissingProgramIdIsReported)
{
    EXPECT_TRUE(errorOf(QStringLiteral("Object A profile=1\n")).startsWith(QStringLiteral("dev.xif:1:")));
    EXPECT_TRUE(errorOf(QStringLiteral("# nothing\n")).contains(QStringLiteral("ProgramId")));
    EXPECT_FALSE(errorOf(QStringLiteral("ProgramId 12345\n")).isEmpty());
    EXPECT_FALSE(errorOf(kHead + kHead).isEmpty());
}

TEST(DeviceInterfaceFileTest, LinesThatNeedAnObjectOrOneKnownNvAreRefused)
{
    EXPECT_TRUE(errorOf(kHead + QStringLiteral("NV V type=95 allowed=95\n"))
                    .startsWith(QStringLiteral("dev.xif:2:")));
    EXPECT_TRUE(errorOf(kHead + QStringLiteral("Object A profile=1\nCP X length=1 default=0 nv=Nope\n"))
                    .startsWith(QStringLiteral("dev.xif:3:")));
    // A CP of an NV could belong to either of two of one name; other objects may reuse it.
    const QString nv = QStringLiteral("NV V type=95 allowed=95\n");
    EXPECT_TRUE(errorOf(kHead + QStringLiteral("Object A profile=1\n") + nv + nv)
                    .startsWith(QStringLiteral("dev.xif:4: NV \"V\" given twice")));
    EXPECT_EQ(errorOf(kHead + QStringLiteral("Object A%n profile=1 count=2\n") + nv +
                      QStringLiteral("Object B profile=1\n") + nv),
              QString());
    EXPECT_FALSE(errorOf(kHead + QStringLiteral("Object A profile=1 colour=red\n")).isEmpty());
    EXPECT_FALSE(errorOf(kHead + QStringLiteral("Object A\n")).isEmpty());
}

// Objects and CPs are found by name: a second one of a name could never be reached.
TEST(DeviceInterfaceFileTest, NamesGivenTwiceAreRefused)
{
    // The refusal names the line of the second one.
    const std::pair<const char *, const char *> rows[] = {
        {"DeviceCP D length=1 default=0\nDeviceCP D length=2 default=0\n",
         "3: device CP \"D\" is given twice"},
        {"Object Channel%n profile=1 count=2\nObject Channel2 profile=1\n",
         "3: object name \"Channel2\" is given twice"},
        {"Object A profile=1\nCP X length=1 default=0\nCP X length=1 default=1\n",
         "4: CP \"X\" is given twice in object \"A\""},
        {"Object A profile=1\nNV V type=95 allowed=95\nCP X length=1 default=0 nv=V\nCP X length=1 default=0 "
         "nv=V\n",
         "5: CP \"X\" is given twice in object \"A\""},
    };
    for (const auto &[lines, says] : rows) {
        const QString error = errorOf(kHead + QString::fromUtf8(lines));
        EXPECT_EQ(error, QStringLiteral("dev.xif:") + QString::fromUtf8(says)) << lines;
    }
    // One name on the object and on one of its NVs names two collections.
    EXPECT_EQ(errorOf(kHead + QStringLiteral("Object A profile=1\nNV V type=95 allowed=95\n"
                                             "CP X length=1 default=0\nCP X length=1 default=0 nv=V\n")),
              QString());
}

TEST(DeviceInterfaceFileTest, UnreadableFileIsNamed)
{
    const QString error =
        lnsErrorText([] { DeviceInterfaceFile::parse(QStringLiteral("/nonexistent/x.xif")); });
    EXPECT_TRUE(error.contains(QStringLiteral("/nonexistent/x.xif")));
}

TEST(DeviceInterfaceFileTest, ReadsAFileFromDisk)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("t.xif")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kTestInterface.toUtf8());
    file.close();
    EXPECT_EQ(DeviceInterfaceFile::parse(file.fileName()).objects.size(), 3);
}
// Names must not silently become replacement characters: a file in an 8-bit
// code page is refused at its first such line; a byte-order mark is no fault.
TEST(DeviceInterfaceFileTest, BytesThatAreNotUtf8AreRefusedWithTheLine)
{
    QTemporaryDir dir;
    auto parseBytes = [&](const QByteArray &bytes) {
        QFile file(dir.filePath(QStringLiteral("enc.xif")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        return DeviceInterfaceFile::parse(file.fileName());
    };
    const QString error = lnsErrorText([&] {
        parseBytes("ProgramId 9000A5E018040100\r\nObject A profile=1\r\nObject K\xFC"
                   "che profile=2\r\n");
    });
    EXPECT_TRUE(error.startsWith(dir.filePath(QStringLiteral("enc.xif:3:")))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("UTF-8")));

    const DeviceInterface di = parseBytes("\xEF\xBB\xBFProgramId 9000A5E018040100\nObject K\xC3\xBC"
                                          "che profile=2\n");
    ASSERT_EQ(di.objects.size(), 1);
    EXPECT_EQ(di.objects.at(0).name, QString::fromUtf8("K\u00FCche"));
}
} // namespace
