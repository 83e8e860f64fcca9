#include "ParamsTestSupport.h"
#include "params/cConfigProp.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamASCII.h"
#include "params/cParamCheckBox.h"
#include "params/cParamComboBox.h"
#include "params/cParamOptBtn.h"
#include "params/cParamTextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryFile>

namespace {

class cParamsTest : public ParamsDbFixture
{
protected:
    LnsRef<LnsConfigProperty> quad() const { return cpOf(smallChannel(), QStringLiteral("Quad")); }
    // A plug-in description file of the test's own.
    void useIni(const QString &cpLines)
    {
        iniFile.setFileTemplate(dir.filePath(QStringLiteral("XXXXXX.ini")));
        ASSERT_TRUE(iniFile.open());
        iniFile.write((QStringLiteral("[velto tarvinaRX24 CPs 1.0 ]\n") + cpLines).toUtf8());
        iniFile.flush();
        testIni.setPath(iniFile.fileName());
        params.setIniFile(&testIni);
    }
    LnsRef<LnsConfigProperty> fetchDev(const QString &name, QString *text = nullptr)
    {
        LnsRef<LnsConfigProperty> cp;
        const RaisedError e = raisedBy(
            [&] { params.FetchDevCp(name, CpDefinitions::CpSection, &testIni, nullptr, rx24(), cp); });
        if (text)
            *text = e.description;
        return cp;
    }

