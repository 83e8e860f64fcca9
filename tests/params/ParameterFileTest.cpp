#include "params/ParameterFile.h"

#include "ParamsTestSupport.h"
#include "params/ParameterFileReader.h"
#include "params/Windows1252.h"
#include "params/cParam1Byte.h"
#include "params/cParam2Byte.h"
#include "params/cParamASCII.h"
#include "params/cParamCheckBox.h"
#include "params/cParamComboBox.h"
#include "params/cParamOptBtn.h"
#include "params/cParamTextBox.h"
#include "platform/services/UtilityComponent.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QRandomGenerator>

namespace {
const QString PlugIn = QStringLiteral("veltoTarvinaRX24");
const QString ProgramId = QStringLiteral("9000A5E018040100");
const QString OlderProgramId = QStringLiteral("9000A5E018040000"); // listed as compatible
const QString Version = QStringLiteral("1");

QByteArray header(const QByteArray &programId = "9000A5E018040100")
{
    return "[General]\r\nPlugInName = veltoTarvinaRX24\r\nProgramId = " + programId +
           "\r\nDataFileVersion = 1\r\n\r\n[Settings]\r\n";
}

std::shared_ptr<FakeConfigProperty> fakeCp(int length, int fill = 0)
{
    return std::make_shared<FakeConfigProperty>(QStringLiteral("cp"), length, 1, QList<int>(length, fill));
}

// One parameter of every kind, each with a CP of its own, bound to controls
// as the form binds them.
struct Collection
{
    Collection()
    {
        oneByte = params.Add1ByteParameter(QStringLiteral("Mode_1"), cps[0], QStringLiteral("Mode"));
        oneByte->ConsiderPartOfCpOnly(1);
        twoByte = params.Add2ByteParameter(QStringLiteral("Delay_1"), cps[1], QStringLiteral("Delay"));
        twoByte->ConsiderPartOfCpOnly(1);
        ascii = params.AddAsciiParameter(QStringLiteral("Label_1"), cps[2], QStringLiteral("Label"));
        ascii->ConsiderPartOfCpOnly(1, 8);
        check =
            params.AddCheckBoxParameter(QStringLiteral("Enable_1"), &box, cps[3], QStringLiteral("Enable"));
        check->ConsiderPartOfCpOnly(1, 1);
        check->setValueChecked(5);
        check->setValueUnchecked(0);
        combo = params.AddComboBoxParameter(QStringLiteral("Use_1"), &list, cps[4], QStringLiteral("Use"));
        combo->ConsiderPartOfCpOnly(1, 1);
        for (int i = 0; i < 3; ++i)
            combo->AddComboBoxItem(QStringLiteral("use %1").arg(i), i);
        option = params.AddOptionButtonParameter(QStringLiteral("Fpt_1"), cps[5], QStringLiteral("Fpt"));
        option->AddOptionButton(&lighting, QStringLiteral("83\t152"));
        option->AddOptionButton(&unused, QStringLiteral("255\t255"));
        text = params.AddTextBoxParameter(QStringLiteral("Temp_1"), &edit, cps[6], QStringLiteral("Temp"));
        text->setSnvtType(SNVT_temp_p);
        text->ConsiderPartOfCpOnly(1, 2);
        text->setLockMode(LM_UNLOCKED);
    }

    void setValues()
    {
        oneByte->setValue(200);
        twoByte->setValue(300);
        ascii->setValue(QStringLiteral("Hall  "));
        check->setValue(5);
        combo->setValue(2);
        option->setValue(QStringLiteral("83\t152"));
        text->setValue(2150);
    }

    void clearChanged()
    {
        for (cParamBase *param : params.AllParameters())
            param->setChanged(false);
    }

    int lnsWrites() const
    {
        int writes = 0;
        for (const auto &cp : cps)
            writes += cp->valueWrites + cp->elementWrites;
        return writes;
    }

