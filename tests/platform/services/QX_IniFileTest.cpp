#include "platform/services/QX_IniFile.h"

#include "platform/services/FileCheckPoint.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class QX_IniFileTest : public ::testing::Test
{
protected:
    QString write(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("test.ini"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        return path;
    }

    static bool setModified(const QString &path, const QDateTime &time)
    {
        QFile file(path);
        return file.open(QIODevice::ReadWrite) && file.setFileTime(time, QFileDevice::FileModificationTime);
    }

    QTemporaryDir m_dir;
};
} // namespace

TEST_F(QX_IniFileTest, ReadsItemsTrimmedFromOne)
{
    const QX_IniFile ini(write("[Modules]\nFPTs_8 = 21201 , 23400/7,  520\n"));
    EXPECT_EQ(ini.read(QStringLiteral("Modules"), QStringLiteral("FPTs_8"), 1), QStringLiteral("21201"));
    EXPECT_EQ(ini.read(QStringLiteral("Modules"), QStringLiteral("FPTs_8"), 2), QStringLiteral("23400/7"));
    EXPECT_EQ(ini.read(QStringLiteral("Modules"), QStringLiteral("FPTs_8"), 3), QStringLiteral("520"));
    EXPECT_EQ(ini.read(QStringLiteral("Modules"), QStringLiteral("FPTs_8"), 4), QString());
    EXPECT_EQ(ini.read(QStringLiteral("Modules"), QStringLiteral("FPTs_8"), 0), QString());
    EXPECT_EQ(ini.value(QStringLiteral("Modules"), QStringLiteral("FPTs_8")),
              QStringLiteral("21201 , 23400/7,  520"));
    // An empty middle item stays in place.
    const QX_IniFile list(write("[L]\nList=81,95,,117\n"));
    EXPECT_EQ(list.read(QStringLiteral("L"), QStringLiteral("List"), 3), QString());
    EXPECT_EQ(list.read(QStringLiteral("L"), QStringLiteral("List"), 4), QStringLiteral("117"));
}

TEST_F(QX_IniFileTest, MissingFileSectionKeyAndItemReadEmpty)
{
    const QX_IniFile none(m_dir.filePath(QStringLiteral("absent.ini")));
    EXPECT_EQ(none.read(QStringLiteral("A"), QStringLiteral("B")), QString());
    EXPECT_FALSE(none.hasKey(QStringLiteral("A"), QStringLiteral("B")));

    const QX_IniFile ini(write("[A]\nB=1\nEmpty=\n"));
    EXPECT_EQ(ini.read(QStringLiteral("X"), QStringLiteral("B")), QString());
    EXPECT_EQ(ini.read(QStringLiteral("A"), QStringLiteral("C")), QString());
    EXPECT_EQ(ini.read(QStringLiteral("A"), QStringLiteral("Empty")), QString());
    EXPECT_TRUE(ini.hasKey(QStringLiteral("A"), QStringLiteral("Empty")));
    EXPECT_EQ(ini.read(QStringLiteral("A"), QStringLiteral("B"), 2), QString());

    const QX_IniFile noPath;
    EXPECT_EQ(noPath.read(QStringLiteral("A"), QStringLiteral("B")), QString());
}

TEST_F(QX_IniFileTest, SkipsCommentsAndBlankLinesAndReadsCrLf)
{
    const QX_IniFile ini(
        write("; comment\r\n\r\n# other = 1\r\n[S]\r\n  ; x = 2\r\n\r\nKey = v1,v2\r\n   \r\n"));
    EXPECT_EQ(ini.read(QStringLiteral("S"), QStringLiteral("Key"), 2), QStringLiteral("v2"));
    EXPECT_FALSE(ini.hasKey(QStringLiteral("S"), QStringLiteral("; x")));
    EXPECT_FALSE(ini.hasKey(QString(), QStringLiteral("# other")));
    EXPECT_EQ(ini.value(QStringLiteral("S"), QStringLiteral("Key")), QStringLiteral("v1,v2"));
}