    QTemporaryFile iniFile;
    QX_IniFile testIni;
};

TEST_F(cParamsTest, ListsCountFromOneRefuseMissingEntriesAndDuplicateNames)
{
    cParam1Byte *a = params.Add1ByteParameter(QStringLiteral("A"), nullptr, QString());
    cParam1Byte *b = params.Add1ByteParameter(QStringLiteral("B"), nullptr, QString());
    cParam2Byte *c = params.Add2ByteParameter(QStringLiteral("C"), nullptr, QString());
    EXPECT_EQ(params.Parameter1Byte(1), a);
    EXPECT_EQ(params.Parameter1ByteByName(QStringLiteral("B")), b);
    EXPECT_EQ(params.AllParameters().Item(3), c);
    EXPECT_EQ(a->Parent(), &params);
    EXPECT_EQ(raisedBy([&] { params.Parameter1Byte(0); }).number, 9);
    EXPECT_EQ(raisedBy([&] { params.Parameter1Byte(3); }).number, 9);
    EXPECT_EQ(raisedBy([&] { params.TextBoxParameter(1); }).number, 9);
    EXPECT_EQ(raisedBy([&] { params.Parameter1ByteByName(QStringLiteral("Z")); }).number, 5);
    EXPECT_EQ(raisedBy([&] { params.ConfigPropByName(QStringLiteral("A")); }).number, 5);

    EXPECT_EQ(raisedBy([&] { params.Add1ByteParameter(QStringLiteral("A"), nullptr, QString()); }).number,
              457);
    EXPECT_EQ(params.Parameter1ByteCount(), 2);
    // Another kind under a name in use: refused by the list of all parameters.
    EXPECT_EQ(raisedBy([&] { params.AddAsciiParameter(QStringLiteral("A"), nullptr, QString()); }).number,
              457);
    EXPECT_EQ(params.AllParameters().Count(), 3);
    params.AddConfigProp(QStringLiteral("A"), nullptr, QString()); // config properties are apart
    EXPECT_EQ(raisedBy([&] { params.AddConfigProp(QStringLiteral("A"), nullptr, QString()); }).number, 457);
    // Without a CP a parameter is not available; with an external one it is.
    EXPECT_FALSE(a->Available());
    cConfigProp *late = params.AddConfigProp(QStringLiteral("Late"), nullptr, QStringLiteral("Quad"));
    late->setAvailable(true);
    EXPECT_TRUE(params.Add1ByteParameterExtCp(QStringLiteral("Ext"), late)->Available());
}

TEST_F(cParamsTest, ConsiderPartOfCpOnlyRefusesFieldsOutsideTheElementAndKeepsThePrevious)
{
    QLineEdit edit;
    QComboBox combo;
    QCheckBox check;
    const QString name = QStringLiteral("MaxRange"); // one 4-byte element
    cParam1Byte *one = params.Add1ByteParameter(QStringLiteral("P1"), channelCp(name), name);
    cParam2Byte *two = params.Add2ByteParameter(QStringLiteral("P2"), channelCp(name), name);
    cParamASCII *text = params.AddAsciiParameter(QStringLiteral("P3"), channelCp(name), name);
    cParamCheckBox *box = params.AddCheckBoxParameter(QStringLiteral("P4"), &check, channelCp(name), name);
    cParamComboBox *list = params.AddComboBoxParameter(QStringLiteral("P5"), &combo, channelCp(name), name);
    cParamTextBox *number = params.AddTextBoxParameter(QStringLiteral("P6"), &edit, channelCp(name), name);
    struct Case
    {
        cParamBase *param;
        std::function<int()> bytePos;
        std::pair<int, int> good;
        QList<std::pair<int, int>> bad;
        const char *description;
    };
    const Case cases[] = {
        {one, [&] { return one->BytePos(); }, {4, 0}, {{5, 0}, {0, 0}, {-1, 0}}, "invalid parameters"},
        {two, [&] { return two->BytePos(); }, {3, 0}, {{4, 0}, {0, 0}, {-1, 0}}, "invalid parameters"},
        {text, [&] { return text->BytePos(); }, {1, 4}, {{2, 4}, {1, 0}}, "invalid parameters"},
        {box, [&] { return box->BytePos(); }, {4, 1}, {{4, 2}, {0, 1}, {1, 0}}, "ungültige Parameter"},
        {list, [&] { return list->BytePos(); }, {3, 2}, {{4, 2}, {0, 1}, {1, 0}}, "invalid parameters"},
        {number,
         [&] { return number->BytePos(); },
         {2, 1},
         {{0, 1}, {1, 0}, {2, 4}, {5, 1}, {-1, 2}},
         "ungültige Parameter"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.param->Name().toStdString());
        c.param->ConsiderPartOfCpOnly(c.good.first, c.good.second);
        for (const auto &[pos, length] : c.bad) {
            const RaisedError e = raisedBy([&] { c.param->ConsiderPartOfCpOnly(pos, length); });
            EXPECT_EQ(e.number, 0x800403E8L) << pos << "," << length;
            EXPECT_EQ(e.source, QStringLiteral("ConsiderPartOfCpOnly"));
            EXPECT_EQ(e.description, QString::fromUtf8(c.description));
        }
        EXPECT_EQ(c.bytePos(), c.good.first);
    }

    // An external CP or one fetched later is not checked; a missing one is.
    cConfigProp *scenes = params.AddConfigProp(QStringLiteral("Scenes_1"),
                                               channelCp(QStringLiteral("Scenes")), QStringLiteral("Scenes"));
    cParam2Byte *ext = params.Add2ByteParameterExtCp(QStringLiteral("Ext"), scenes);
    EXPECT_EQ(raisedBy([&] { ext->ConsiderPartOfCpOnly(63); }).number, 0);
    cParamTextBox *extText = params.AddTextBoxParameterExtCp(QStringLiteral("ExtText"), &edit, scenes);
    EXPECT_EQ(raisedBy([&] { extText->ConsiderPartOfCpOnly(9, 3); }).number, 0);
    cParam2Byte *late =
        params.Add2ByteParameter(QStringLiteral("Late"), nullptr, QStringLiteral("DefOutput"));
    late->setLateFetch(true);
    EXPECT_EQ(raisedBy([&] { late->ConsiderPartOfCpOnly(1); }).number, 0);
    cParam2Byte *none =
        params.Add2ByteParameter(QStringLiteral("None"), nullptr, QStringLiteral("DefOutput"));
    EXPECT_EQ(raisedBy([&] { none->ConsiderPartOfCpOnly(1); }).number, 0x800403E8L);
}

TEST_F(cParamsTest, ControlsCarryTheParameterNameAsTag)
{
    QLineEdit edit;
    QComboBox combo;
    QCheckBox check;
    params.AddTextBoxParameter(QStringLiteral("Delay"), &edit, nullptr, QString());
    params.AddComboBoxParameter(QStringLiteral("Kind"), &combo, nullptr, QString());
    params.AddCheckBoxParameter(QStringLiteral("On"), &check, nullptr, QString());
    EXPECT_EQ(edit.property("Tag").toString(), QStringLiteral("Delay"));
    EXPECT_EQ(combo.property("Tag").toString(), QStringLiteral("Kind"));
    EXPECT_EQ(check.property("Tag").toString(), QStringLiteral("On"));
}

TEST_F(cParamsTest, ParameterAllByNameSearchesTheKindsInOrder)
{
    QLineEdit edit;
    params.AddTextBoxParameter(QStringLiteral("Shared"), &edit, nullptr, QString());
    // The second kind's list takes the name, the list of all parameters refuses it.
    cParam1Byte *oneByte = nullptr;
    EXPECT_EQ(
        raisedBy([&] { params.Add1ByteParameter(QStringLiteral("Shared"), nullptr, QString()); }).number,
        457);
    oneByte = params.Parameter1ByteByName(QStringLiteral("Shared"));
    EXPECT_EQ(params.ParameterAllByName(QStringLiteral("Shared"), 0), oneByte);
    EXPECT_EQ(params.ParameterAllByName(QStringLiteral("Shared"), 1001),
              params.TextBoxParameterByName(QStringLiteral("Shared")));
    EXPECT_EQ(params.ParameterAllByName(QStringLiteral("Shared"), 1006), nullptr);

    cParam2Byte *two = params.Add2ByteParameter(QStringLiteral("Two"), nullptr, QString());
    EXPECT_EQ(params.ParameterAllByName(QStringLiteral("Two")), two);
    EXPECT_EQ(params.ParameterAllByName(QStringLiteral("Two"), 1005), nullptr);
    params.AddAsciiParameter(QStringLiteral("Text"), nullptr, QString());
    EXPECT_EQ(params.ParameterAllByName(QStringLiteral("Text")), nullptr);
    params.AddConfigProp(QStringLiteral("Cp"), nullptr, QString());
    EXPECT_EQ(params.ParameterAllByName(QStringLiteral("Cp")), nullptr);
}

TEST_F(cParamsTest, ControlIndexLookupTakesTheFirstMatch)
{
    QLineEdit e1, e2, e3;
    e2.setProperty("Index", 4);
    e3.setProperty("Index", 4);
    params.AddTextBoxParameter(QStringLiteral("E1"), &e1, nullptr, QString());
    cParamTextBox *second = params.AddTextBoxParameter(QStringLiteral("E2"), &e2, nullptr, QString());
    params.AddTextBoxParameter(QStringLiteral("E3"), &e3, nullptr, QString());
    EXPECT_EQ(params.TextBoxParameterByControlIndex(4), second);
    EXPECT_EQ(params.TextBoxParameterByControlIndex(0), nullptr);
    QComboBox c1;
    c1.setProperty("Index", 2);
    cParamComboBox *combo = params.AddComboBoxParameter(QStringLiteral("C1"), &c1, nullptr, QString());
    EXPECT_EQ(params.ComboBoxParameterByControlIndex(2), combo);
    EXPECT_EQ(params.ComboBoxParameterByControlIndex(3), nullptr);
}

TEST_F(cParamsTest, EventsGoToTheParameterNamedByTheTag)
{
    QLineEdit edit;
    cParamTextBox *text = params.AddTextBoxParameter(QStringLiteral("Delay"), &edit, nullptr, QString());
    edit.setText(QStringLiteral("12"));
    params.TextBox_Change_Event(&edit);
    EXPECT_EQ(text->Value(), 12);

    QRadioButton r1, r2;
    cParamOptBtn *opt = params.AddOptionButtonParameter(QStringLiteral("Mode"), nullptr, QString());
    opt->AddOptionButton(&r1, QStringLiteral("7"));
    opt->AddOptionButton(&r2, QStringLiteral("9"));
    params.OptionButton_Click_Event(&r2);
    EXPECT_EQ(opt->Value(), QStringLiteral("9"));
    params.OptionButton_Click_Event(&r1);
    EXPECT_EQ(opt->Value(), QStringLiteral("7"));
}

TEST_F(cParamsTest, EventOfAControlNamingNoParameterRaises)
{
    QLineEdit stray;
    stray.setProperty("Tag", QStringLiteral("Nobody"));
    int key = '1';
    bool cancel = false;
    EXPECT_NE(raisedBy([&] { params.TextBox_Change_Event(&stray); }).number, 0);
    EXPECT_NE(raisedBy([&] { params.TextBox_KeyPress_Event(&stray, key); }).number, 0);
    EXPECT_NE(raisedBy([&] { params.TextBox_Validate_Event(&stray, cancel); }).number, 0);
    EXPECT_NE(raisedBy([&] { params.TextBox_LostFocus_Event(&stray); }).number, 0);
    QComboBox combo;
    QCheckBox check;
    QRadioButton radio;
    EXPECT_NE(raisedBy([&] { params.ComboBox_Change_Event(&combo); }).number, 0);
    EXPECT_NE(raisedBy([&] { params.CheckBox_Click_Event(&check); }).number, 0);
    EXPECT_NE(raisedBy([&] { params.OptionButton_Click_Event(&radio); }).number, 0);
    // A name of another kind does not count either.
    params.Add1ByteParameter(QStringLiteral("Nobody"), nullptr, QString());
    EXPECT_EQ(raisedBy([&] { params.TextBox_Change_Event(&stray); }).number, 5);
}

TEST_F(cParamsTest, ReadFromLnsHonoursTheFlagsAndFillsSharedCpsFirst)
{
    auto mode = cpOf(smallChannel(), QStringLiteral("Mode"));
    cParam1Byte *read = params.Add1ByteParameter(QStringLiteral("Mode"), mode, QStringLiteral("Mode"));
    cParam1Byte *skipped = params.Add1ByteParameter(QStringLiteral("Mode2"), mode, QStringLiteral("Mode"));
    skipped->setDontReadFromLns(true);
    skipped->setValue(1);
    cConfigProp *shared = params.AddConfigProp(QStringLiteral("Quad"), quad(), QStringLiteral("Quad"));
    cParam1Byte *ext = params.Add1ByteParameterExtCp(QStringLiteral("Quad2"), shared);
    ext->ConsiderPartOfCpOnly(2);
    params.ReadFromLns();
    EXPECT_EQ(read->Value(), 200);
    EXPECT_EQ(skipped->Value(), 1);
    EXPECT_EQ(ext->Value(), 2);
    EXPECT_FALSE(ext->Changed());
}

TEST_F(cParamsTest, SharedCpIsWrittenOnceAfterAllItsParameters)
{
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("Quad"), 4, 1, QList<int>{1, 2, 3, 4});
    cConfigProp *shared = params.AddConfigProp(QStringLiteral("Quad"), fake, QStringLiteral("Quad"));
    for (int i = 1; i <= 3; ++i) {
        cParam1Byte *p = params.Add1ByteParameterExtCp(QStringLiteral("Part%1").arg(i), shared);
        p->ConsiderPartOfCpOnly(i);
        p->setValue(i * 11);
    }
    params.WriteToLns();
    EXPECT_EQ(fake->valueWrites, 1);
    EXPECT_EQ(fake->bytes(), (QList<int>{11, 22, 33, 4}));
    EXPECT_EQ(params.GetAllCpsShouldBeWrittenToLns().size(), 1);
    EXPECT_EQ(params.GetAllCpsShouldBeWrittenToLns().first(), fake);
    EXPECT_EQ(params.GetAllCpNamesShouldBeWrittenToLns(), QStringList{QStringLiteral("Quad")});