    std::shared_ptr<FakeConfigProperty> cps[7] = {fakeCp(1), fakeCp(2), fakeCp(8), fakeCp(1),
                                                  fakeCp(1), fakeCp(2), fakeCp(2)};
    QCheckBox box;
    QComboBox list;
    QRadioButton lighting;
    QRadioButton unused;
    QLineEdit edit;
    cParams params;
    cParam1Byte *oneByte = nullptr;
    cParam2Byte *twoByte = nullptr;
    cParamASCII *ascii = nullptr;
    cParamCheckBox *check = nullptr;
    cParamComboBox *combo = nullptr;
    cParamOptBtn *option = nullptr;
    cParamTextBox *text = nullptr;
};

class ParameterFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("set.dat")) const { return dir.filePath(name); }

    static QByteArray bytesOf(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void put(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

    qint32 load(cParams &params, const QString &file, const QString &programId = ProgramId)
    {
        return params.LoadFromFile(file, &ini, PlugIn, programId, Version);
    }

    // Loads a file of the header and the given [Settings] lines into a fresh
    // collection whose values were set and whose Changed flags were cleared.
    qint32 loadSettings(Collection &c, const QByteArray &settings, ParameterFile *file = nullptr)
    {
        c.setValues();
        c.clearChanged();
        put(path(), header() + settings);
        if (file) {
            const UtilityComponent description(ini.path());
            return file->load(path(), &description, {PlugIn, ProgramId, Version});
        }
        return load(c.params, path());
    }

    QTemporaryDir dir;
    QX_IniFile ini{QStringLiteral(RX24_SOURCE_DIR "/resources/data/tarvinaRX24.ini")};
};
} // namespace

// --- writing -------------------------------------------------------------------

TEST_F(ParameterFileTest, EmptyCollectionReplacesTheFileWithHeaderSettingsAndSevenEmptyLines)
{
    put(path(), QByteArray(10000, 'x'));
    cParams params;
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + "\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(ParameterFileTest, SmallCollectionGivesTheExactLayout)
{
    cParams params;
    params.Add2ByteParameter(QStringLiteral("Delay_1"), fakeCp(2), QString())->setValue(300);
    params.AddTextBoxParameter(QStringLiteral("Temp_1"), nullptr, fakeCp(2), QString())->setValue(2150);
    params.AddTextBoxParameter(QStringLiteral("Temp_2"), nullptr, fakeCp(2), QString())->setValue(1800);
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + "\r\n"
                                          ";  *** Generic 2 Byte ***\r\n"
                                          "Delay_1 = 1,44\r\n"
                                          "\r\n"
                                          "\r\n\r\n\r\n\r\n"
                                          ";  *** TextBox ***\r\n"
                                          "Temp_1 = 2150\r\n"
                                          "Temp_2 = 1800\r\n"
                                          "\r\n");
}

TEST_F(ParameterFileTest, EveryKindHasItsLineFormatInBlockOrder)
{
    Collection c;
    c.setValues();
    c.text->setValueCalc(-5.5); // the working value is written, not the text "-5.50"
    ASSERT_TRUE(c.params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + ";  *** Generic 1 Byte ***\r\nMode_1 = 200\r\n\r\n"
                                          ";  *** Generic 2 Byte ***\r\nDelay_1 = 1,44\r\n\r\n"
                                          ";  *** Generic ASCII ***\r\nLabel_1 = Hall  ,\r\n\r\n"
                                          ";  *** CheckBox ***\r\nEnable_1 = 5\r\n\r\n"
                                          ";  *** ComboBox ***\r\nUse_1 = 2\r\n\r\n"
                                          ";  *** OptionButton ***\r\nFpt_1 = 83\t152\r\n\r\n"
                                          ";  *** TextBox ***\r\nTemp_1 = -550\r\n\r\n");
}