TEST_F(QX_IniFileTest, NamesIgnoreCaseButTheTrailingBlankOfASectionNameCounts)
{
    const QX_IniFile cased(write("[Velto TarvinaRX24 CPs 1.0 ]\nFptIndex=3,0\n"));
    EXPECT_EQ(cased.read(QStringLiteral("velto tarvinaRX24 CPs 1.0 "), QStringLiteral("FPTINDEX")),
              QStringLiteral("3"));
    const QX_IniFile ini(
        write("[velto tarvinaRX24 CPs 1.0]\nA=without\n[velto tarvinaRX24 CPs 1.0 ]\nA=with\n"));
    EXPECT_EQ(ini.read(QStringLiteral("velto tarvinaRX24 CPs 1.0 "), QStringLiteral("A")),
              QStringLiteral("with"));
    EXPECT_EQ(ini.read(QStringLiteral("velto tarvinaRX24 CPs 1.0"), QStringLiteral("A")),
              QStringLiteral("without"));
}

TEST_F(QX_IniFileTest, FirstDuplicateKeyWinsAndRepeatedSectionsMerge)
{
    const QX_IniFile ini(write("[S]\nK=first\nk=second\n[T]\nX=1\n[s]\nK=third\nL=late\n"));
    EXPECT_EQ(ini.read(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("first"));
    EXPECT_EQ(ini.read(QStringLiteral("S"), QStringLiteral("L")), QStringLiteral("late"));
}

TEST_F(QX_IniFileTest, ParameterFileLinesWithBlanksAroundEquals)
{
    const QX_IniFile ini(
        write("[General]\r\nPlugInName = tarvina RX24\r\n[Params]\r\nName_1 = Room 12,\r\n"));
    EXPECT_EQ(ini.read(QStringLiteral("General"), QStringLiteral("PlugInName")),
              QStringLiteral("tarvina RX24"));
    EXPECT_EQ(ini.value(QStringLiteral("Params"), QStringLiteral("Name_1")), QStringLiteral("Room 12,"));
    EXPECT_EQ(ini.read(QStringLiteral("Params"), QStringLiteral("Name_1")), QStringLiteral("Room 12"));
}

TEST_F(QX_IniFileTest, ValueMayContainEqualsAndLinesWithoutEqualsAreIgnored)
{
    const QX_IniFile ini(write("[S]\nnonsense line\n=novalue\nExpr=a=b\n[broken\nK=v\n"));
    EXPECT_EQ(ini.value(QStringLiteral("S"), QStringLiteral("Expr")), QStringLiteral("a=b"));
    EXPECT_FALSE(ini.hasKey(QStringLiteral("S"), QStringLiteral("nonsense line")));
}

TEST_F(QX_IniFileTest, ReadsEightBitCodePage)
{
    const QX_IniFile ini(write("[S]\nUnit=\xB0"
                               "C\n"));
    EXPECT_EQ(ini.read(QStringLiteral("S"), QStringLiteral("Unit")), QString::fromUtf8("\u00B0C"));
    const QX_IniFile utf8(write("[S]\nUnit=\xC2\xB0"
                                "C\n"));
    EXPECT_EQ(utf8.read(QStringLiteral("S"), QStringLiteral("Unit")), QString::fromUtf8("\u00B0C"));
}

// Read as Windows-1252, such a file would lose its first section or every
// key without a word.
TEST_F(QX_IniFileTest, FileThatIsNotWhatItSaysIsRefusedWithFileAndLine)
{
    const QString path = write("\xEF\xBB\xBF[Modules]\r\nChannelCount_0=8\r\nName=K\xFC"
                               "che\r\n");
    const QX_IniFile ini(path);
    EXPECT_EQ(ini.read(QStringLiteral("Modules"), QStringLiteral("ChannelCount_0")), QString());
    EXPECT_TRUE(ini.problem().contains(path)) << ini.problem().toStdString();
    EXPECT_TRUE(ini.problem().contains(QStringLiteral("marked as UTF-8, but line 3")))
        << ini.problem().toStdString();

    write(QByteArray("\xFF\xFE[\0M\0]\0", 8));
    FileCheckPoint::operationBegins();
    EXPECT_TRUE(ini.problem().contains(QStringLiteral("UTF-16"))) << ini.problem().toStdString();

    write("[Modules]\r\nChannelCount_0=8\r\nName=K\xFC"
          "che\r\n");
    FileCheckPoint::operationBegins();
    EXPECT_EQ(ini.problem(), QString());
    EXPECT_EQ(ini.read(QStringLiteral("Modules"), QStringLiteral("Name")), QString::fromUtf8("K\u00FCche"));
}

// A device template edited while the program runs is seen at the next
// operation; within one operation every read sees the version it started with.
TEST_F(QX_IniFileTest, AnEditShowsAtTheNextOperationAndNotWithinOne)
{
    const QString path = write("[Modules]\nChannelCount_16=4\n");
    const QX_IniFile ini(path);
    const QString section = QStringLiteral("Modules");
    const QString key = QStringLiteral("ChannelCount_16");
    FileCheckPoint::operationBegins();
    ASSERT_EQ(ini.read(section, key), QStringLiteral("4"));

    write("[Modules]\nChannelCount_16=12\n"); // another size
    EXPECT_EQ(ini.read(section, key), QStringLiteral("4")) << "one operation, one version";
    FileCheckPoint::operationBegins();
    EXPECT_EQ(ini.read(section, key), QStringLiteral("12"));

    // Saved a minute ago, then again with the same size half a minute ago.
    const QDateTime now = QDateTime::currentDateTime();
    ASSERT_TRUE(setModified(path, now.addSecs(-60)));
    FileCheckPoint::operationBegins();
    ASSERT_EQ(ini.read(section, key), QStringLiteral("12"));
    write("[Modules]\nChannelCount_16=16\n");
    ASSERT_TRUE(setModified(path, now.addSecs(-30)));
    FileCheckPoint::operationBegins();
    EXPECT_EQ(ini.read(section, key), QStringLiteral("16"));

    // An editor that saves a new file under the old name, with the same size
    // and time to the nanosecond.
    const QString saved = m_dir.filePath(QStringLiteral("saved.ini"));
    {
        QFile file(saved);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Modules]\nChannelCount_16=18\n");
    }
    ASSERT_TRUE(setModified(saved, now.addSecs(-30)));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(saved, path));
    FileCheckPoint::operationBegins();
    EXPECT_EQ(ini.read(section, key), QStringLiteral("18"));

    // Written twice within a moment: same size, and the file system's clock
    // may not have moved on. What was just written is read again.
    write("[Modules]\nChannelCount_16=20\n");
    FileCheckPoint::operationBegins();
    ASSERT_EQ(ini.read(section, key), QStringLiteral("20"));
    write("[Modules]\nChannelCount_16=22\n");
    FileCheckPoint::operationBegins();
    EXPECT_EQ(ini.read(section, key), QStringLiteral("22"));

    ASSERT_TRUE(QFile::remove(path));
    FileCheckPoint::operationBegins();
    EXPECT_EQ(ini.read(section, key), QString());
    write("[Modules]\nChannelCount_16=2\n");
    FileCheckPoint::operationBegins();
    EXPECT_EQ(ini.read(section, key), QStringLiteral("2"));
}

// Each copy target opens the template anew: a reader made during an
// operation sees the file as it is, while one made before keeps its version
// until the next operation.
TEST_F(QX_IniFileTest, AReaderMadeDuringAnOperationSeesTheFileAsItIs)
{
    const QString path = write("[Modules]\nChannelCount_16=4\n");
    FileCheckPoint::operationBegins();
    const QX_IniFile first(path);
    ASSERT_EQ(first.read(QStringLiteral("Modules"), QStringLiteral("ChannelCount_16")), QStringLiteral("4"));
    write("[Modules]\nChannelCount_16=8\n");
    const QX_IniFile second(path);
    EXPECT_EQ(second.read(QStringLiteral("Modules"), QStringLiteral("ChannelCount_16")), QStringLiteral("8"));
    EXPECT_EQ(first.read(QStringLiteral("Modules"), QStringLiteral("ChannelCount_16")), QStringLiteral("4"));
    const QX_IniFile third(path);
    EXPECT_EQ(third.read(QStringLiteral("modules"), QStringLiteral(" channelcount_16 ")),
              QStringLiteral("8"));
}