    // The same through the database.
    cParams again;
    again.setSystem(network->system());
    cConfigProp *quadCp = again.AddConfigProp(QStringLiteral("Quad"), quad(), QStringLiteral("Quad"));
    for (int i = 1; i <= 3; ++i) {
        cParam1Byte *p = again.Add1ByteParameterExtCp(QStringLiteral("Part%1").arg(i), quadCp);
        p->ConsiderPartOfCpOnly(i);
        p->setValue(100 + i);
    }
    again.WriteToLns();
    EXPECT_FALSE(network->system()->inTransaction());
    EXPECT_EQ(bytesOf(quad()), (QList<int>{101, 102, 103, 4}));
}

TEST_F(cParamsTest, WriteToLnsRunsInOneTransaction)
{
    auto system = std::make_shared<CountingSystem>();
    params.setSystem(system);
    auto fake = std::make_shared<FakeConfigProperty>(QStringLiteral("Mode"), 1, 1, QList<int>{0});
    params.Add1ByteParameter(QStringLiteral("Mode"), fake, QStringLiteral("Mode"))->setValue(5);
    params.WriteToLns();
    EXPECT_EQ(system->starts, 1);
    EXPECT_EQ(system->commits, 1);
    EXPECT_EQ(system->cancels, 0);
    EXPECT_EQ(fake->bytes(), QList<int>{5});

    // Inside the caller's transaction: no second one, no commit of the caller's.
    system->open = true;
    params.WriteToLns();
    EXPECT_EQ(system->starts, 1);
    EXPECT_EQ(system->commits, 1);
    EXPECT_EQ(fake->valueWrites, 2);

    // No transaction to be had (another client holds the database): nothing
    // is written one statement at a time, and the caller learns why.
    system->open = false;
    system->refuseStart = true;
    params.Parameter1ByteByName(QStringLiteral("Mode"))->setValue(6);
    EXPECT_THROW(params.WriteToLns(), LnsError);
    EXPECT_EQ(fake->valueWrites, 2);
    EXPECT_EQ(fake->bytes(), QList<int>{5});
}