TEST_F(ParameterFileTest, DontWriteToFileKeepsTheLineOutButNotTheBlockComment)
{
    cParams params;
    params.Add1ByteParameter(QStringLiteral("Hidden"), fakeCp(1), QString())->setDontWriteToFile(true);
    params.Add1ByteParameter(QStringLiteral("NoCp"), nullptr, QString()); // not Available
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(path()), header() + ";  *** Generic 1 Byte ***\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(ParameterFileTest, ForceWriteToFileWritesEvenExcludedOrUnavailableParameters)
{
    cParams params;
    cParam1Byte *hidden = params.Add1ByteParameter(QStringLiteral("Hidden"), fakeCp(1), QString());
    hidden->setDontWriteToFile(true);
    hidden->setForceWriteToFile(true);
    hidden->setValue(7);
    params.Add1ByteParameter(QStringLiteral("NoCp"), nullptr, QString())->setForceWriteToFile(true);
    ASSERT_TRUE(params.WriteToFile(path(), PlugIn, ProgramId, Version));
    EXPECT_TRUE(bytesOf(path()).contains("\r\nHidden = 7\r\nNoCp = 0\r\n"));
}

TEST_F(ParameterFileTest, TextIsWindows1252AndLineBreaksInValuesCannotSplitLines)
{
    cParams params;
    cParamASCII *ascii = params.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString());
    ascii->setValue(QString::fromUtf8("Büro\nA\r\xC2\x80"));
    ASSERT_TRUE(params.WriteToFile(path(), QString::fromUtf8("plug€"), ProgramId, Version));
    const QByteArray bytes = bytesOf(path());
    EXPECT_TRUE(bytes.contains("PlugInName = plug\x80\r\n"));
    EXPECT_TRUE(bytes.contains("Label = B\xFCro?A?\x80,\r\n"));
}

