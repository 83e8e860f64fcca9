#include "ParamsTestSupport.h"

#include <QTemporaryFile>

namespace {

class CpDefinitionsTest : public ParamsDbFixture
{
protected:
    static QStringList traces(const QX_Logger &logger)
    {
        QStringList texts;
        for (const LogEntry &entry : logger.entries()) {
            if (entry.kind == LogEntry::Kind::Trace)
                texts.append(entry.text);
        }
        return texts;
    }
    static QList<LogEntry> errors(const QX_Logger &logger)
    {
        QList<LogEntry> result;
        for (const LogEntry &entry : logger.entries()) {
            if (entry.kind == LogEntry::Kind::Error)
                result.append(entry);
        }
        return result;
    }
};

TEST_F(CpDefinitionsTest, FetchCpFindsTheObjectsCpAndTraces)
{
    QX_Logger &logger = installLogger();
    LnsRef<LnsConfigProperty> cp;
    bool succeed = false;
    EXPECT_TRUE(CpDefinitions::FetchCp(QStringLiteral("SwitchType"), CpDefinitions::CpSection, channel(4), cp,
                                       &succeed));
    EXPECT_TRUE(succeed);
    ASSERT_NE(cp, nullptr);
    EXPECT_EQ(cp->name(), QStringLiteral("SwitchType"));
    EXPECT_EQ(cp->parent()->name(), channel(4)->name());
    EXPECT_EQ(traces(logger), QStringList{QStringLiteral("[M_PlugIn] Public Sub FetchCp()")});
}

TEST_F(CpDefinitionsTest, FetchCpOfAnUnknownNameRaisesWithoutSucceed)
{
    LnsRef<LnsConfigProperty> cp;
    EXPECT_EQ(raisedBy([&] {
                  CpDefinitions::FetchCp(QStringLiteral("Nope"), CpDefinitions::CpSection, channel(1), cp);
              }).description,
              QStringLiteral("INI - File Error : Nope"));
    bool succeed = true;
    EXPECT_FALSE(
        CpDefinitions::FetchCp(QStringLiteral("Nope"), CpDefinitions::CpSection, channel(1), cp, &succeed));
    EXPECT_FALSE(succeed);
}

TEST_F(CpDefinitionsTest, FetchCpLogsLnsFailures)
{
    QX_Logger &logger = installLogger();
    LnsRef<LnsConfigProperty> cp;
    // The device CP line names position 1 of the object's collection; the
    // node object has no CPs at all.
    EXPECT_FALSE(CpDefinitions::FetchCp(QStringLiteral("DeviceModules"), CpDefinitions::CpSection,
                                        rx24()->lonMarkObjects()->item(1), cp));
    const QList<LogEntry> logged = errors(logger);
    ASSERT_EQ(logged.size(), 1);
    EXPECT_EQ(logged.first().moduleName, QStringLiteral("M_LNS_Utilities"));
    EXPECT_EQ(logged.first().procedureName, QStringLiteral("FetchLmoCp2"));
    EXPECT_EQ(logged.first().errorNumber, LnsErrorCode::NotFound);
}

TEST_F(CpDefinitionsTest, ModuleFetchDevCpTakesTheObjectOfItemTwo)
{
    QX_Logger &logger = installLogger();
    QTemporaryFile file(dir.filePath(QStringLiteral("XXXXXX.ini")));
    ASSERT_TRUE(file.open());
    file.write("[velto tarvinaRX24 CPs 1.0 ]\nThird=2,3\nUndefined=-1,3\nNoObject=1,0\n");
    file.flush();
    QX_IniFile own(file.fileName());
    CpDefinitions::setIniFile(&own);

    LnsRef<LnsConfigProperty> cp;
    bool succeed = false;
    EXPECT_TRUE(
        CpDefinitions::FetchDevCp(QStringLiteral("Third"), CpDefinitions::CpSection, rx24(), cp, &succeed));
    EXPECT_TRUE(succeed);
    EXPECT_EQ(cp->name(), QStringLiteral("ModuleType"));
    EXPECT_EQ(cp->parent()->name(), channel(2)->name());
    EXPECT_EQ(traces(logger).first(), QStringLiteral("[M_PlugIn] Public Sub FetchDevCp()"));

    EXPECT_EQ(raisedBy([&] {
                  CpDefinitions::FetchDevCp(QStringLiteral("Undefined"), CpDefinitions::CpSection, rx24(),
                                            cp);
              }).description,
              QStringLiteral("INI - File Error : Undefined"));
    EXPECT_FALSE(CpDefinitions::FetchDevCp(QStringLiteral("Undefined"), CpDefinitions::CpSection, rx24(), cp,
                                           &succeed));
    EXPECT_FALSE(succeed);

    // Object index 0 names no object: logged, not raised.
    succeed = true;
    EXPECT_FALSE(CpDefinitions::FetchDevCp(QStringLiteral("NoObject"), CpDefinitions::CpSection, rx24(), cp,
                                           &succeed));
    EXPECT_FALSE(succeed);
    ASSERT_EQ(errors(logger).size(), 1);
    EXPECT_EQ(errors(logger).first().moduleName, QStringLiteral("M_PlugIn"));
    EXPECT_EQ(errors(logger).first().procedureName, QStringLiteral("FetchDevCp"));
}

TEST_F(CpDefinitionsTest, WithoutADescriptionFileNothingIsDefined)
{
    CpDefinitions::setIniFile(nullptr);
    LnsRef<LnsConfigProperty> cp;
    bool succeed = true;
    EXPECT_FALSE(CpDefinitions::FetchCp(QStringLiteral("FptIndex"), CpDefinitions::CpSection, channel(1), cp,
                                        &succeed));
    EXPECT_FALSE(succeed);
}

} // namespace