TEST_F(cParamsTest, ExcludedParametersAreNeitherWrittenNorListed)
{
    auto a = std::make_shared<FakeConfigProperty>(QStringLiteral("A"), 1, 1, QList<int>{0});
    auto b = std::make_shared<FakeConfigProperty>(QStringLiteral("B"), 1, 1, QList<int>{0});
    auto c = std::make_shared<FakeConfigProperty>(QStringLiteral("C"), 1, 1, QList<int>{0});
    params.Add1ByteParameter(QStringLiteral("A"), a, QStringLiteral("A"))->setDontWriteToLns(true);
    params.Add1ByteParameter(QStringLiteral("B"), b, QStringLiteral("B"))->setAvailable(false);
    cParam2Byte *kept = params.Add2ByteParameter(QStringLiteral("C"), c, QStringLiteral("C"));
    params.AddAsciiParameter(QStringLiteral("D"), c, QStringLiteral("C")); // ASCII is never listed
    EXPECT_EQ(params.GetAllParamsShouldBeWrittenToLns(), QList<cParamBase *>{kept});
    params.WriteToLns();
    EXPECT_EQ(a->valueWrites, 0);
    EXPECT_EQ(b->valueWrites, 0);
    EXPECT_EQ(c->valueWrites, 2);
}

TEST_F(cParamsTest, CpListNamesEachCpOnceInOrderOfFirstUse)
{
    auto fpt = cpOf(channel(1), QStringLiteral("FptIndex"));
    auto type = cpOf(channel(1), QStringLiteral("ModuleType"));
    params.Add1ByteParameter(QStringLiteral("ModuleType_1"), type, QStringLiteral("ModuleType"));
    params.Add2ByteParameter(QStringLiteral("FptIndex_1"), fpt, QStringLiteral("FptIndex"));
    params.Add1ByteParameter(QStringLiteral("ModuleType_again"),
                             cpOf(channel(1), QStringLiteral("ModuleType")), QStringLiteral("ModuleType"));
    EXPECT_EQ(params.GetAllCpNamesShouldBeWrittenToLns(),
              (QStringList{QStringLiteral("ModuleType"), QStringLiteral("FptIndex")}));
}