TEST_F(ParameterFileTest, FailedSaveKeepsTheOldFile)
{
    cParams params;
    EXPECT_FALSE(params.WriteToFile(dir.filePath(QStringLiteral("no/such/folder/set.dat")), PlugIn, ProgramId,
                                    Version));
    EXPECT_FALSE(params.WriteToFile(QString(), PlugIn, ProgramId, Version));
    // The temporary file beside a name of 250 characters gets a name longer
    // than the file system allows: the save fails after the target exists.
    const QString target = path(QString(250, QLatin1Char('p')));
    put(target, "good old content");
    EXPECT_FALSE(params.WriteToFile(target, PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(target), QByteArray("good old content"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

TEST_F(ParameterFileTest, ReadOnlyFolderFailsAndKeepsTheOldFile)
{
    const QString folder = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString target = folder + QStringLiteral("/set.dat");
    put(target, "good old content");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    QFile probe(folder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.close();
        probe.remove();
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "folder permissions do not bind this user";
    }
    cParams params;
    EXPECT_FALSE(params.WriteToFile(target, PlugIn, ProgramId, Version));
    EXPECT_EQ(bytesOf(target), QByteArray("good old content"));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// --- round trip ------------------------------------------------------------------

TEST_F(ParameterFileTest, EveryKindLoadsBackWithTheEffectsOfTyping)
{
    Collection saved;
    saved.setValues();
    ASSERT_TRUE(saved.params.WriteToFile(path(), PlugIn, ProgramId, Version));

    Collection loaded;
    loaded.oneByte->setValue(1);
    loaded.twoByte->setValue(2);
    loaded.ascii->setValue(QStringLiteral("x"));
    loaded.check->setValue(0);
    loaded.combo->setValue(0);
    loaded.option->setValue(QStringLiteral("255\t255"));
    loaded.text->setValue(0);
    loaded.clearChanged();

    EXPECT_EQ(load(loaded.params, path()), LE_NO_ERROR);
    EXPECT_EQ(loaded.oneByte->Value(), 200);
    EXPECT_EQ(loaded.twoByte->Value1(), 1);
    EXPECT_EQ(loaded.twoByte->Value2(), 44);
    EXPECT_EQ(loaded.twoByte->Value(), 300);
    EXPECT_EQ(loaded.ascii->Value(), QStringLiteral("Hall  "));
    EXPECT_EQ(loaded.check->Value(), 5);
    EXPECT_EQ(loaded.combo->Value(), 2);
    EXPECT_EQ(loaded.option->Value(), QStringLiteral("83\t152"));
    EXPECT_EQ(loaded.text->Value(), 2150);
    for (cParamBase *param : loaded.params.AllParameters())
        EXPECT_TRUE(param->Changed()) << param->Name().toStdString();
    // The controls show the loaded values.
    EXPECT_TRUE(loaded.box.isChecked());
    EXPECT_EQ(loaded.list.currentIndex(), 2);
    EXPECT_TRUE(loaded.lighting.isChecked());
    EXPECT_EQ(loaded.edit.text(), QStringLiteral("21.50"));
    // Loading never goes to LNS.
    EXPECT_EQ(loaded.lnsWrites(), 0);
}

TEST_F(ParameterFileTest, AsciiBytesOfTheCodePageSurviveTheRoundTrip)
{
    cParams saved;
    cParamASCII *a = saved.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString());
    const QString bytes = QString(QChar(0x80)) + QChar(0x9F) + QChar(0xE4) + QStringLiteral(" ,x ");
    a->setValue(bytes);
    ASSERT_TRUE(saved.WriteToFile(path(), PlugIn, ProgramId, Version));
    cParams loaded;
    cParamASCII *b = loaded.AddAsciiParameter(QStringLiteral("Label"), fakeCp(8), QString());
    EXPECT_EQ(load(loaded, path()), LE_NO_ERROR);
    EXPECT_EQ(b->Value(), bytes);
}

TEST_F(ParameterFileTest, NumbersAreRoundedHalfToEven)
{
    Collection c;
    EXPECT_EQ(loadSettings(c, "Mode_1 = 2.5\r\nUse_1 = 1.5\r\nTemp_1 = 2150.5\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 2);
    EXPECT_EQ(c.combo->Value(), 2);
    EXPECT_EQ(c.text->Value(), 2150);
}

TEST_F(ParameterFileTest, KeysMatchWithoutLetterCaseAndTheFirstLineHolds)
{
    Collection c;
    EXPECT_EQ(loadSettings(c, "mode_1=17\r\nMODE_1 = 18\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 17);
}

TEST_F(ParameterFileTest, LfLineEndsLoadToo)
{
    Collection c;
    c.setValues();
    put(path(), "[General]\nPlugInName = veltoTarvinaRX24\nProgramId = 9000A5E018040100\n"
                "DataFileVersion = 1\n[Settings]\nMode_1 = 9\n");
    EXPECT_EQ(load(c.params, path()), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 9);
}

// --- header checks -------------------------------------------------------------

TEST_F(ParameterFileTest, EachHeaderMismatchHasItsCodeAndLoadsNothing)
{
    struct Case
    {
        QByteArray general;
        qint32 result;
    };
    const QList<Case> cases = {
        // The plug-in name and the version are compared trimmed; an older id listed as compatible loads.
        {"PlugInName =    veltoTarvinaRX24   \r\nProgramId = 9000A5E018040100\r\nDataFileVersion =  1 \r\n",
         LE_NO_ERROR},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040000\r\nDataFileVersion = 1\r\n",
         LE_NO_ERROR},
        {"PlugInName = VeltoTarvinaRX24\r\nProgramId = 9000A5E018040100\r\nDataFileVersion = 1\r\n",
         LE_WRONG_PLUGIN},
        {"PlugInName = veltoSorvanKWx\r\nProgramId = 9000A5E018040100\r\nDataFileVersion = 1\r\n",
         LE_WRONG_PLUGIN},
        {"ProgramId = 9000A5E018040100\r\nDataFileVersion = 1\r\n", LE_WRONG_PLUGIN},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId =\r\nDataFileVersion = 1\r\n",
         LE_WRONG_DATAFILE_VERSION},
        {"PlugInName = veltoTarvinaRX24\r\nDataFileVersion = 1\r\n", LE_WRONG_DATAFILE_VERSION},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E0180401FF\r\nDataFileVersion = 1\r\n",
         LE_WRONG_DEVICE},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000a5e018040000\r\nDataFileVersion = 1\r\n",
         LE_WRONG_DEVICE},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040100\r\nDataFileVersion = 2\r\n",
         LE_WRONG_DATAFILE_VERSION},
        {"PlugInName = veltoTarvinaRX24\r\nProgramId = 9000A5E018040100\r\n", LE_WRONG_DATAFILE_VERSION},
    };
    for (const Case &test : cases) {
        Collection c;
        c.setValues();
        c.clearChanged();
        put(path(), "[General]\r\n" + test.general + "[Settings]\r\nMode_1 = 9\r\nTemp_1 = 100\r\n");
        EXPECT_EQ(load(c.params, path()), test.result) << test.general.constData();
        const bool loads = test.result == LE_NO_ERROR;
        EXPECT_EQ(c.oneByte->Value(), loads ? 9 : 200);
        EXPECT_EQ(c.text->Value(), loads ? 100 : 2150);
        EXPECT_EQ(c.oneByte->Changed(), loads);
    }
    Collection c;
    EXPECT_EQ(load(c.params, path(QStringLiteral("missing.dat"))), LE_WRONG_PLUGIN);
}

TEST_F(ParameterFileTest, CompatibleProgramIdNeedsTheDescriptionFile)
{
    Collection c;
    put(path(), header(OlderProgramId.toLatin1()) + "Mode_1 = 9\r\n");
    // Without a description file only the device's own id fits.
    EXPECT_EQ(c.params.LoadFromFile(path(), nullptr, PlugIn, ProgramId, Version), LE_WRONG_DEVICE);
    // A device the description file knows no compatible ids for.
    EXPECT_EQ(load(c.params, path(), QStringLiteral("9000A5E0180401FF")), LE_WRONG_DEVICE);
}

TEST_F(ParameterFileTest, DontWriteToFileParameterIsNotLoaded)
{
    Collection c;
    c.oneByte->setDontWriteToFile(true);
    c.oneByte->setForceWriteToFile(true); // forces saving only
    EXPECT_EQ(loadSettings(c, "Mode_1 = 9\r\nDelay_1 = 0,9\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 200);
    EXPECT_FALSE(c.oneByte->Changed());
    EXPECT_EQ(c.twoByte->Value(), 9);
}

TEST_F(ParameterFileTest, MissingOrEmptyValuesAndUnknownKeysChangeNothing)
{
    Collection c;
    ParameterFile file(c.params);
    EXPECT_EQ(loadSettings(c, "Mode_1 =\r\nDelay_1 = \r\nUnknown_9 = 5\r\n= 5\r\nno equals sign\r\n", &file),
              LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 200);
    EXPECT_EQ(c.twoByte->Value(), 300);
    for (cParamBase *param : c.params.AllParameters())
        EXPECT_FALSE(param->Changed()) << param->Name().toStdString();
    EXPECT_TRUE(file.Rejected().isEmpty());
}

TEST_F(ParameterFileTest, ValuesTheParametersCannotHoldAreRefusedAndListed)
{
    Collection c;
    ParameterFile file(c.params);
    const QByteArray settings = "Mode_1 = 300\r\n"
                                "Delay_1 = 1\r\n"
                                "Label_1 = far too long for eight,\r\n"
                                "Enable_1 = abc\r\n"
                                "Use_1 = 256\r\n"
                                "Fpt_1 = 83\tx\r\n"
                                "Temp_1 = 40000\r\n";
    EXPECT_EQ(loadSettings(c, settings, &file), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 200);
    EXPECT_EQ(c.twoByte->Value(), 300);
    EXPECT_EQ(c.ascii->Value(), QStringLiteral("Hall  "));
    EXPECT_EQ(c.check->Value(), 5);
    EXPECT_EQ(c.combo->Value(), 2);
    EXPECT_EQ(c.option->Value(), QStringLiteral("83\t152"));
    EXPECT_EQ(c.text->Value(), 2150);
    for (cParamBase *param : c.params.AllParameters())
        EXPECT_FALSE(param->Changed()) << param->Name().toStdString();
    EXPECT_EQ(file.Rejected(), QStringList({QStringLiteral("Temp_1 = 40000"), QStringLiteral("Fpt_1 = 83\tx"),
                                            QStringLiteral("Use_1 = 256"), QStringLiteral("Enable_1 = abc"),
                                            QStringLiteral("Delay_1 = 1"), QStringLiteral("Mode_1 = 300"),
                                            QStringLiteral("Label_1 = far too long for eight,")}));
}

TEST_F(ParameterFileTest, BytesMayBeGivenSignedOrUnsigned)
{
    Collection c;
    EXPECT_EQ(loadSettings(c, "Mode_1 = -1\r\nDelay_1 = 0,-1\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), -1);
    EXPECT_EQ(c.twoByte->Value(), -1);
    EXPECT_EQ(loadSettings(c, "Mode_1 = -129\r\nDelay_1 = 256,0\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.oneByte->Value(), 200);
    EXPECT_EQ(c.twoByte->Value(), 300);
}

TEST_F(ParameterFileTest, InfiniteHugeAndMalformedNumbersAreRefused)
{
    Collection c;
    const QList<QByteArray> values = {"inf", "nan", "1e300", "-1e300", "1e", "2,,3", "--1", "0x10"};
    for (const QByteArray &value : values) {
        ParameterFile file(c.params);
        EXPECT_EQ(loadSettings(c,
                               "Mode_1 = " + value + "\r\nTemp_1 = " + value + "\r\nUse_1 = " + value +
                                   "\r\nDelay_1 = " + value + "," + value + "\r\n",
                               &file),
                  LE_NO_ERROR);
        EXPECT_EQ(c.oneByte->Value(), 200) << value.constData();
        EXPECT_EQ(c.text->Value(), 2150) << value.constData();
        EXPECT_EQ(c.combo->Value(), 2) << value.constData();
        EXPECT_EQ(c.twoByte->Value(), 300) << value.constData();
        EXPECT_EQ(file.Rejected().size(), 4) << value.constData();
    }
}

TEST_F(ParameterFileTest, TextBoxValueOutsideTheTypingRangeIsTakenAndFlaggedInvalid)
{
    Collection c;
    c.text->setTextBoxRangeMin(15.0f);
    c.text->setTextBoxRangeMax(30.0f);
    EXPECT_EQ(loadSettings(c, "Temp_1 = 4000\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.text->Value(), 4000);
    EXPECT_TRUE(c.params.AnyParameterValueIsInvalid());
}

TEST_F(ParameterFileTest, AsciiWithoutTheFinalCommaOrEmptyTextLoads)
{
    Collection c;
    EXPECT_EQ(loadSettings(c, "Label_1 =  Room\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.ascii->Value(), QStringLiteral(" Room"));
    EXPECT_EQ(loadSettings(c, "Label_1 = ,\r\n"), LE_NO_ERROR);
    EXPECT_EQ(c.ascii->Value(), QString());
}

// --- damaged files -----------------------------------------------------------------

TEST_F(ParameterFileTest, EmptyAndBinaryFilesGiveAResultAndTouchNothing)
{
    QList<QByteArray> contents = {QByteArray(), QByteArray("\0\0\0\r\n[", 6)};
    QRandomGenerator random(24);
    for (int n = 0; n < 20; ++n) {
        QByteArray noise(1 + random.bounded(4000), '\0');
        for (char &byte : noise)
            byte = static_cast<char>(random.bounded(256));
        contents.append(noise);
    }
    for (const QByteArray &bytes : std::as_const(contents)) {
        Collection c;
        c.setValues();
        c.clearChanged();
        put(path(), bytes);
        EXPECT_EQ(load(c.params, path()), LE_WRONG_PLUGIN);
        for (cParamBase *param : c.params.AllParameters())
            EXPECT_FALSE(param->Changed());
    }
}

TEST_F(ParameterFileTest, TruncatedFileSetsWhatWasReadCompletely)
{
    Collection saved;
    saved.setValues();
    saved.twoByte->setValue(1000);
    ASSERT_TRUE(saved.params.WriteToFile(path(), PlugIn, ProgramId, Version));
    const QByteArray whole = bytesOf(path());
    for (qsizetype cut = 0; cut < whole.size(); ++cut) {
        Collection c;
        c.setValues();
        put(path(), whole.left(cut));
        const qint32 result = load(c.params, path());
        EXPECT_TRUE(result == LE_NO_ERROR || result == LE_WRONG_PLUGIN ||
                    result == LE_WRONG_DATAFILE_VERSION || result == LE_WRONG_DEVICE)
            << cut;
        // A cut line either still holds a valid value or is left out.
        const qint32 v = c.twoByte->Value();
        EXPECT_TRUE(v == 300 || v == 1000 || v == 3 * 256 + 23 || v == 3 * 256 + 2) << cut;
    }
}

TEST_F(ParameterFileTest, VeryLongLinesLoadWithoutHarm)
{
    Collection c;
    ParameterFile file(c.params);
    const QByteArray longText(100000, 'A');
    const QByteArray longNumber = "1" + QByteArray(100000, '0');
    EXPECT_EQ(loadSettings(c,
                           "Label_1 = " + longText + ",\r\nMode_1 = " + longNumber + "\r\n" + longText +
                               " = 1\r\nUse_1 = 1\r\n",
                           &file),
              LE_NO_ERROR);
    EXPECT_EQ(c.ascii->Value(), QStringLiteral("Hall  "));
    EXPECT_EQ(c.oneByte->Value(), 200);
    EXPECT_EQ(c.combo->Value(), 1);
    EXPECT_EQ(file.Rejected().size(), 2);
}

// --- the pieces ---------------------------------------------------------------------

TEST(Windows1252, DiffersFromLatin1OnlyInTheHighControls)
{
    EXPECT_EQ(Windows1252::decode("\x80\x8A\x9F\xA0\xE4\x81"),
              QString::fromUtf8("€Š\xC5\xB8\xC2\xA0ä") + QChar(0x81));
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("€Šä€")), QByteArray("\x80\x8A\xE4\x80"));
    EXPECT_EQ(Windows1252::encode(QString::fromUtf8("Ω\xF0\x9F\x98\x80!")), QByteArray("?"
                                                                                       "?!"));
    for (int byte = 0; byte < 256; ++byte) {
        const QByteArray one(1, static_cast<char>(byte));
        EXPECT_EQ(Windows1252::encode(Windows1252::decode(one)), one) << byte;
    }
}

TEST(ParameterFileReader, KeepsTheWholeValueRightOfTheSeparator)
{
    const ParameterFileReader reader =
        ParameterFileReader::fromBytes("top = 1\r\n[ General ]\r\n  ; note\r\nA = 1,44\r\nB =  text ,  "
                                       "\r\nC=x\r\n# c = 2\r\n[Other]\r\nA = 9\r\n");
    EXPECT_EQ(reader.value(QStringLiteral("general"), QStringLiteral("a")), QStringLiteral("1,44"));
    EXPECT_EQ(reader.value(QStringLiteral("General"), QStringLiteral("B")), QStringLiteral(" text ,"));
    EXPECT_EQ(reader.value(QStringLiteral("General"), QStringLiteral("C")), QStringLiteral("x"));
    EXPECT_FALSE(reader.hasKey(QStringLiteral("General"), QStringLiteral("# c")));
    EXPECT_EQ(reader.value(QStringLiteral("Other"), QStringLiteral("A")), QStringLiteral("9"));
    EXPECT_EQ(reader.value(QString(), QStringLiteral("top")), QStringLiteral("1"));
    EXPECT_EQ(reader.value(QStringLiteral("Missing"), QStringLiteral("A")), QString());
}

TEST(ParameterFileReader, ALoneCarriageReturnEndsALineToo)
{
    const ParameterFileReader reader = ParameterFileReader::fromBytes("[S]\rA = x ,\rB = 2\n\rC = 3");
    EXPECT_EQ(reader.value(QStringLiteral("S"), QStringLiteral("A")), QStringLiteral("x ,"));
    EXPECT_EQ(reader.value(QStringLiteral("S"), QStringLiteral("B")), QStringLiteral("2"));
    EXPECT_EQ(reader.value(QStringLiteral("S"), QStringLiteral("C")), QStringLiteral("3"));
}

TEST_F(ParameterFileTest, OptionValueMustBeBareRawText)
{
    Collection c;
    for (const QByteArray &value : {QByteArray("83 \t152"), QByteArray("83\t\t152"), QByteArray("83\t256"),
                                    QByteArray("+83"), QByteArray("83\t1520"), QByteArray("\t")}) {
        ParameterFile file(c.params);
        EXPECT_EQ(loadSettings(c, "Fpt_1 = " + value + "\r\n", &file), LE_NO_ERROR);
        EXPECT_EQ(c.option->Value(), QStringLiteral("83\t152")) << value.constData();
        EXPECT_EQ(file.Rejected().size(), value == "\t" ? 0 : 1) << value.constData();
    }
    EXPECT_EQ(loadSettings(c, "Fpt_1 = 255\t255\r\n"), LE_NO_ERROR);
    EXPECT_TRUE(c.unused.isChecked());
}