TEST_F(cParamsTest, WriteToLnsLogsTheCpNames)
{
    params.Add1ByteParameter(QStringLiteral("Mode"), cpOf(smallChannel(), QStringLiteral("Mode")),
                             QStringLiteral("Mode"));
    params.WriteToLns(true);
    const QList<LogLine> &lines = LogService::instance().Lines();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0).text, QStringLiteral("The following config properties will be written:  "));
    EXPECT_EQ(lines.at(1).text, QStringLiteral("    - Mode"));
    EXPECT_EQ(lines.at(1).colour, LogService::DarkGreen);
    EXPECT_TRUE(lines.at(2).text.isEmpty());
    params.WriteToLns(false);
    EXPECT_EQ(LogService::instance().Lines().size(), 3);
}

TEST_F(cParamsTest, WriteToLnsLmoReportsMissingCpsAndWritesTheRest)
{
    auto system = std::make_shared<CountingSystem>();
    params.setSystem(system);
    auto own = cpOf(channel(1), QStringLiteral("FptIndex"));
    cParam2Byte *fpt =
        params.Add2ByteParameter(QStringLiteral("FptIndex_1"), own, QStringLiteral("FptIndex"));
    fpt->setValue(21400);
    auto ghostCp = std::make_shared<FakeConfigProperty>(QStringLiteral("Ghost"), 1, 1, QList<int>{0});
    params.Add1ByteParameter(QStringLiteral("Ghost_1"), ghostCp, QStringLiteral("Ghost"));
    params
        .Add1ByteParameter(QStringLiteral("ModuleNumber_1"), cpOf(channel(1), QStringLiteral("ModuleNumber")),
                           QStringLiteral("ModuleNumber"))
        ->setValue(3);
    QSignalSpy spy(&params, &cParams::CpNotFoundWhileWriting);

    const auto target = channel(2);
    EXPECT_TRUE(params.WriteToLnsLmo(target, ini, CpDefinitions::CpSection));
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("Ghost"));
    EXPECT_EQ(spy.at(0).at(1).value<LnsRef<LnsObject>>(), target);
    EXPECT_EQ(bytesOf(cpOf(channel(2), QStringLiteral("FptIndex"))), (QList<int>{0x53, 0x98}));
    EXPECT_EQ(bytesOf(cpOf(channel(2), QStringLiteral("ModuleNumber"))), QList<int>{3});
    EXPECT_EQ(bytesOf(cpOf(channel(1), QStringLiteral("FptIndex"))), (QList<int>{255, 255}));
    EXPECT_EQ(fpt->ConfigProperty(), own);
    EXPECT_EQ(ghostCp->valueWrites, 0);
    EXPECT_EQ(system->starts, 1);
    EXPECT_EQ(system->commits, 1);
}

TEST_F(cParamsTest, WriteToLnsDevFetchesThroughTheDevice)
{
    cConfigProp *modules =
        params.AddConfigProp(QStringLiteral("DeviceModules"), small()->configProperties()->item(1),
                             QStringLiteral("DeviceModules"));
    modules->ReadFromLns();
    modules->setByteValue(2, 20);
    EXPECT_TRUE(params.WriteToLnsDev(rx24(), ini, CpDefinitions::CpSection));
    EXPECT_EQ(bytesOf(rx24()->configProperties()->item(1)),
              (QList<int>{255, 20, 255, 255, 255, 255, 255, 255}));
    EXPECT_EQ(bytesOf(small()->configProperties()->item(1)), QList<int>(8, 255));
}

// A device that refuses one value, or a commit that fails, leaves every CP as
// it was: the bulk write says so and the log holds the error entry.
TEST_F(cParamsTest, ARefusedCpOrAFailedCommitLeavesEveryCpAsItWas)
{
    QX_Logger &logger = installLogger();
    params
        .Add1ByteParameter(QStringLiteral("ModuleNumber_1"), channelCp(QStringLiteral("ModuleNumber")),
                           QStringLiteral("ModuleNumber"))
        ->setValue(3);
    params
        .Add2ByteParameter(QStringLiteral("FptIndex_1"), channelCp(QStringLiteral("FptIndex")),
                           QStringLiteral("FptIndex"))
        ->setValue(21400);
    cConfigProp *modules =
        params.AddConfigProp(QStringLiteral("DeviceModules"), rx24()->configProperties()->item(1),
                             QStringLiteral("DeviceModules"));
    modules->ReadFromLns();
    modules->setByteValue(2, 20);
    const QList<LnsRef<LnsConfigProperty>> watched = {
        channelCp(QStringLiteral("ModuleNumber"), 1), channelCp(QStringLiteral("FptIndex"), 1),
        channelCp(QStringLiteral("ModuleNumber"), 2), channelCp(QStringLiteral("FptIndex"), 2),
        rx24()->configProperties()->item(1)};
    const auto snapshot = [&] {
        QList<QList<int>> bytes;
        for (const auto &cp : watched)
            bytes.append(bytesOf(cp));
        return bytes;
    };
    struct Write
    {
        QString procedure;
        std::function<bool()> run;
    };
    const QList<Write> writes = {
        {QStringLiteral("WriteToLns"),
         [&] {
             try {
                 params.WriteToLns();
                 return true;
             } catch (const AppError &) {
                 return false;
             }
         }},
        {QStringLiteral("WriteToLnsLmo"),
         [&] { return params.WriteToLnsLmo(channel(2), ini, CpDefinitions::CpSection); }},
        {QStringLiteral("WriteToLnsDev"),
         [&] { return params.WriteToLnsDev(rx24(), ini, CpDefinitions::CpSection); }},
    };
    const LnsRef<LnsSystem> system = network->system();
    const auto failingCommits = std::make_shared<FailingCommitSystem>(system);
    for (const bool refuse : {false, true}) {
        // The FptIndex CPs are written after the ModuleNumber CPs, so the
        // refusal comes when part of the set is in already; the device write
        // reaches only the device CP.
        if (refuse) {
            refuseCpWrites(QStringLiteral("FptIndex"));
            refuseCpWrites(QStringLiteral("DeviceModules"));
        }
        params.setSystem(refuse ? system : failingCommits);
        for (const Write &write : writes) {
            SCOPED_TRACE(write.procedure.toStdString() + (refuse ? " refused CP" : " failed commit"));
            const QList<QList<int>> before = snapshot();
            logger.clearEntries();
            EXPECT_FALSE(write.run());
            EXPECT_EQ(snapshot(), before);
            EXPECT_FALSE(system->inTransaction());
            bool logged = false;
            for (const LogEntry &entry : logger.entries())
                logged |= entry.kind == LogEntry::Kind::Error && entry.procedureName == write.procedure;
            EXPECT_TRUE(logged);
        }
    }
}

TEST_F(cParamsTest, AnyParameterValueIsInvalidLooksAtTextAndComboBoxes)
{
    QLineEdit edit;
    QComboBox combo;
    cParamTextBox *text = params.AddTextBoxParameter(QStringLiteral("T"), &edit, nullptr, QString());
    cParamComboBox *choice = params.AddComboBoxParameter(QStringLiteral("C"), &combo, nullptr, QString());
    choice->AddComboBoxItem(QStringLiteral("one"), 1);
    choice->setValue(1);
    text->setValue(10);
    EXPECT_FALSE(params.AnyParameterValueIsInvalid()); // neither is Available
    text->setAvailable(true);
    choice->setAvailable(true);
    EXPECT_FALSE(params.AnyParameterValueIsInvalid());
    choice->setValue(2);
    EXPECT_TRUE(params.AnyParameterValueIsInvalid());
    choice->setValue(1);
    text->setTextBoxRangeMax(5);
    EXPECT_TRUE(params.AnyParameterValueIsInvalid());
}

TEST_F(cParamsTest, FetchLmoCpOfAnUndefinedCp)
{
    useIni(QStringLiteral("Ghost=-1,0\nOutDelay=1,3\nZero=0,0\n"));
    LnsRef<LnsConfigProperty> cp;
    bool succeed = true;
    EXPECT_FALSE(params.FetchLmoCp(QStringLiteral("Ghost"), CpDefinitions::CpSection, &testIni, nullptr,
                                   smallChannel(), cp, &succeed));
    EXPECT_FALSE(succeed);
    EXPECT_EQ(cp, nullptr);
    const RaisedError e = raisedBy([&] {
        params.FetchLmoCp(QStringLiteral("Ghost"), CpDefinitions::CpSection, &testIni, nullptr,
                          smallChannel(), cp);
    });
    EXPECT_EQ(e.number, 10000);
    EXPECT_EQ(e.description, QStringLiteral("INI - File Error : Ghost"));
    EXPECT_EQ(raisedBy([&] {
                  params.FetchLmoCp(QStringLiteral("Zero"), CpDefinitions::CpSection, &testIni, nullptr,
                                    smallChannel(), cp);
              }).number,
              10000);
}

TEST_F(cParamsTest, FetchLmoCpOfAnNvCp)
{
    useIni(QStringLiteral("OutDelay=1,3\nBeyond=5,0\n"));
    LnsRef<LnsConfigProperty> cp;
    bool succeed = false;
    EXPECT_TRUE(params.FetchLmoCp(QStringLiteral("OutDelay"), CpDefinitions::CpSection, &testIni, nullptr,
                                  smallChannel(), cp, &succeed));
    EXPECT_TRUE(succeed);
    ASSERT_NE(cp, nullptr);
    EXPECT_EQ(cp->name(), QStringLiteral("OutDelay"));
    // A position beyond the collection: reported, never raised, with Succeed.
    EXPECT_FALSE(params.FetchLmoCp(QStringLiteral("Beyond"), CpDefinitions::CpSection, &testIni, nullptr,
                                   smallChannel(), cp, &succeed));
    EXPECT_FALSE(succeed);
    EXPECT_EQ(raisedBy([&] {
                  params.FetchLmoCp(QStringLiteral("Beyond"), CpDefinitions::CpSection, &testIni, nullptr,
                                    smallChannel(), cp);
              }).number,
              LnsErrorCode::NotFound);
}

TEST_F(cParamsTest, FetchDevCpFollowsObjectAndNv)
{
    useIni(QStringLiteral("DeviceModules=1,0,0\nThirdObject=1,3\nObjectNv=1,1,1\n"
                          "NoObject=1,99,0\nNoNv=1,2,99\nNoCp=99,0,0\nUndefined=-1,0,0\n"));
    auto cp = fetchDev(QStringLiteral("DeviceModules"));
    ASSERT_NE(cp, nullptr);
    EXPECT_EQ(cp->name(), QStringLiteral("DeviceModules"));
    cp = fetchDev(QStringLiteral("ThirdObject"));
    ASSERT_NE(cp, nullptr);
    EXPECT_EQ(cp->name(), QStringLiteral("FptIndex"));
    EXPECT_EQ(cp->parent()->name(), channel(2)->name());

    QString text;
    EXPECT_EQ(fetchDev(QStringLiteral("NoObject"), &text), nullptr);
    EXPECT_EQ(text, QStringLiteral("INI-File Error (CP, Object-Fetch): NoObject / Object-Index=99"));
    EXPECT_EQ(fetchDev(QStringLiteral("NoNv"), &text), nullptr);
    EXPECT_EQ(text, QStringLiteral("INI-File Error (CP, NV-Fetch): NoNv / NV-Index=99"));
    EXPECT_EQ(fetchDev(QStringLiteral("NoCp"), &text), nullptr);
    EXPECT_EQ(text, QStringLiteral("INI-File Error (CP, CP-Fetch): NoCp / CP-Index=99"));
    EXPECT_EQ(fetchDev(QStringLiteral("Undefined"), &text), nullptr);
    EXPECT_EQ(text, QStringLiteral("INI-File Error (CP, CP-Fetch): Undefined / CP-Index=-1"));
    EXPECT_EQ(fetchDev(QStringLiteral("ObjectNv"), &text), nullptr); // the node's NV has no CPs
    EXPECT_EQ(text, QStringLiteral("INI-File Error (CP, CP-Fetch): ObjectNv / CP-Index=1"));

    LnsRef<LnsConfigProperty> none;
    bool succeed = true;
    EXPECT_FALSE(params.FetchDevCp(QStringLiteral("NoObject"), CpDefinitions::CpSection, &testIni, nullptr,
                                   rx24(), none, &succeed));
    EXPECT_FALSE(succeed);
}

} // namespace
